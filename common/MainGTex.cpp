#include "common/MainGTex.h"

namespace {
cmcGTex* installed = nullptr;
}

cmcGTex& MainGTex() {
    static cmcGTex programTable;
    return installed ? *installed : programTable;
}

void InstallMainGTex(cmcGTex* table) {
    installed = table;
}
