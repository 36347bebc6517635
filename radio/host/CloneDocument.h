#pragma once

#include <string>

#include "radio/image/ModelType.h"
#include "radio/image/cmcEeprom.h"

// The document as the commands that bring an image in or send one out see it (the clone
// commands, and the file commands with a clone file): the application object's current image
// and model type, the checks an image from outside must pass, and what taking one in changes.
class CloneDocument {
public:
    virtual ~CloneDocument() = default;

    virtual cmcEeprom& CurrentImage() = 0;
    // The model type's initial image, which an image going out is reconciled with.
    virtual const cmcEeprom& DefaultImage() = 0;
    virtual ModelType CurrentModelType() = 0;
    virtual bool IsMakerMode() = 0;
    // 0 when an image from a file or the radio may be taken in, 1 when not; full also checks
    // what only a radio's whole memory holds.
    virtual int CheckImage(const cmcEeprom& image, bool full) = 0;
    // The image holds data of a newer program that is not taken in.
    virtual bool IsNewerData(const cmcEeprom& image) = 0;
    // Takes in an image read from the radio: switches, without a question, to the model type
    // it asks for, rebuilds its working tables from its packed area and reconciles it with
    // the default image.
    virtual void DetectModel(cmcEeprom& image) = 0;
    virtual void SetModified() = 0;
    // The document is as its file holds it: the current image becomes the saved copy.
    virtual void ClearModified() = 0;
    // An empty name makes the document untitled.
    virtual void SetFileName(const std::string& name) = 0;
};
