#include "radio/host/indShell.h"

#include "platform/MessageBox.h"

namespace {
indShell* installedShell = nullptr;
}

indShell& Shell() {
    if (!installedShell) {
        platform::Fatal("No application shell.");
    }
    return *installedShell;
}

void InstallShell(indShell* shell) {
    installedShell = shell;
}
