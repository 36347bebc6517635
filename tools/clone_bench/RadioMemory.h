#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "radio/image/ModelType.h"

namespace bench {

// What the simulated radio's program holds when it is given no memory file: a PMR radio with
// 16 channels, which a read from the cloning program takes as it is.
inline constexpr ModelType kDefaultRadioModel = MT_Pmr;
inline constexpr int kDefaultRadioChannels = 16;

// The memory of a radio of the model type as a user has set it up: its initial image with
// `channels` channels in bank 0 (each on its own frequency), reconciled and packed as a save
// or clone write leaves it. Empty when it cannot be built.
std::vector<uint8_t> RadioMemory(ModelType model, int channels);
// Writes it as the simulated radio's memory file; false on failure.
bool WriteRadioMemory(const std::string& path, const std::vector<uint8_t>& memory);

}  // namespace bench
