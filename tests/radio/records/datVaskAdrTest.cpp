#include "radio/records/datVaskAdr.h"

#include <gtest/gtest.h>

namespace {

class datVaskAdrTest : public ::testing::Test {
protected:
    void SetUp() override { image.Resize(48880); }

    void FirstGroup(int hi, int lo) {
        image.SetByte(2182, static_cast<uint8_t>(hi));
        image.SetByte(2183, static_cast<uint8_t>(lo));
    }

    cmcEeprom image;
};

TEST_F(datVaskAdrTest, RangesFollowTheFirstGroupAddress) {
    FirstGroup(0x03, 0xE8);  // 1000
    datVaskAdr view(&image);
    EXPECT_EQ(view.firstGroup, 1000);
    struct Slot {
        int slot;
        int low;
        int high;
    };
    for (Slot s : {Slot{0, 0, 0}, Slot{1, 0, 4095}, Slot{2, 1000, 4095}, Slot{3, 4095, 4095},
                   Slot{4, 0, 4095}, Slot{5, 0, 999}, Slot{6, 0, 999}, Slot{7, 1000, 4095},
                   Slot{13, 1000, 4095}}) {
        EXPECT_EQ(view.ranges[s.slot].low, s.low) << s.slot;
        EXPECT_EQ(view.ranges[s.slot].high, s.high) << s.slot;
    }
    for (const auto& r : view.callList) {
        EXPECT_EQ(r.low, 0);
        EXPECT_EQ(r.high, 4095);
    }
}

TEST_F(datVaskAdrTest, BoundaryAtTheEdges) {
    datVaskAdr zero(&image);
    EXPECT_EQ(zero.ranges[5].high, -1);  // no killer or group-0 address is valid
    EXPECT_EQ(zero.ranges[6].high, -1);
    EXPECT_EQ(zero.ranges[7].low, 0);

    FirstGroup(0x10, 0x00);  // 4096
    datVaskAdr beyond(&image);
    EXPECT_GT(beyond.ranges[7].low, beyond.ranges[7].high);
    EXPECT_EQ(beyond.ranges[6].high, 4095);
}

TEST_F(datVaskAdrTest, StoreWritesTheWordAndResetsTheRanges) {
    datVaskAdr view(&image);
    view.firstGroup = 0x0123;
    view.Store();
    EXPECT_EQ(image.GetByte(2182), 0x01);
    EXPECT_EQ(image.GetByte(2183), 0x23);
    EXPECT_EQ(view.ranges[2].low, 0x0123);

    cmcEeprom empty;
    datVaskAdr unbound(&empty);
    EXPECT_EQ(unbound.firstGroup, 0);
    unbound.Store();  // nothing to write into
    datVaskAdr none(nullptr);
    EXPECT_EQ(none.ranges[1].high, 4095);
}

}  // namespace
