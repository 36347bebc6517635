#pragma once

#include <cstdint>
#include <span>

#include "radio/image/ImageLayout.h"
#include "radio/image/ModelType.h"

namespace initial {

enum class Put {
    Bits,  // a field of one byte: value (and step) below the mask, shifted into it
    Word,  // big-endian 16 bits
    Long,  // big-endian 32 bits
    Fill,  // length bytes of one value
    Text,  // the characters of text
    Copy,  // length bytes from the address in value
};

// One setting of a new radio's memory image, put into one place or into the same place of
// count records (record i at place.At(i)).
struct Setting {
    Put put;
    layout::RecordArea place;
    int count;
    uint8_t mask;       // Bits
    int32_t value;      // Bits, Word, Long: the value of record 0; Fill: the byte; Copy: the source
    int32_t step;       // Bits, Word, Long: added for each further record
    int length;         // Fill, Copy: bytes; Text: characters
    const char* text;   // Text
    ModelGroup models;  // the model types it belongs to

    int32_t ValueOf(int record) const { return value + step * record; }
    // The bytes one record of the setting covers.
    int Width() const;
};

// The settings of a new radio of every model type, in the order they are put into the image.
// For one model type no two settings cover the same bits.
std::span<const Setting> InitialSettings();

}  // namespace initial
