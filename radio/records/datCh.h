#pragma once

#include <cstdint>

#include "radio/image/cmcEeprom.h"
#include "radio/records/RecordValues.h"

// Decoded view of one record of a document image, chosen by record kind and index. Load
// decodes the record's bytes and bits into the fields, Store encodes them back in place. A
// kind or index outside the kind's limits, or an image that is not a whole document, decodes
// and stores nothing.
class datCh : public RecordValues {
public:
    datCh() = default;
    explicit datCh(cmcEeprom* image) : image_(image) {}

    void SetImage(cmcEeprom* image) { image_ = image; }
    // Every field 0 but the image binding; used := 1.
    void Clear();
    void Load(uint32_t kind, int index);
    void Store();
    void Reload() { Load(kind, index); }
    void StoreAndReload();

    static int GetKindMin(uint32_t kind);
    static int GetKindMax(uint32_t kind);
    // The last record the view reaches: GetKindMax, except where the image holds one more
    // that the list edits leave alone.
    static int GetKindLastRecord(uint32_t kind);
    static bool KindEditable(uint32_t kind);
    // The pop-up menu's list edits (copy, paste, carry) apply to the kind's records.
    static bool KindTakesListEdits(uint32_t kind);

private:
    bool Reaches(uint32_t kind, int index) const;
    void LoadChannel(uint8_t* a, uint8_t* b);
    void StoreChannel(uint8_t* a, uint8_t* b);
    void LoadChannelAttr();
    void StoreChannelAttr();
    void LoadScanMask();
    void StoreScanMask();
    void LoadSpecial(uint8_t* image);
    void StoreSpecial(uint8_t* image);
    void LoadTwoTone(uint8_t* image);
    void StoreTwoTone(uint8_t* image);
    void StoreCallListAddress(uint8_t* record);

    cmcEeprom* image_ = nullptr;
};
