#include "common/CurrentEvMan.h"

namespace {
cmcEvMan* installedBus = nullptr;
}

cmcEvMan* CurrentEvMan() {
    return installedBus;
}

void InstallEvMan(cmcEvMan* bus) {
    installedBus = bus;
}
