#pragma once

#include "radio/image/ModelType.h"
#include "radio/image/cmcEeprom.h"

// Where the parts of the radio's packed channel area lie: the used channels' 14-byte and
// 20-byte entries, for the MDC types the alias table and the two MDC blocks, then the closing
// signature. Addresses are image addresses.
struct PackedLayout {
    int count = 0;  // channels
    int entriesA = 0;
    int entriesB = 0;
    int aliasTable = 0;  // MDC types; for the others every later part starts here
    int block1 = 0;
    int block2 = 0;
    int signature = 0;
    int end = 0;  // first address after the signature
};

// The layout of count channels whose 20-byte entries start at entriesB.
PackedLayout PackedLayoutOf(int count, ModelType model, int entriesB);

// Whether a packed area the packer lays out (the 20-byte entries right after the 14-byte
// ones) keeps within the radio's limits.
bool PackedAreaFits(const PackedLayout& area);

// The channel count the bank sizes give once a bank that would take the total past 256
// channels, and every bank after it, counts as empty. Reads only.
int ClampedChannelCount(const cmcEeprom& image);
// The same, with those banks set to size 0 in the image.
int ClampBankSizes(cmcEeprom& image);

// What is wrong with the packed-area header of an image that came from a file or a radio.
enum class PackedHeaderFault {
    None,
    NotRadioPart,   // the image does not hold the whole radio part
    EntriesAStart,  // the 14-byte entries do not start at the packed area
    EntriesBStart,  // the 20-byte entries start inside the 14-byte ones
    AreaEnd,        // the entries and tables, with the signature, run past the radio part
    EndOffset,      // the end offset lies before the end of the area or past the radio part
};

// Unpacking reads only where a sound header points; the model type says whether the MDC
// tables belong to the area.
PackedHeaderFault CheckPackedHeader(const cmcEeprom& image, ModelType model);
