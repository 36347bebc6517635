#include "loader/clsSequenceDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "loader/clsEnviron.h"
#include "tests/loader/LoadRig.h"

namespace {

class DriverRig {
public:
    explicit DriverRig(BootRadioFaults faults = {})
        : rig(faults), driver(*rig.seq, rig.texts, environ, memo) {}

    // Driver ticks until done() holds, each followed by the radio's answers.
    void TickUntil(const std::function<bool()>& done, int limit = 400000) {
        for (int n = 0; n < limit && !done(); ++n) {
            driver.SequenceTick();
            rig.time.Advance(1);
            rig.Serve();
        }
    }
    bool Has(const std::string& line) const {
        return std::find(memo.lines.begin(), memo.lines.end(), line) != memo.lines.end();
    }

    LoadRig rig;
    clsEnviron environ{"Merrow loader driver test"};
    LineMemo memo;
    clsSequenceDriver driver;
};

TEST(clsSequenceDriver, ShowsTheTipOfEachNewState) {
    DriverRig d;
    d.TickUntil([&] { return d.rig.seq->GetState() == clsMainSeq::Ready; });
    d.driver.SequenceTick();  // Ready again: no second tip
    char sum[16];
    std::snprintf(sum, sizeof sum, "Sum=$%04X", d.rig.seq->GetRomStore().Sum(0, 0x3FFFF));
    const std::vector<std::string> expected = {
        sum,
        "=========================",
        "Use the Dunlace (USB type) cloning cable for operation.",
        "Connect Transceiver (No.1).",
        "Then Push [OK] to Start Writing.",
        "Please turn radio off and back on again for data transfer to begin.",
        ""};
    EXPECT_EQ(d.memo.lines, expected);
    EXPECT_EQ(d.memo.caretMoves, 3);  // the tips of states 2, 3 and 7
}

TEST(clsSequenceDriver, AWholeLoadIsLoggedAndCountsTheRadio) {
    DriverRig d;
    d.environ.SetComPort(3);
    d.TickUntil([&] { return d.rig.seq->GetState() == clsMainSeq::Ready; });
    d.rig.seq->Start();
    d.TickUntil([&] { return d.rig.seq->GetCompletedCount() == 1; });
    EXPECT_EQ(d.rig.line.LastPortNumber(), 3);
    EXPECT_TRUE(d.Has("COM Open.....[OK]"));
    EXPECT_TRUE(d.Has("Connecting.....[OK]"));
    EXPECT_TRUE(d.Has("Pre Processing.....[OK]"));
    EXPECT_TRUE(d.Has("Writing ROM Data.....[OK]"));
    EXPECT_TRUE(d.Has("Disconnecting.....[OK]"));
    EXPECT_TRUE(d.Has("Completed (No.1)."));
    d.driver.SequenceTick();
    EXPECT_TRUE(d.Has("Connect Transceiver (No.2)."));
    EXPECT_TRUE(d.rig.boxes.boxes.size() == 1u);  // only the opening warning
}

TEST(clsSequenceDriver, AnErrorIsFramedInTheMemoAndBoxed) {
    BootRadioFaults faults;
    faults.noBootAnswer = true;
    DriverRig d(faults);
    d.TickUntil([&] { return d.rig.seq->GetState() == clsMainSeq::Ready; });
    d.rig.seq->Start();
    d.TickUntil([&] { return d.rig.boxes.boxes.size() == 2u; });
    const testsupport::RecordingBoxes::Box& box = d.rig.boxes.boxes.back();
    EXPECT_THAT(box.text, testing::StartsWith(
                              "Error \r\nCannot make boot mode.\r\n\r\nCheck the following:"));
    EXPECT_EQ(box.caption, "Merrow Rev.2.0 Flash Loader");
    EXPECT_EQ(box.icon, platform::BoxIcon::Error);
    const std::string memo = d.memo.Text();
    EXPECT_NE(memo.find("\r\n***********************\r\n" + box.text +
                        "\r\n***********************\r\n\r\n"),
              std::string::npos);
    EXPECT_FALSE(d.memo.ended);
}

TEST(clsSequenceDriver, ErrorTextsJoinTheirFields) {
    DriverRig d;
    EXPECT_THAT(d.driver.ShowSequenceError(clsMainSeq::Err_Bitrate),
                testing::StartsWith("Error in bitrate setting.\r\n\r\n"));
    EXPECT_EQ(d.driver.ShowSequenceError(clsMainSeq::Err_Product),
              "Error !\r\n\r\nIllegal ESN.\r\nFirmware update was cancelled.");
    EXPECT_EQ(d.driver.ShowSequenceError(clsMainSeq::Err_RomImage_Format),
              "Error \r\nIllegal ROM image file format.");
}

// Steps run on until one leaves the state as it was; the pace is fast only while a load runs,
// and while the port is open the next tick follows at once (each tick waits on the line).
TEST(clsSequenceDriver, OneTickRunsOnToAStateThatWaits) {
    DriverRig d;
    d.TickUntil([&] { return d.rig.seq->GetState() == clsMainSeq::Ready; });
    EXPECT_EQ(d.driver.NextTickMs(), clsSequenceDriver::kIdleTickMs);
    d.rig.seq->Start();
    d.driver.SequenceTick();
    // Start, open, the three line states and the set-up, then the first probe waits.
    EXPECT_EQ(d.rig.seq->GetState(), clsMainSeq::Boot_Check_Loop);
    EXPECT_TRUE(d.Has("COM Open.....[OK]"));
    EXPECT_EQ(d.driver.NextTickMs(), 0);
}

}  // namespace
