#pragma once

#include <string>

#include "radio/image/ModelType.h"
#include "radio/image/cmcEeprom.h"

// The document as the clone commands see it: the application object's current image and
// model type, which a read replaces and a write sends.
class CloneDocument {
public:
    virtual ~CloneDocument() = default;

    virtual cmcEeprom& CurrentImage() = 0;
    // The model type's initial image, which an image going out is reconciled with.
    virtual const cmcEeprom& DefaultImage() = 0;
    virtual ModelType CurrentModelType() = 0;
    virtual bool IsMakerMode() = 0;
    // Takes in an image read from the radio: switches, without a question, to the model type
    // it asks for, rebuilds its working tables from its packed area and reconciles it with
    // the default image.
    virtual void DetectModel(cmcEeprom& image) = 0;
    virtual void SetModified() = 0;
    // An empty name makes the document untitled.
    virtual void SetFileName(const std::string& name) = 0;
};
