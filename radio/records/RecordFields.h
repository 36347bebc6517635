#pragma once

#include <cstdint>
#include <span>

#include "radio/image/BitCodec.h"
#include "radio/image/ImageLayout.h"
#include "radio/records/RecordValues.h"

// The regular part of every record kind as data: one row per field, naming the record area,
// the byte inside the record and how the field is encoded there. The record view runs these
// rows and keeps code only for the fields that do not fit a row.
namespace recordfields {

enum class Codec {
    Bits,      // bits of one byte, as the field's bit codec reads them
    Word,      // BE16
    Flag,      // byte not 0; stored as 0xFF or 0
    Tone,      // two-byte tone word
    Text,      // 8 raw bytes
    NameUsed,  // store only: the field's bit := name is not all spaces
};

enum class Use { LoadAndStore, LoadOnly, StoreOnly };

struct FieldSpec {
    Codec codec;
    layout::RecordArea area;
    int offset;
    BitCodec bits = BitCodec::Masked(0);  // Bits and NameUsed
    int RecordValues::*value = nullptr;
    RecordValues::ToneWord RecordValues::*tone = nullptr;
    RecordValues::Text RecordValues::*text = nullptr;
    Use use = Use::LoadAndStore;
};

// Index limits and the flag word of a kind (bit 0: records may be cleared or deleted; bit 1:
// the list edits apply). The view reaches up to lastRecord, which lies beyond max only where
// the image holds a record that no list edit may touch.
struct KindLimits {
    int min;
    int max;
    int flags;
    int lastRecord = -1;  // below max: max

    constexpr int LastRecord() const { return lastRecord < max ? max : lastRecord; }
};

KindLimits LimitsOf(uint32_t kind);

// The field rows of a kind, in store order; empty for kinds without rows.
std::span<const FieldSpec> FieldsOf(uint32_t kind);

void LoadFields(std::span<const FieldSpec> fields, RecordValues& view, const uint8_t* image);
void StoreFields(std::span<const FieldSpec> fields, const RecordValues& view, uint8_t* image);

}  // namespace recordfields
