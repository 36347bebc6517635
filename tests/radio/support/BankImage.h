#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "radio/image/ImageWords.h"
#include "radio/image/cmcEeprom.h"

namespace radiotest {

// A whole image whose bank table and channels a test sets up: bank sizes from bank 0 on, and
// channels in use.
class BankImage : public ::testing::Test {
protected:
    void SetUp() override { image.Resize(48880); }

    void Sizes(std::initializer_list<int> sizes) {
        int bank = 0;
        for (int n : sizes) {
            SetBE16(image.GetData() + 440 + 2 * bank++, n);
        }
    }

    // Receive frequency of channel c in the first working table.
    void Use(int channel) { image.GetData()[32736 + 14 * channel + 3] = 1; }

    cmcEeprom image;
};

}  // namespace radiotest
