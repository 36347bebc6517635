#pragma once

#include "radio/records/cmcClipCh.h"

// The channel clipboard: a paste leaves the targets' place-bound attr bits where they are.
// A normal paste keeps the target's bank-flag and reference-off bits (the pasted channels
// carry their own priority references); a raw paste keeps the target's whole attr field.
class datClipCh : public cmcClipCh {
public:
    void PasteRaw(cmcEeprom& image, uint32_t kind, int first, int count);

protected:
    void StoreRecord(cmcEeprom& image, int index, const clsChRecord& record) override;

private:
    bool raw_ = false;
};
