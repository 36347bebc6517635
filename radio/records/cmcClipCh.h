#pragma once

#include <cstdint>
#include <vector>

#include "radio/records/clsChRecord.h"

// Copies of consecutive records of one record kind. It holds copies, not references: editing
// the image after a copy does not change what a paste writes.
class cmcClipCh {
public:
    virtual ~cmcClipCh() = default;

    // Holds nothing.
    void Clear();
    // Holds copies of the records first .. first + count - 1 of the image.
    void Copy(cmcEeprom& image, uint32_t kind, int first, int count);
    // Records of this kind are held.
    bool HasKind(uint32_t kind) const { return kind_ != RK_None && kind_ == kind; }
    // Writes the held records at first, first + 1, ..., no more than count of them.
    void Paste(cmcEeprom& image, uint32_t kind, int first, int count);

    int Count() const { return static_cast<int>(records_.size()); }

protected:
    // Writes one held record at index; the base writes it whole, attr bits included.
    virtual void StoreRecord(cmcEeprom& image, int index, const clsChRecord& record);

private:
    std::vector<clsChRecord> records_;
    uint32_t kind_ = RK_None;
};
