#pragma once

class cmcCellObj;

// The help file as the memory map reaches it. The main window implements it with the
// help-topic lookup; tests use testsupport::FakeShell.
class indHelp {
public:
    virtual ~indHelp() = default;

    // The help file at its contents.
    virtual void ShowHelpContents() = 0;
    // The help file at the topic of the cell.
    virtual void ShowContextHelp(const cmcCellObj& cell) = 0;
};
