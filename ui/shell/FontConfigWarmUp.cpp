#include "ui/shell/FontConfigWarmUp.h"

#include <fontconfig/fontconfig.h>

FontConfigWarmUp::FontConfigWarmUp() : thread_([] { FcInit(); }) {}

FontConfigWarmUp::~FontConfigWarmUp() {
    Wait();
}

void FontConfigWarmUp::Wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
}
