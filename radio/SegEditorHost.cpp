#include "radio/SegEditorHost.h"

namespace {
SegEditorHost* installed = nullptr;
}

SegEditorHost* SegEditors() {
    return installed;
}

void InstallSegEditors(SegEditorHost* host) {
    installed = host;
}
