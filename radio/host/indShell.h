#pragma once

#include "radio/host/PopupHost.h"
#include "radio/host/indCommands.h"
#include "radio/host/indDocument.h"
#include "radio/host/indHelp.h"
#include "radio/host/indMenuCommands.h"

class cmcFCache;

// The program around the item dispatcher, in the pieces its callers need: the document, the
// commands, the menus' commands, help, the pop-up editors and the choice-list cache. The main
// window implements it (the pieces may be itself); the dispatcher hands the pieces to every row
// through its context, so no row reaches the program through a global. Tests install
// testsupport::FakeShell.
class indShell {
public:
    virtual ~indShell() = default;

    virtual indDocument& Document() = 0;
    virtual indCommands& Commands() = 0;
    virtual indMenuCommands& MenuCommands() = 0;
    virtual indHelp& Help() = 0;
    // The choice lists of the selection sheets, kept for the program's life.
    virtual cmcFCache& ChoiceLists() = 0;
    // Until the ui builds its pop-ups, the host that says they are not available yet.
    virtual PopupHost& Popups() { return PopupHost::Unavailable(); }
};

// The shell in force; fatal when none is installed.
indShell& Shell();
// Installs the shell (not owned); nullptr removes it.
void InstallShell(indShell* shell);
