#pragma once

#include "radio/host/CloneIdentityBlock.h"
#include "radio/image/ModelType.h"
#include "radio/image/cmcEeprom.h"

// The open document as the memory map sees it: the image being edited, the empty records of
// its model type, and the two things every user change sets going. The main window
// implements it; tests use testsupport::FakeShell.
class indDocument {
public:
    virtual ~indDocument() = default;

    virtual cmcEeprom& CurrentImage() = 0;
    // The model type's initial image: it supplies the empty records.
    virtual cmcEeprom& DefaultImage() = 0;
    virtual ModelType CurrentModelType() = 0;
    // A user action changed something: restart the 250 ms warning-check time-out.
    virtual void RestartWarningCheck() = 0;
    // Compare the document with its saved copy and show the modified state.
    virtual void UpdateModified() = 0;
    // The radio's identity block of the last clone information, which its window shows (not
    // part of the image).
    virtual const CloneIdentityBlock& CloneInformation() = 0;
    // Maker mode is on: the maker adjustments are shown (off unless the program turned it on).
    virtual bool InMakerMode() const { return false; }
};
