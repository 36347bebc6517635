#include "tests/support/ChannelBank.h"

#include "radio/image/BankTable.h"
#include "radio/image/cmcEeprom.h"
#include "radio/records/datCh.h"

namespace testsupport {

void FillFirstBank(cmcEeprom& image, ModelType model, int channels) {
    SetBankSize(image, 0, channels);
    datCh record(&image);
    for (int c = 0; c < channels; ++c) {
        record.Load(ChannelKindOf(model), c);
        record.used = 1;
        record.rxFreq = record.txFreq = 446006250 + 12500 * c;
        record.Store();
    }
}

}  // namespace testsupport
