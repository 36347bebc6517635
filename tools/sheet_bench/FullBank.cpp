#include "tools/sheet_bench/FullBank.h"

#include <algorithm>
#include <string>

#include "radio/image/BankTable.h"
#include "radio/image/ImageLayout.h"
#include "radio/records/datCh.h"

void FillBank(cmcEeprom& image, ModelType model) {
    SetBankSize(image, 0, layout::kChannelCount);
    const int base = IsPmrType(model) ? 446006250 : 150000000;
    datCh channel(&image);
    for (int c = 0; c < layout::kChannelCount; ++c) {
        channel.Load(ChannelKindOf(model), c);
        channel.used = 1;
        channel.rxFreq = base + c * 12500;
        channel.txFreq = c % 2 ? channel.rxFreq : channel.rxFreq + 5000000;
        channel.tone1 = {.on = 1, .toneIndex = c % 52};
        channel.tone2 = {.on = 1, .digital = c % 3 == 0, .code = 023};
        const std::string name = "CH " + std::to_string(c) + "     ";
        std::copy_n(name.begin(), channel.name.size(), channel.name.begin());
        channel.mskSig = c % 2;
        channel.moni = c % 8;
        channel.scanMask = c;
        channel.Store();
    }
}
