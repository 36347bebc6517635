#include "radio/clone/indCloneMan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "radio/clone/CDrvCodes.h"
#include "radio/clone/CloneErrorText.h"
#include "tests/radio/support/CloneRig.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedInstall.h"
#include "tools/clone_radio/WakeScript.h"

namespace {

using radiotest::CloneRig;
using sim::CloneFaultKind;
using testsupport::FakeSerialLine;

constexpr int kModelCode = 0x2726;
constexpr int kDocumentSize = 48880;

enum class Exchange { Info, Read, Write };

// What the completion saw, and what stood around it when it ran.
struct Done {
    int code;
    uint32_t at;
    size_t boxesShown;
    bool windowLocked;
    bool progressOpen;
    bool portOpen;
};

class CloneManTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.reset();  // one rig at a time: each installs the clock, the line and the table
        rig = std::make_unique<CloneRig>();
        rig->radio.SetLastAddress(0x0FFF);  // a radio of 4096 bytes keeps the exchanges short
        rig->manager.SetModelWords(kModelCode, 0);
        rig->manager.SetMemorySize(kDocumentSize);
        image.Resize(kDocumentSize);
        for (int a = 0; a < kDocumentSize; ++a)
            image.SetByte(a, static_cast<uint8_t>(a * 7 + 3));
    }

    indCloneMan::Closure Record() {
        return [this](dst_CDrv_Result& result) {
            done = Done{result.code,
                        rig->time.Now(),
                        rig->boxes.boxes.size(),
                        rig->mainWindow.locked,
                        rig->progressView.open,
                        rig->line.IsOpen(FakeSerialLine::Side::Program)};
        };
    }

    bool Start(Exchange exchange) {
        switch (exchange) {
            case Exchange::Info:
                return rig->manager.StartInfo(Record());
            case Exchange::Read:
                return rig->manager.StartRead(&kReadRanges, Record());
            case Exchange::Write:
                return rig->manager.StartWrite(image, &kWriteRanges, Record());
        }
        return false;
    }

    int Run(Exchange exchange) {
        done.reset();
        EXPECT_TRUE(Start(exchange));
        EXPECT_TRUE(rig->RunUntilIdle());
        return done ? done->code : -1;
    }

    // The extra wake-up bytes before the request frame of the command.
    int CommandPreamble(uint8_t command) const {
        const std::vector<uint8_t> w = rig->line.Written(FakeSerialLine::Side::Program);
        for (size_t i = 0; i + 2 < w.size(); ++i) {
            if (w[i] == 0xEE && w[i + 1] == 0xEF && w[i + 2] == command) {
                size_t first = i;
                while (first > 0 && w[first - 1] == 0xFE)
                    --first;
                return static_cast<int>(i - first) - 2;
            }
        }
        return -1;
    }

    const AddressRangeList kReadRanges{{0, 4095}, {1, 0}};
    const AddressRangeList kWriteRanges{{256, 1023}, {1, 0}};
    std::unique_ptr<CloneRig> rig;
    cmcEeprom image;
    std::optional<Done> done;
};

TEST(CloneScript, IsTheOneTheSimulatedRadioExpects) {
    for (bool highSpeed : {false, true}) {
        for (bool write : {false, true}) {
            EXPECT_EQ(indCloneMan::BuildScriptText(kModelCode, highSpeed, write),
                      sim::WakeScript(highSpeed, write))
                << "high speed " << highSpeed << ", write " << write;
        }
    }
}

// The script groups and the transfer settings open the port in order; the command frames
// carry the speed's wake-up bytes. An information exchange is always slow.
TEST_F(CloneManTest, LineSettingsFollowTheSpeedSetting) {
    struct Case {
        const char* name;
        int highSpeed;
        Exchange exchange;
        uint8_t command;
        std::vector<uint32_t> rates;
        int preamble;
    };
    const Case cases[] = {
        {"information", 1, Exchange::Info, 0xE0, {38400, 9600, 38400, 9600}, 12},
        {"fast read", 1, Exchange::Read, 0xE2, {38400, 9600, 9600, 38400}, 48},
        {"slow read", 0, Exchange::Read, 0xE2, {38400, 9600, 38400, 9600}, 12},
        {"fast write", 1, Exchange::Write, 0xE3, {38400, 9600, 9600, 38400}, 48},
        {"slow write", 0, Exchange::Write, 0xE3, {38400, 9600, 38400, 9600}, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        rig->settings.highSpeed = c.highSpeed;
        rig->manager.SetOnInfo([](dst_CDrv_Result&) {});
        rig->manager.SetOnRead([](dst_CDrv_Result&) {});
        EXPECT_EQ(Run(c.exchange), CDRV_Ok);
        EXPECT_EQ(rig->AppliedRates(), c.rates);
        EXPECT_EQ(CommandPreamble(c.command), c.preamble);
        EXPECT_TRUE(rig->boxes.boxes.empty());
    }
    EXPECT_EQ(rig->radio.Memory()[1023], image.GetByte(1023));
}

// The checks may change the code; a finished exchange without its check is refused, a failed
// one keeps its own code. The box comes first, then the window is free again and the
// completion runs.
TEST_F(CloneManTest, ChecksDecideTheCodeTheBoxShows) {
    struct Case {
        const char* name;
        Exchange exchange;
        std::optional<int> checkSets;  // none: no check closure installed
        bool silentRadio;
        int code;
    };
    const Case cases[] = {
        {"identity without its check", Exchange::Info, std::nullopt, false, CDRV_InfoRejected},
        {"identity the check refuses", Exchange::Info, CDRV_RadioNewer, false, CDRV_RadioNewer},
        {"silent radio, no check", Exchange::Info, std::nullopt, true, CDRV_Timeout},
        {"read without its check", Exchange::Read, std::nullopt, false, CDRV_Missing},
        {"read the check takes", Exchange::Read, CDRV_Ok, false, CDRV_Ok},
        {"read the check refuses", Exchange::Read, CDRV_NewerLocked, false, CDRV_NewerLocked},
        {"write", Exchange::Write, std::nullopt, false, CDRV_Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        if (c.checkSets) {
            const int code = *c.checkSets;
            auto check = [code](dst_CDrv_Result& result) { result.code = code; };
            rig->manager.SetOnInfo(check);
            rig->manager.SetOnRead(check);
        }
        if (c.silentRadio)
            rig->radio.AddFault({CloneFaultKind::SilentIdentity});
        EXPECT_EQ(Run(c.exchange), c.code);
        const std::string text = CloneErrorText(c.code, CloneRig::kPort);
        ASSERT_EQ(rig->boxes.boxes.size(), text.empty() ? 0u : 1u);
        if (!text.empty()) {
            EXPECT_EQ(rig->boxes.boxes[0].text, text);
            EXPECT_EQ(rig->boxes.boxes[0].caption, "Tarnwick");
            EXPECT_EQ(rig->boxes.boxes[0].icon, platform::BoxIcon::Error);
        }
        EXPECT_EQ(done->boxesShown, rig->boxes.boxes.size()) << "the box comes before";
        EXPECT_FALSE(done->windowLocked);
        EXPECT_FALSE(done->progressOpen);
        EXPECT_FALSE(done->portOpen);
    }
}

TEST_F(CloneManTest, APortThatWillNotOpenIsNamedInItsBox) {
    rig->settings.portNumber = 3;
    rig->line.RefuseOpen(FakeSerialLine::Side::Program, true);
    EXPECT_EQ(Run(Exchange::Info), CDRV_PortOpen);
    ASSERT_EQ(rig->boxes.boxes.size(), 1u);
    EXPECT_TRUE(rig->boxes.boxes[0].text.starts_with("The serial port COM3 cannot be opened.\n\n"))
        << rig->boxes.boxes[0].text;
}

// Each code's head line, a blank line and the check lines that fit it.
TEST(CloneErrorText, EachCodeShowsItsHeadAndItsCheckLines) {
    const char* const lines[] = {
        "#GI_Mess_CloneErr_Head",
        "H0",
        "H1",
        "COM%d won't open (100%s)",
        "H3",
        "H4",
        "H5",
        "H6",
        "H7",
        "H8",
        "H9",
        "H10",
        "H11",
        "H12",
        "H13",
        "H14",
        "H15",
        "H16",
        "H17",
        "H18",
        "#GI_Mess_CloneErr_Refused",
        "R",
        "#GI_Mess_CloneErr_Check",
        "C0",
        "C1",
        "C2",
        "C3",
        "C4",
        "C5",
        "C6",
        "C7",
        "C8",
        "#End_Of_Ovl",
    };
    cmcGTex table;
    table.SetLines(lines);
    const testsupport::ScopedMainGTex installed(&table);
    const std::string usual = "\n\nC0\nC1\nC2\nC3";
    const std::string identity = "\n\nC0\nC1\nC2\nC3\nC4\nC5";
    struct Case {
        int code;
        std::string text;
    };
    const Case cases[] = {
        {CDRV_Ok, ""},
        {CDRV_Cancelled, ""},
        {CDRV_PortOpen, "COM7 won't open (100%s)" + usual},  // only the number is put in
        {3, "H3" + usual},
        {CDRV_Echo, "H4" + usual},
        {CDRV_Timeout, "H5" + usual},
        {CDRV_Format, "H6" + usual},
        {CDRV_Count, "H7" + usual},
        {CDRV_Missing, "H8" + usual},
        {CDRV_BadAddress, "H9" + usual},
        {CDRV_NotAcked, "H10\n\nC0\nC2\nC3"},
        {CDRV_InfoRejected, "H11" + identity},
        {12, "H12" + identity},
        {13, "H13\n\nC6\nC7"},
        {CDRV_RadioNewer, "H14\n\nC0\nC4\nC5"},
        {CDRV_ImageRejected, "H15" + usual},
        {CDRV_NewerLocked, "H16\n\n"},
        {CDRV_PortError, "H17" + usual},
        {CDRV_LineBusy, "H18\n\nC8"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CloneErrorText(c.code, 7), c.text) << "code " << c.code;
    }
    // The radio's refusal of written data is a format error of its own wording.
    EXPECT_EQ(CloneErrorText(CDRV_Format, 7, true), "R\n\nC0\nC1\nC4\nC5");
    EXPECT_EQ(CloneErrorText(CDRV_Timeout, 7, true), "H5" + usual);
}

// The program's own table words every code a box can show.
TEST(CloneErrorText, TheProgramsTableWordsEveryCode) {
    testsupport::RecordingBoxes boxes;
    cmcGTex table;
    table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
    const testsupport::ScopedMainGTex installed(&table);
    for (int code = CDRV_PortOpen; code <= CDRV_LineBusy; ++code) {
        const std::string text = CloneErrorText(code, 2);
        const std::string head = text.substr(0, text.find('\n'));
        EXPECT_GT(head.size(), 20u) << code;
        EXPECT_EQ(head.find('%'), std::string::npos) << code;
    }
    EXPECT_TRUE(CloneErrorText(CDRV_Format, 2, true).starts_with("The radio refused the data"));
    EXPECT_TRUE(boxes.fatals.empty());
}

// The bar fills as the data comes, with the stage of the exchange; the window is open and the
// main window disabled while the read runs, and both are back before the completion.
TEST_F(CloneManTest, ProgressOfARead) {
    rig->manager.SetOnRead([](dst_CDrv_Result&) {});
    std::vector<bool> lockedWhileShown;
    rig->progressView.onShow = [&](const CloneProgress&) {
        lockedWhileShown.push_back(rig->mainWindow.locked);
    };
    EXPECT_EQ(Run(Exchange::Read), CDRV_Ok);
    const auto& shows = rig->progressView.shows;
    ASSERT_GT(shows.size(), 20u);
    EXPECT_EQ(rig->progressView.opens, 1);
    EXPECT_EQ(rig->progressView.closes, 1);
    EXPECT_EQ(rig->mainWindow.locks, rig->mainWindow.unlocks);
    EXPECT_TRUE(
        std::all_of(lockedWhileShown.begin(), lockedWhileShown.end(), [](bool b) { return b; }));
    EXPECT_EQ(shows.front().litCells, 0);
    EXPECT_EQ(shows.front().stage, CloneStage::Waking);
    EXPECT_EQ(shows.back().litCells, CloneProgressView::kCells);
    EXPECT_TRUE(std::is_sorted(shows.begin(), shows.end(), [](const auto& a, const auto& b) {
        return a.litCells < b.litCells;
    }));
    std::vector<CloneStage> stages;
    for (const CloneProgress& show : shows) {
        if (stages.empty() || stages.back() != show.stage)
            stages.push_back(show.stage);
        EXPECT_EQ(show.stageText,
                  rig->table.GetLine("GI_Mess_Clone_Stage", static_cast<int>(show.stage)));
    }
    EXPECT_TRUE(std::is_sorted(stages.begin(), stages.end())) << "a stage came back";
    EXPECT_EQ(stages.back(), CloneStage::Reading);
}

TEST_F(CloneManTest, AnInformationExchangeShowsNoProgress) {
    rig->manager.SetOnInfo([](dst_CDrv_Result&) {});
    ASSERT_TRUE(Start(Exchange::Info));
    EXPECT_TRUE(rig->mainWindow.locked);
    EXPECT_TRUE(rig->RunUntilIdle());
    EXPECT_EQ(done->code, CDRV_Ok);
    EXPECT_EQ(rig->progressView.opens, 0);
    EXPECT_EQ(rig->mainWindow.locks, 1);
    EXPECT_EQ(rig->mainWindow.unlocks, 1);
}

TEST_F(CloneManTest, OneExchangeAtATime) {
    ASSERT_TRUE(Start(Exchange::Info));
    EXPECT_FALSE(Start(Exchange::Info));
    EXPECT_FALSE(Start(Exchange::Read));
    EXPECT_FALSE(Start(Exchange::Write));
    EXPECT_TRUE(rig->RunUntilIdle());
    EXPECT_EQ(rig->cable.Seen(0xE0), 1);
    EXPECT_EQ(rig->progressView.opens, 0);
    EXPECT_EQ(rig->mainWindow.locks, rig->mainWindow.unlocks);
}

// Cancel stops the exchange at once: its port closes, nothing more is sent, no box, and the
// completion sees the cancel.
TEST_F(CloneManTest, CancelStopsAReadAndAWrite) {
    for (Exchange exchange : {Exchange::Read, Exchange::Write}) {
        SCOPED_TRACE(exchange == Exchange::Read ? "read" : "write");
        SetUp();
        rig->manager.SetOnRead([](dst_CDrv_Result&) {});
        std::optional<uint32_t> cancelledAt;
        rig->progressView.onShow = [&](const CloneProgress& progress) {
            if (progress.litCells >= 8 && !cancelledAt) {
                cancelledAt = rig->time.Now();
                rig->progressView.PressCancel();
            }
        };
        EXPECT_EQ(Run(exchange), CDRV_Cancelled);
        ASSERT_TRUE(cancelledAt);
        EXPECT_LE(done->at - *cancelledAt, 2u);
        EXPECT_FALSE(done->portOpen);
        EXPECT_FALSE(done->progressOpen);
        EXPECT_FALSE(done->windowLocked);
        EXPECT_TRUE(rig->boxes.boxes.empty());
        EXPECT_EQ(rig->BytesWrittenSince(*cancelledAt + 1), 0);
    }
    EXPECT_LT(rig->radio.FramesWritten(), (1024 - 256) / 16) << "the write did not go on";
}

// An exchange started while the radio still sends the rest of a cancelled read waits for it
// in the progress window, which an information exchange opens for the wait, then completes.
TEST_F(CloneManTest, TheWaitForTheRadioShowsInTheProgressWindow) {
    for (Exchange exchange : {Exchange::Info, Exchange::Read, Exchange::Write}) {
        SCOPED_TRACE(static_cast<int>(exchange));
        SetUp();
        rig->manager.SetOnInfo([](dst_CDrv_Result&) {});
        rig->manager.SetOnRead([](dst_CDrv_Result&) {});
        rig->progressView.onShow = [&](const CloneProgress& progress) {
            if (progress.litCells >= 2)
                rig->progressView.PressCancel();
        };
        EXPECT_EQ(Run(Exchange::Read), CDRV_Cancelled);
        rig->progressView.onShow = nullptr;
        rig->progressView.shows.clear();

        EXPECT_EQ(Run(exchange), CDRV_Ok);
        const std::string waiting = rig->table.GetLine("GI_Mess_Clone_Stage", 5);
        const auto& shows = rig->progressView.shows;
        const auto wait = std::find_if(shows.begin(), shows.end(), [&](const CloneProgress& p) {
            return p.stage == CloneStage::RadioSending && p.stageText == waiting;
        });
        EXPECT_NE(wait, shows.end()) << "the wait was shown";
        EXPECT_EQ(rig->progressView.opens, 2);
        EXPECT_FALSE(rig->progressView.open);
        EXPECT_EQ(rig->mainWindow.locks, rig->mainWindow.unlocks);
        EXPECT_TRUE(rig->boxes.boxes.empty());
    }
    EXPECT_EQ(rig->radio.Memory()[1023], image.GetByte(1023));
}

// A write lengthens the engine's time-outs; the next read waits the usual second again.
TEST_F(CloneManTest, AReadAfterAWriteWaitsTheUsualTime) {
    rig->manager.SetOnRead([](dst_CDrv_Result&) {});
    EXPECT_EQ(Run(Exchange::Write), CDRV_Ok);
    rig->radio.AddFault({CloneFaultKind::SilentFromData, 0});
    EXPECT_EQ(Run(Exchange::Read), CDRV_Timeout);
    uint32_t lastSent = 0;
    for (const auto& byte : rig->line.bytes)
        if (byte.from == FakeSerialLine::Side::Program)
            lastSent = byte.time;
    EXPECT_GE(done->at - lastSent, 1000u);
    EXPECT_LT(done->at - lastSent, 1200u);
}

}  // namespace
