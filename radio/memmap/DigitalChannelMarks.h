#pragma once

#include <cstdint>

// On a digital channel of the Vask model type the digital protocol needs the monitor, select,
// call, PTT and channel-mute settings to stay as it expects. The mark a value of one of those
// settings (by its item code) earns: kMarkWarning or kMarkError of a capsule, 0 when the value
// is as expected or the item is none of them. The channel's cells and the entries of their
// marked choice lists show the same marks.
uint8_t DigitalChannelMarks(int item, int value);
