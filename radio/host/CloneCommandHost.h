#pragma once

#include "radio/host/CloneIdentityBlock.h"

// What the clone commands ask of the program's window: the user's questions, the sheets, the
// warning check and the clone information window.
class CloneCommandHost {
public:
    virtual ~CloneCommandHost() = default;

    // The save-changes question before a read replaces the document; false when the user
    // cancels.
    virtual bool ConfirmDiscard() = 0;
    // The caution before each write in maker mode, which writes the factory adjustments too;
    // true for OK.
    virtual bool ConfirmMakerWrite() = 0;
    // Open pop-up editors hand their text back.
    virtual void ClosePopups() = 0;
    virtual void CloseSheet() = 0;
    // Runs the warning check list and returns the errors it found (warnings do not count).
    virtual int CountDataErrors() = 0;
    // Opens the clone information window over the radio's identity block.
    virtual void ShowCloneInformation(const CloneIdentityBlock& block) = 0;
};
