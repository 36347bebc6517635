#include "radio/packing/ImageCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "radio/image/ImageWords.h"
#include "radio/packing/ImagePacking.h"
#include "tests/radio/support/PackedImage.h"

namespace {

// A clone read's image: a packed radio image of 20 channels (end offset 3968 + 34 * 20 + 8).
class ImageCheckTest : public ::testing::Test {
public:
    void SetUp() override {
        radiotest::MakeRadioImage(image, MT_Pmr);
        radiotest::SetChannelCount(image, 20);
        ASSERT_EQ(PackImage(image, MT_Pmr), PACK_Ok);
        working.Resize(48880);
        working.GetData()[264] = 4;
    }

    void SetEnd(int end) { SetBE16(image.GetData() + 326, end); }
    void PutSignature(int at) { std::memcpy(image.GetData() + at, "ZELK Inc", 8); }

    static constexpr int kEnd = 3968 + 34 * 20 + 8;
    cmcEeprom image;
    cmcEeprom working;
};

TEST_F(ImageCheckTest, EachMarkIsRequired) {
    struct Case {
        const char* what;
        std::function<void(ImageCheckTest&)> craft;
        int fullOff;
        int fullOn;
    };
    const Case cases[] = {
        {"sound", [](ImageCheckTest&) {}, 0, 0},
        {"identity byte 0", [](ImageCheckTest& t) { t.image.GetData()[0] = 0x28; }, 1, 1},
        {"identity byte 1", [](ImageCheckTest& t) { t.image.GetData()[1] = 0x20; }, 1, 1},
        {"format class 0", [](ImageCheckTest& t) { t.image.GetData()[2] = 0; }, 1, 1},
        {"format class 2", [](ImageCheckTest& t) { t.image.GetData()[2] = 2; }, 0, 0},
        {"format class 3", [](ImageCheckTest& t) { t.image.GetData()[2] = 3; }, 1, 1},
        // The map revision is the program's own, not the received image's.
        {"received map revision 3", [](ImageCheckTest& t) { t.image.GetData()[264] = 3; }, 0, 0},
        {"working map revision 3", [](ImageCheckTest& t) { t.working.GetData()[264] = 3; }, 1, 1},
        {"maker signature", [](ImageCheckTest& t) { t.image.GetData()[263] = 'C'; }, 0, 1},
        {"model code", [](ImageCheckTest& t) { t.image.GetData()[267] = 0x25; }, 0, 1},
        {"closing signature", [](ImageCheckTest& t) { t.image.GetData()[kEnd - 1] = 0; }, 0, 1},
        {"end offset one too far", [](ImageCheckTest& t) { t.SetEnd(kEnd + 1); }, 0, 1},
        {"unsound packed-area header",
         [](ImageCheckTest& t) { SetBE16(t.image.GetData() + 316, 0); }, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.craft(*this);
        EXPECT_EQ(CheckImage(image, working, false), c.fullOff);
        EXPECT_EQ(CheckImage(image, working, true), c.fullOn);
    }
}

// The end offset is the image's own word: wherever it points, nothing outside the image is
// read (the suite runs under AddressSanitizer), and where the signature cannot lie below it
// the image is invalid.
TEST_F(ImageCheckTest, EndOffsetsThatLeaveNoRoomOrPointOutside) {
    for (int end : {0, 1, 7, 8, 3975, 32737, 48872, 48880, 48881, 0xFFFF}) {
        SCOPED_TRACE(end);
        SetUp();
        SetEnd(end);
        if (end >= 8 && end <= 48880) {
            PutSignature(end - 8);
        }
        EXPECT_EQ(CheckImage(image, working, true), 1);
    }
}

TEST_F(ImageCheckTest, SignatureEndingAtTheLastByteOfTheRadioPart) {
    SetEnd(32736);
    PutSignature(32728);
    EXPECT_EQ(CheckImage(image, working, true), 0);
    cmcEeprom radioPart;  // a received image no larger than the radio part
    radioPart.Resize(32736);
    std::memcpy(radioPart.GetData(), image.GetData(), 32736);
    EXPECT_EQ(CheckImage(radioPart, working, true), 0);
}

TEST_F(ImageCheckTest, ImagesTooSmallToHoldTheirMarks) {
    cmcEeprom small;
    small.Resize(32735);
    std::memcpy(small.GetData(), image.GetData(), 32735);
    EXPECT_EQ(CheckImage(small, working, false), 1);
    EXPECT_EQ(CheckImage(cmcEeprom(), working, false), 1);
    EXPECT_EQ(CheckImage(image, cmcEeprom(), false), 1) << "no working image to hold the revision";
}

}  // namespace
