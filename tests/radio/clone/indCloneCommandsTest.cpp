#include "radio/clone/indCloneCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/CurrentEvMan.h"
#include "common/GetTextBlock.h"
#include "common/cmcEvMan.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/clone/CDrvCodes.h"
#include "radio/clone/CloneErrorText.h"
#include "radio/host/CloneCommandHost.h"
#include "radio/host/CloneDocument.h"
#include "radio/image/BankTable.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/ImageWords.h"
#include "radio/memmap/BankChannelEdits.h"
#include "radio/memmap/indActiveCell.h"
#include "radio/packing/ImageCheck.h"
#include "radio/packing/ImageFinalise.h"
#include "radio/packing/ImagePacking.h"
#include "radio/packing/NewerDataLockout.h"
#include "radio/records/UsedChannels.h"
#include "radio/records/datCh.h"
#include "tests/radio/support/CloneRig.h"
#include "tests/support/ChannelBank.h"
#include "tests/support/FakeShell.h"
#include "tests/support/ScopedInstall.h"
#include "tools/initial_files/InitialImage.h"

namespace {

using platform::BoxAnswer;
using platform::BoxIcon;
using radiotest::CloneRig;
using sim::CloneFaultKind;

constexpr int kRadioPart = layout::kRadioPartSize;
constexpr int kTone = 10000;

// The model type's default image as the program keeps it: its initial image, working tables
// reset from the templates.
void MakeDefaults(ModelType model, cmcEeprom& defaults) {
    ASSERT_TRUE(initial::BuildInitialImage(model, defaults));
    ASSERT_EQ(UnpackImage(defaults, model, UNPACK_Reset), PACK_Ok);
}

// The application object's document, with a model switch and taking in as the program has them.
class FakeDocument : public CloneDocument {
public:
    cmcEeprom& CurrentImage() override { return image; }
    const cmcEeprom& DefaultImage() override { return defaults; }
    ModelType CurrentModelType() override { return model; }
    bool IsMakerMode() override { return maker; }
    void DetectModel(cmcEeprom& taken) override {
        ++detections;
        if (ModelTypeFromImage(taken) != model) {
            model = ModelTypeFromImage(taken);
            MakeDefaults(model, defaults);
        }
        EXPECT_EQ(FinaliseImage(taken, defaults, model, FINALISE_TakenIn), PACK_Ok);
    }
    int CheckImage(const cmcEeprom& taken, bool full) override {
        return ::CheckImage(taken, image, full);
    }
    bool IsNewerData(const cmcEeprom& taken) override { return ::IsNewerData(taken); }
    void SetModified() override { modified = true; }
    void ClearModified() override { modified = false; }
    void SetFileName(const std::string& name) override { fileName = name; }

    void Reset() {
        maker = false;
        detections = 0;
        modified = false;
        fileName = "radio.tov";
    }

    // A new document of the model type with channels in bank 0 (each with its own frequency),
    // finalised as a save leaves it.
    void New(ModelType type, int channels) {
        model = type;
        MakeDefaults(model, defaults);
        image.Assign(defaults);
        testsupport::FillFirstBank(image, model, channels);
        ASSERT_EQ(FinaliseImage(image, defaults, model, FINALISE_GoingOut), PACK_Ok);
    }

    cmcEeprom image;
    cmcEeprom defaults;
    ModelType model = MT_Lmr;
    bool maker = false;
    int detections = 0;
    bool modified = false;
    std::string fileName = "radio.tov";
};

class FakeHost : public CloneCommandHost {
public:
    bool ConfirmDiscard() override {
        ++discardQuestions;
        return discardAnswer;
    }
    bool ConfirmMakerWrite() override {
        ++makerQuestions;
        return makerAnswer;
    }
    void ClosePopups() override { ++popupCloses; }
    void CloseSheet() override { ++sheetCloses; }
    int CountDataErrors() override { return dataErrors; }
    void ShowCloneInformation(const CloneIdentityBlock& block) override { shown.push_back(block); }

    bool discardAnswer = true;
    bool makerAnswer = true;
    int dataErrors = 0;
    int discardQuestions = 0;
    int makerQuestions = 0;
    int popupCloses = 0;
    int sheetCloses = 0;
    std::vector<CloneIdentityBlock> shown;
};

// Boxes that note how many identity requests the radio had heard when each box came up.
class WatchingBoxes : public testsupport::RecordingBoxes {
public:
    explicit WatchingBoxes(const sim::CloneCable& cable) : cable_(cable) {}
    BoxAnswer Show(const std::string& text, const std::string& caption, BoxIcon icon,
                   platform::BoxButtons buttons) override {
        identitiesAtBox.push_back(cable_.Seen(0xE0));
        return RecordingBoxes::Show(text, caption, icon, buttons);
    }
    std::vector<int> identitiesAtBox;

private:
    const sim::CloneCable& cable_;
};

void CountModelChanges(void* data, const cmcEvent& event) {
    if (event.type == EV_ModelChanged)
        ++*static_cast<int*>(data);
}

// The fixture is open to the case tables' arrangements.
class CloneCommandsTest : public ::testing::Test {
public:
    void SetUp() override {
        busInstalled.reset();
        bus.reset();
        commands.reset();
        boxes.reset();
        rig.reset();
        document.Reset();
        host = FakeHost();
        rig = std::make_unique<CloneRig>();
        boxes = std::make_unique<WatchingBoxes>(rig->cable);
        commands = std::make_unique<indCloneCommands>(rig->manager, document, host);
        bus = std::make_unique<cmcEvMan>();
        busInstalled.emplace(bus.get());
        bus->AddListener(CountModelChanges, &modelChanges);
        modelChanges = 0;
        document.New(MT_Pmr, 3);
        saved.Assign(document.image);
        radioBefore = rig->radio.Memory();
    }

    // The radio holds a document's radio part.
    void LoadRadio(const cmcEeprom& image) {
        std::copy_n(image.GetData(), kRadioPart, rig->radio.Memory().begin());
        radioBefore = rig->radio.Memory();
    }

    void Run() { EXPECT_TRUE(rig->RunUntilIdle(200000)); }

    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes->boxes)
            texts.push_back(box.text);
        return texts;
    }
    std::string Block(const std::string& key) { return GetTextBlock(rig->table, key); }
    std::vector<std::string> ErrorBox(int code) { return {CloneErrorText(code, CloneRig::kPort)}; }

    bool DocumentUnchanged() const {
        return document.image.IsEqual(saved) && !document.modified &&
               document.fileName == "radio.tov" && document.detections == 0;
    }
    bool RadioUnchanged() const { return rig->radio.Memory() == radioBefore; }

    // The identity the radio answers, its last address replaced.
    void SetIdentityLastAddress(const std::string& characters) {
        std::vector<uint8_t> block = rig->radio.IdentityBlock();
        std::copy(characters.begin(), characters.end(), block.begin() + 52);
        dst_CDrv_Result result;
        result.mode = 1;
        result.code = CDRV_Ok;
        result.infoWord0 = 0x2726;
        result.payload.SetBytes(block.data(), static_cast<int>(block.size()));
        commands->CheckCloneIdentity(result);
        ASSERT_EQ(result.code, CDRV_Ok);
    }

    std::unique_ptr<CloneRig> rig;
    std::unique_ptr<WatchingBoxes> boxes;
    FakeDocument document;
    FakeHost host;
    std::unique_ptr<indCloneCommands> commands;
    std::unique_ptr<cmcEvMan> bus;
    std::optional<testsupport::ScopedEvMan> busInstalled;
    int modelChanges = 0;
    cmcEeprom saved;
    std::vector<uint8_t> radioBefore;
};

// --- Clone Read ----------------------------------------------------------------------------

TEST_F(CloneCommandsTest, ReadTakesTheRadiosImageAndItsModelType) {
    FakeDocument radioDocument;
    radioDocument.New(MT_VaskPmr, 5);
    LoadRadio(radioDocument.image);
    document.New(MT_Lmr, 0);

    commands->CloneRead();
    Run();
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(host.discardQuestions, 1);
    EXPECT_EQ(rig->cable.Seen(0xE0), 1);
    EXPECT_EQ(rig->cable.Seen(0xE2), 1);
    EXPECT_EQ(document.model, MT_VaskPmr);
    EXPECT_EQ(document.detections, 1);
    EXPECT_EQ(std::memcmp(document.image.GetData(), radioDocument.image.GetData(), kRadioPart), 0);
    EXPECT_EQ(CountUsedChannels(document.image, MT_VaskPmr), 5) << "working tables rebuilt";
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(document.fileName, "");
    EXPECT_EQ(host.sheetCloses, 1);
    EXPECT_EQ(modelChanges, 1);
    EXPECT_TRUE(RadioUnchanged());
}

// A radio that names an end beyond its memory is read up to the end of the radio part: the
// image and its received bitmap never reach the working tables.
TEST_F(CloneCommandsTest, ReadStopsAtTheRadioPartWhateverTheIdentitySays) {
    LoadRadio(document.image);
    rig->radio.SetLastAddress(0xFFFF);
    document.New(MT_Lmr, 0);
    commands->CloneRead();
    Run();
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(document.model, MT_Pmr);
    EXPECT_EQ(std::memcmp(document.image.GetData(), saved.GetData(), kRadioPart), 0);
    EXPECT_EQ(CountUsedChannels(document.image, MT_Pmr), 3);
}

TEST_F(CloneCommandsTest, ReadEndAddressFromTheIdentityBlock) {
    struct Case {
        const char* characters;
        int last;
    };
    const Case cases[] = {
        {"7FDF", 32735}, {"0FA0", 4015},  {"0fa0", 4015},
        {"0FAF", 4015},  {"0FA?", 4015},  // not a digit: 0
        {"FFFF", 32735}, {"8000", 32735}, {"0000", 15},
    };
    for (const Case& c : cases) {
        SetIdentityLastAddress(c.characters);
        EXPECT_EQ(commands->ReadEndAddress(), c.last) << c.characters;
    }
}

// Every refusal of a read leaves the document as it was; the manager's box names the cause.
TEST_F(CloneCommandsTest, AFailedReadLeavesTheDocument) {
    struct Case {
        const char* name;
        std::function<void(CloneCommandsTest&)> arrange;
        int code;
    };
    const Case cases[] = {
        {"newer memory map", [](CloneCommandsTest& t) { t.rig->radio.SetRevisions(0x12, 5); },
         CDRV_RadioNewer},
        {"no image of this radio", [](CloneCommandsTest&) {}, CDRV_ImageRejected},
        {"newer data",
         [](CloneCommandsTest& t) {
             cmcEeprom newer;
             newer.Assign(t.document.image);
             newer.SetByte(layout::kNewerDataMark, 2);
             t.LoadRadio(newer);
         },
         CDRV_NewerLocked},
        {"bad data frame",
         [](CloneCommandsTest& t) {
             t.LoadRadio(t.document.image);
             t.rig->radio.AddFault({CloneFaultKind::BadChecksum, 9});
         },
         CDRV_Format},
        {"silent radio",
         [](CloneCommandsTest& t) { t.rig->radio.AddFault({CloneFaultKind::SilentIdentity}); },
         CDRV_Timeout},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.arrange(*this);
        commands->CloneRead();
        Run();
        EXPECT_EQ(BoxTexts(), ErrorBox(c.code));
        EXPECT_TRUE(DocumentUnchanged());
        EXPECT_EQ(host.sheetCloses, 0);
        EXPECT_EQ(modelChanges, 0);
    }
}

// Only a finished identity exchange of this model with a whole block is taken.
TEST_F(CloneCommandsTest, IdentityCheck) {
    const std::vector<uint8_t> good = rig->radio.IdentityBlock();
    struct Case {
        const char* name;
        int mode;
        int code;
        int word0;
        int length;
        uint8_t lengthByte;
        uint8_t mapRevision;
        int expected;
    };
    const Case cases[] = {
        {"this radio", 1, CDRV_Ok, 0x2726, 68, 68, 4, CDRV_Ok},
        {"an older map", 1, CDRV_Ok, 0x2726, 68, 68, 3, CDRV_Ok},
        {"another model", 1, CDRV_Ok, 0x2725, 68, 68, 4, CDRV_InfoRejected},
        {"a short block", 1, CDRV_Ok, 0x2726, 67, 68, 4, CDRV_InfoRejected},
        {"a long block", 1, CDRV_Ok, 0x2726, 69, 68, 4, CDRV_InfoRejected},
        {"a block of another length", 1, CDRV_Ok, 0x2726, 68, 67, 4, CDRV_InfoRejected},
        {"a newer map", 1, CDRV_Ok, 0x2726, 68, 68, 5, CDRV_RadioNewer},
        {"a failed exchange", 1, CDRV_Timeout, 0x2725, 68, 68, 5, CDRV_Timeout},
        {"a read", 2, CDRV_Ok, 0x2725, 68, 68, 5, CDRV_Ok},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> block = good;
        block.resize(c.length, ' ');
        block[0] = c.lengthByte;
        block[35] = c.mapRevision;
        dst_CDrv_Result result;
        result.mode = c.mode;
        result.code = c.code;
        result.infoWord0 = c.word0;
        result.payload.SetBytes(block.data(), c.length);
        commands->CheckCloneIdentity(result);
        EXPECT_EQ(result.code, c.expected) << c.name;
    }
}

TEST_F(CloneCommandsTest, ReadCancelledAtTheSaveQuestionDoesNothing) {
    host.discardAnswer = false;
    commands->CloneRead();
    Run();
    EXPECT_EQ(rig->cable.Seen(0xE0), 0);
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_TRUE(DocumentUnchanged());
}

// --- Clone Information ------------------------------------------------------------------------

TEST_F(CloneCommandsTest, InformationShowsTheRadiosIdentity) {
    rig->radio.SetRevisions(0x21, 4);
    commands->CloneInfo();
    Run();
    const std::vector<uint8_t> expected = rig->radio.IdentityBlock();
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), host.shown[0].begin()));
    EXPECT_EQ(commands->IdentityBlock(), host.shown[0]);
    EXPECT_EQ(commands->IdentityWord0(), 0x2726);
    EXPECT_EQ(commands->IdentityWord1(), 0x0200);
    EXPECT_EQ(host.discardQuestions, 0);
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_TRUE(DocumentUnchanged());

    rig->radio.AddFault({CloneFaultKind::SilentIdentity});
    commands->CloneInfo();
    Run();
    EXPECT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(BoxTexts(), ErrorBox(CDRV_Timeout));
}

TEST_F(CloneCommandsTest, NoCommandStartsWhileAnExchangeRuns) {
    commands->CloneInfo();
    commands->CloneInfo();
    commands->CloneRead();
    commands->CloneWrite();
    Run();
    EXPECT_EQ(rig->cable.Seen(0xE0), 1);
    EXPECT_EQ(host.shown.size(), 1u);
    EXPECT_TRUE(BoxTexts().empty());
}

// --- Clone Write ----------------------------------------------------------------------------

// Two identity exchanges with the confirmation between them, then the document's radio part
// from address 256 to the end of its packed area; the document itself does not change.
TEST_F(CloneCommandsTest, WriteSendsTheDocumentAfterTheConfirmation) {
    commands->CloneWrite();
    Run();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{Block("GI_Mess_Confirm_CloneWrite"),
                                                    Block("GI_Mess_CloneWrite_Succeeded")}));
    EXPECT_EQ(boxes->boxes[0].icon, BoxIcon::Warning);
    EXPECT_EQ(boxes->boxes[0].buttons, platform::BoxButtons::OkCancel);
    EXPECT_EQ(boxes->boxes[1].icon, BoxIcon::Information);
    EXPECT_EQ(boxes->identitiesAtBox, (std::vector<int>{1, 2}));
    EXPECT_EQ(rig->cable.Seen(0xE3), 1);
    EXPECT_EQ(host.popupCloses, 1);
    EXPECT_EQ(host.sheetCloses, 1);

    const int end = indCloneCommands::WriteEndAddress(document.image);
    EXPECT_EQ(end, 4191);  // three channels pack up to 4078
    const std::vector<uint8_t>& radio = rig->radio.Memory();
    for (int a = 0; a < kRadioPart; ++a) {
        const uint8_t expected = a >= 256 && a <= end ? saved.GetByte(a) : radioBefore[a];
        ASSERT_EQ(radio[a], expected) << "address " << a;
    }
    EXPECT_TRUE(DocumentUnchanged());
}

// The copy carries the radio's map revision and the two-tone bounds of its revision; the
// maker writes from address 0.
TEST_F(CloneCommandsTest, WriteMadeReadyForTheIdentifiedRadio) {
    document.New(MT_Lmr, 1);
    datCh code(&document.image);
    code.Load(RK_2ToneCode, 1);
    code.toneA = kTone;
    code.toneB = 2 * kTone;
    code.Store();
    saved.Assign(document.image);
    document.maker = true;
    rig->radio.SetRevisions(0x12, 3);

    commands->CloneWrite();
    Run();
    EXPECT_EQ(host.makerQuestions, 1);
    EXPECT_EQ(BoxTexts().back(), Block("GI_Mess_CloneWrite_Succeeded"));
    const uint8_t* radio = rig->radio.Memory().data();
    EXPECT_EQ(radio[layout::kMapRevision], 3);
    EXPECT_EQ(document.image.GetByte(layout::kMapRevision), 4);
    const uint8_t* bounds = radio + layout::kTwoToneBoundsArea.At(1);
    EXPECT_EQ(GetBE16(bounds), 9800);
    EXPECT_EQ(GetBE16(bounds + 2), 10200);
    EXPECT_EQ(GetBE16(bounds + 4), 19600);
    EXPECT_EQ(GetBE16(bounds + 6), 20400);
    EXPECT_EQ(std::memcmp(radio, saved.GetData(), layout::kMapRevision), 0) << "from address 0";
    EXPECT_TRUE(document.image.IsEqual(saved));
}

TEST_F(CloneCommandsTest, WriteRefusals) {
    struct Case {
        const char* name;
        std::function<void(CloneCommandsTest&)> arrange;
        std::vector<std::string> keys;  // boxes shown, as text blocks
        int identities;
    };
    const Case cases[] = {
        {"no channel in use",
         [](CloneCommandsTest& t) { t.document.New(MT_Pmr, 0); },
         {"GI_AppMess_CloneErr_NoActualCh"},
         0},
        {"errors in the data",
         [](CloneCommandsTest& t) { t.host.dataErrors = 1; },
         {"GI_Mess_DataError"},
         0},
        {"MDC data for a radio without MDC",
         [](CloneCommandsTest& t) {
             t.document.New(MT_MdcPmr, 2);
             t.rig->radio.SetIdentityWords(0x2726, 0x0100);
         },
         {"GI_Mess_CloneErr_MDC_Head"},
         1},
        {"confirmation cancelled",
         [](CloneCommandsTest& t) { t.boxes->Answer(BoxAnswer::Cancel); },
         {"GI_Mess_Confirm_CloneWrite"},
         1},
        {"maker caution cancelled",
         [](CloneCommandsTest& t) {
             t.document.maker = true;
             t.host.makerAnswer = false;
         },
         {},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.arrange(*this);
        saved.Assign(document.image);
        commands->CloneWrite();
        Run();
        std::vector<std::string> expected;
        for (const std::string& key : c.keys)
            expected.push_back(Block(key));
        EXPECT_EQ(BoxTexts(), expected);
        EXPECT_EQ(rig->cable.Seen(0xE0), c.identities);
        EXPECT_EQ(rig->cable.Seen(0xE3), 0);
        EXPECT_TRUE(RadioUnchanged());
        EXPECT_TRUE(document.image.IsEqual(saved));
    }
}

// A refusal (FA) at the request or at an acknowledgement point says the radio refused the
// data, not that its answer could not be understood; a refused end frame keeps its own text.
TEST_F(CloneCommandsTest, AWriteTheRadioRefusesShowsItsCode) {
    struct Case {
        CloneFaultKind kind;
        int index;
        std::string box;
    };
    const Case cases[] = {
        {CloneFaultKind::EndAnswerNg, 0, CloneErrorText(CDRV_NotAcked, CloneRig::kPort)},
        {CloneFaultKind::RefuseRequest, 0, CloneErrorText(CDRV_Format, CloneRig::kPort, true)},
        {CloneFaultKind::RefuseAck, 3, CloneErrorText(CDRV_Format, CloneRig::kPort, true)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        SetUp();
        rig->radio.AddFault({c.kind, c.index});
        commands->CloneWrite();
        Run();
        EXPECT_EQ(BoxTexts(),
                  (std::vector<std::string>{Block("GI_Mess_Confirm_CloneWrite"), c.box}));
        EXPECT_EQ(host.sheetCloses, 0);
        EXPECT_TRUE(DocumentUnchanged());
    }
    EXPECT_TRUE(BoxTexts()[1].starts_with("The radio refused the data the PC sent.\n\n"));
}

// Cancel in the progress window: the exchange stops and the document stays as it was.
TEST_F(CloneCommandsTest, CancelDuringAReadAndAWrite) {
    for (bool write : {false, true}) {
        SCOPED_TRACE(write ? "write" : "read");
        SetUp();
        LoadRadio(document.image);
        document.New(MT_Lmr, 2);
        saved.Assign(document.image);
        rig->progressView.onShow = [this](const CloneProgress& progress) {
            if (progress.litCells >= 4)
                rig->progressView.PressCancel();
        };
        write ? commands->CloneWrite() : commands->CloneRead();
        Run();
        EXPECT_EQ(BoxTexts().size(), write ? 1u : 0u) << "only the confirmation";
        EXPECT_TRUE(DocumentUnchanged());
        EXPECT_FALSE(rig->line.IsOpen(testsupport::FakeSerialLine::Side::Program));
        EXPECT_FALSE(rig->mainWindow.locked);
        EXPECT_EQ(host.sheetCloses, 0);
    }
    EXPECT_EQ(rig->radio.WritesDone(), 0);
}

TEST(NewerData, IsRefusedOnlyWhileTheLockOutIsOn) {
    cmcEeprom image;
    image.Resize(layout::kImageSize);
    for (const char* lockOut : {"0", "1"}) {
        const char* const lines[] = {"#GI_Sys_LockoutNewerData", lockOut, "#End_Of_Ovl"};
        cmcGTex table;
        table.SetLines(lines);
        const testsupport::ScopedMainGTex installed(&table);
        for (uint8_t mark : std::initializer_list<uint8_t>{0, 1, 2, 255}) {
            image.SetByte(layout::kNewerDataMark, mark);
            EXPECT_EQ(IsNewerData(image), lockOut[0] == '1' && mark > 1)
                << "lock-out " << lockOut << ", mark " << int(mark);
        }
    }
}

TEST(CloneWriteEnd, ThirtyTwoBytesShortOfTheBlockBeyondThePackedArea) {
    struct Case {
        int packedEnd;
        int last;
    };
    const Case cases[] = {
        {3976, 4063}, {4010, 4063},   {4063, 4063},   {4064, 4191},
        {4159, 4191}, {20120, 20191}, {32736, 32735},  // never beyond the radio part
    };
    cmcEeprom image;
    image.Resize(layout::kImageSize);
    for (const Case& c : cases) {
        SetBE16(image.GetData() + layout::kPackedEnd, c.packedEnd);
        EXPECT_EQ(indCloneCommands::WriteEndAddress(image), c.last) << c.packedEnd;
    }
}

// LMR images get bounds by the radio's revision; code 0, the "no code" entry, keeps its bytes.
TEST_F(CloneCommandsTest, TwoToneLimitsByTheRadiosRevision) {
    struct Case {
        ModelType model;
        uint8_t revision;
        int lowA, highA;
    };
    const Case cases[] = {
        {MT_Lmr, 0x11, 9700, 10300},    {MT_Lmr, 0x12, 9800, 10200}, {MT_Lmr, 0x20, 9800, 10200},
        {MT_MdcLmr, 0x10, 9700, 10300}, {MT_Pmr, 0x12, -1, -1},  // not a two-tone model: untouched
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << " revision " << int(c.revision));
        SetUp();
        rig->radio.SetRevisions(c.revision, 4);
        commands->CloneInfo();
        Run();
        document.New(c.model, 1);
        cmcEeprom image;
        image.Assign(document.image);
        uint8_t* bytes = image.GetData();
        for (int code = 1; code <= 10; ++code) {
            uint8_t* tones = bytes + layout::kTwoToneTxArea.At(code) + 8;
            SetBE16(tones, kTone);
            SetBE16(tones + 2, kTone);
        }
        std::fill_n(bytes + layout::kTwoToneBoundsArea.At(0), 8, 0xA5);
        std::fill_n(bytes + layout::kTxCodeArea.At(0) - 14, 14, 0x5A);
        cmcEeprom before;
        before.Assign(image);

        commands->SetTwoToneLimits(image);
        EXPECT_EQ(std::memcmp(bytes + layout::kTwoToneBoundsArea.At(0),
                              before.GetData() + layout::kTwoToneBoundsArea.At(0), 8),
                  0);
        if (c.lowA < 0) {
            EXPECT_TRUE(image.IsEqual(before));
            continue;
        }
        for (int code = 1; code <= 10; ++code) {
            const uint8_t* bounds = bytes + layout::kTwoToneBoundsArea.At(code);
            EXPECT_EQ(GetBE16(bounds), c.lowA) << code;
            EXPECT_EQ(GetBE16(bounds + 2), c.highA) << code;
        }
    }
}

// --- The channels' road, below the window ---------------------------------------------------

// The program's part of the bus for the channel cells: the open sheet shows bank 0, and the main
// window opens and removes the channels they ask for.
void RunBankZero(void* data, const cmcEvent& event) {
    auto* shell = static_cast<testsupport::FakeShell*>(data);
    if (event.type == EV_QueryCurrentBank) {
        CurrentEvMan()->Answer(0, 0);
    } else if (event.type == EV_InsertChannel || event.type == EV_DeleteChannel) {
        RunChannelEvent(*shell, event);
    }
}

// One key, typed text or pop-up menu command on a channel cell, as the bank sheet hands it on.
void RunChannelCell(int item, int index, int key, const std::string* text = nullptr,
                    int command = 0) {
    cmcCellObj cell;
    cell.category = CT_Mch;
    cell.item = item;
    cell.index = index;
    int control = 0;
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    capsule.control = &control;
    capsule.key = key;
    capsule.command = command;
    if (text) {
        capsule.inputMode = kInputText;
        capsule.inText = *text;
    }
    indActiveCell().DispatchItem(capsule, 1);
    CurrentEvMan()->Pump();
}

void TypeFrequency(int index, const std::string& mhz) {
    RunChannelCell(CL_Mch_FreqR, index, mhz[0]);
    RunChannelCell(CL_Mch_FreqR, index, 0, &mhz);
}

// The radio is read; in bank 0 a channel is opened from the empty row and named, channel 1 is
// copied onto another new channel and then deleted; the radio is written back and then holds
// the channels so edited.
TEST_F(CloneCommandsTest, ChannelsEditedAfterAReadAreWrittenBack) {
    FakeDocument radioDocument;
    radioDocument.New(MT_Pmr, 3);
    LoadRadio(radioDocument.image);
    document.New(MT_Lmr, 0);
    commands->CloneRead();
    Run();
    ASSERT_EQ(CountUsedChannels(document.image, MT_Pmr), 3);

    testsupport::FakeShell shell;
    shell.image.Assign(document.image);
    shell.defaultImage.Assign(document.defaults);
    shell.model = document.model;
    shell.runListEdits = true;
    bus->AddListener(RunBankZero, &shell);
    TypeFrequency(3, "146.52");
    const std::string name = "PORT";
    RunChannelCell(CL_Mch_Text, 3, 0, &name);
    RunChannelCell(CL_Mch_FreqR, 1, 0, nullptr, CL_PMenu_Copy);
    TypeFrequency(4, "440");
    RunChannelCell(CL_Mch_FreqR, 4, 0, nullptr, CL_PMenu_Paste);
    RunChannelCell(CL_Mch_FreqR, 1, 0, nullptr, CL_PMenu_Delete);
    bus->RemoveListener(RunBankZero, &shell);
    ASSERT_EQ(GetBankSizeOf(shell.image, 0), 4);
    document.image.Assign(shell.image);

    boxes->boxes.clear();
    commands->CloneWrite();
    Run();
    EXPECT_EQ(BoxTexts().back(), Block("GI_Mess_CloneWrite_Succeeded"));
    cmcEeprom written;
    written.Assign(document.defaults);
    std::copy_n(rig->radio.Memory().begin(), kRadioPart, written.GetData());
    ASSERT_EQ(UnpackImage(written, MT_Pmr, UNPACK_FromPackedArea), PACK_Ok);
    EXPECT_EQ(GetBankSizeOf(written, 0), 4);
    datCh channel(&written);
    const int frequencies[] = {446006250, 446031250, 146520000, 446018750};
    for (int c = 0; c < 4; ++c) {
        channel.Load(RK_ChPmr, c);
        EXPECT_EQ(channel.rxFreq, frequencies[c]) << c;
    }
    channel.Load(RK_ChPmr, 2);
    EXPECT_EQ(std::string(channel.name.begin(), channel.name.end()), "PORT    ");
}

}  // namespace
