// The application object of the Merrow radio: model detection and the Model menu's change,
// the tree in step with the model type, maker mode by switch and by typing.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/clone/file/CloneFileResult.h"
#include "radio/clone/file/cmcTovFile.h"
#include "radio/image/ImageLayout.h"
#include "radio/packing/ImagePacking.h"
#include "tests/ui/support/MainRig.h"
#include "tests/ui/support/ProgramFolder.h"
#include "ui/dialogs/cuiAboutBox.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/sheet/iuiTree.h"
#include "ui/widgets/cuiGrid.h"
#include "ui/widgets/cuiMenu.h"
#include "ui/widgets/cuiStatusBar.h"

namespace {

using platform::BoxAnswer;
using testsupport::MainRig;
using testsupport::ProgramFolder;

class indMainTest : public ::testing::Test {
protected:
    // A model type's initial clone file, as a file load reads it.
    void ReadInitialFile(ModelType model, cmcEeprom& image) {
        image.Resize(layout::kImageSize);
        cmcTovFile file;
        file.SetImage(&image);
        file.SetMapRevHandler([](int mapRev) { return mapRev == 4; });
        file.SetHeaderHandler([this](int id1, int id2, int* code) {
            return rig.main->CheckFileHeader(id1, id2, *code);
        });
        const std::string path =
            folder.Path().string() + "/" + rig.table.GetLine("GI_App_InitialFile", model);
        ASSERT_EQ(file.Read(path, nullptr), TOV_Ok);
    }

    QStringList TopCaptions() {
        QStringList out;
        const QTreeWidgetItem* top = rig.main->Tree()->NodeAt(0);
        for (int i = 0; i < top->childCount(); ++i) {
            out << top->child(i)->text(0);
        }
        return out;
    }

    ProgramFolder folder;
    MainRig rig;
};

TEST_F(indMainTest, ATakenInImageSetsTheModelTypeWithoutAQuestion) {
    rig.Start();
    const struct {
        ModelType file;
        uint8_t set378;
        ModelType detected;
        const char* name;
    } cases[] = {
        {MT_Pmr, 0, MT_Pmr, "Merrow (PMR)"},
        {MT_VaskPmr, 0, MT_VaskPmr, "Merrow (PMR with Vask)"},
        {MT_MdcLmr, 0, MT_MdcLmr, "Merrow (LMR with MDC)"},
        // Byte 382 bit 0x01 with byte 377 bit 0x10 is PMR with MDC whatever byte 378 says.
        {MT_MdcPmr, 0x40, MT_MdcPmr, "Merrow (PMR with MDC)"},
        {MT_Lmr, 0, MT_Lmr, "Merrow (LMR)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        cmcEeprom& document = rig.main->CurrentImage();
        ReadInitialFile(c.file, document);
        document.SetByte(378, document.GetByte(378) | c.set378);
        document.SetByte(layout::kComment1, 'Q');
        EXPECT_EQ(rig.main->DetectModel(document), PACK_Ok);
        EXPECT_EQ(rig.main->CurrentModelType(), c.detected);
        EXPECT_EQ(rig.main->Tree()->NodeAt(0)->text(0).toStdString(), c.name);
        EXPECT_EQ(document.GetByte(layout::kComment1), 'Q') << "the image is kept";
        EXPECT_EQ(rig.settings.modelType, c.detected);
    }
    EXPECT_TRUE(rig.boxes.boxes.empty());
    // The tree follows: MSK for PMR with Vask only, MDC for the MDC types only.
    EXPECT_TRUE(TopCaptions().contains("Memory Channels"));
    EXPECT_FALSE(TopCaptions().contains("MDC Signalling"));
    rig.main->DetectModel(rig.main->CurrentImage());
    ReadInitialFile(MT_MdcPmr, rig.main->CurrentImage());
    rig.main->DetectModel(rig.main->CurrentImage());
    EXPECT_TRUE(TopCaptions().contains("MDC Signalling"));
    EXPECT_FALSE(TopCaptions().contains("MSK Signalling"));
    rig.Advance(60);
    EXPECT_EQ(rig.Node("GI_Sheet_Memory_CH_Top")->child(16)->text(0).left(4), "16: ");
    EXPECT_TRUE(rig.Node("[St_ChBank]GI_Sheet_Mch_PMRM,Bank 15"));
}

TEST_F(indMainTest, TheModelMenusChangeAsksAndStartsFromTheNewTypesInitialImage) {
    rig.Start();
    rig.main->CurrentImage().SetByte(layout::kComment1, 'Q');
    rig.main->UpdateModified();

    rig.main->ChangeModel(MT_Lmr, true);
    EXPECT_TRUE(rig.boxes.boxes.empty()) << "the same type does nothing";

    rig.boxes.Answer(BoxAnswer::Cancel);
    rig.main->ChangeModel(MT_VaskPmr, true);
    ASSERT_EQ(rig.boxes.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes.boxes[0].icon, platform::BoxIcon::Warning);
    EXPECT_EQ(rig.boxes.boxes[0].buttons, platform::BoxButtons::OkCancel);
    EXPECT_EQ(rig.boxes.boxes[0].caption, "Tarnwick");
    EXPECT_EQ(rig.main->CurrentModelType(), MT_Lmr);
    EXPECT_EQ(rig.main->CurrentImage().GetByte(layout::kComment1), 'Q');

    rig.main->ChangeModel(MT_VaskPmr, true);
    EXPECT_EQ(rig.main->CurrentModelType(), MT_VaskPmr);
    EXPECT_FALSE(rig.main->IsModified());
    EXPECT_TRUE(rig.main->IsUntitled());
    cmcEeprom initial;
    ReadInitialFile(MT_VaskPmr, initial);
    UnpackImage(initial, MT_VaskPmr, UNPACK_Reset);
    PackImage(initial, MT_VaskPmr);
    EXPECT_TRUE(initial.IsEqual(rig.main->CurrentImage())) << "the initial image, packed";
    EXPECT_TRUE(TopCaptions().contains("MSK Signalling"));
    rig.Advance(300);
    EXPECT_EQ(rig.main->OpenedSheetSpec(), "[St_Common]GI_Sheet_Radio_Top");
}

TEST_F(indMainTest, MakerModeByTheSwitchInAnyCase) {
    rig.Start(ItemRegistry::Program(), {"/usr/bin/tarnwick", "/HEARKEN"});
    ASSERT_EQ(rig.boxes.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes.boxes[0].buttons, platform::BoxButtons::OkCancel);
    EXPECT_TRUE(rig.main->InMakerMode());
    EXPECT_TRUE(TopCaptions().contains("Maker Adjustment"));

    // Status text, port, the maker panel (dark red, white text) and the empty last panel.
    cuiStatusBar* bar = rig.main->StatusBar();
    ASSERT_EQ(bar->PanelCount(), 4);
    EXPECT_EQ(rig.main->MakerPanel(), 2);
    EXPECT_TRUE(bar->PanelAt(2).ownerDrawn);
    EXPECT_FALSE(bar->PanelAt(3).ownerDrawn);
    EXPECT_EQ(bar->PanelAt(0).width,
              bar->width() - bar->PanelAt(1).width - bar->PanelAt(2).width - bar->PanelAt(3).width);
    const QImage picture = bar->grab().toImage();
    EXPECT_EQ(picture.pixelColor(bar->PanelRect(2).left() + 1, 1), QColor(0x80, 0, 0));

    rig.main->EnterMakerMode();
    EXPECT_EQ(rig.boxes.boxes.size(), 1u) << "on once, for good";
}

TEST_F(indMainTest, MakerModeAsksEveryTimeUntilConfirmed) {
    rig.boxes.Answer(BoxAnswer::Cancel);
    rig.Start(ItemRegistry::Program(), {"tarnwick", "/hearken", "/hearken"});
    EXPECT_EQ(rig.boxes.boxes.size(), 2u) << "asked again after the Cancel";
    EXPECT_TRUE(rig.main->InMakerMode());
}

// The word typed while the About box is open, in any mix of case.
TEST_F(indMainTest, MakerModeByTypingTheWordInTheAboutBox) {
    rig.Start();
    const auto typeInAboutBox = [&](const char* text) {
        rig.bus->Send(EV_ShowAbout);
        auto* about = dynamic_cast<cuiAboutBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(about);
        QTest::keyClicks(about->OkButton(), text);
        QTest::keyClick(about, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    rig.boxes.Answer(BoxAnswer::Cancel);
    typeInAboutBox("xHeArKeN");
    EXPECT_EQ(rig.boxes.boxes.size(), 1u);
    EXPECT_FALSE(rig.main->InMakerMode()) << "cancelled";
    EXPECT_FALSE(TopCaptions().contains("Maker Adjustment"));
    EXPECT_EQ(rig.main->StatusBar()->PanelCount(), 3);
    typeInAboutBox("hearken");
    EXPECT_TRUE(rig.main->InMakerMode());
    EXPECT_TRUE(TopCaptions().contains("Maker Adjustment"));
}

// In maker mode the adjustments are reached from the tree and edited on their sheets; outside
// it no node leads to them.
TEST_F(indMainTest, OnlyMakerModeReachesTheAdjustments) {
    rig.Start();
    EXPECT_EQ(rig.Node("GI_Sheet_Maker_Top"), nullptr);
    EXPECT_EQ(rig.Node("GI_Sheet_Maker_Pll"), nullptr);
    rig.main->EnterMakerMode();
    for (const char* spec : {"GI_Sheet_Maker_Top", "GI_Sheet_Maker_Squelch", "GI_Sheet_Maker_Pll",
                             "GI_Sheet_Maker_General"}) {
        ASSERT_NE(rig.Node(spec), nullptr) << spec;
    }
    rig.Choose(rig.Node("GI_Sheet_Maker_General"));
    ASSERT_EQ(rig.main->OpenedSheetSpec(), "GI_Sheet_Maker_General");
    cuiSheet* sheet = rig.main->OpenedSheet();
    sheet->Grid()->setFocus();
    const cuiSheetCells& cells = sheet->Cells();
    for (int row = 0; row < cells.Rows(); ++row) {
        for (int col = 0; col < cells.Cols(); ++col) {
            if (cells.At(col, row).cell.item == CL_Maker_SetModeAccess) {
                sheet->Grid()->MoveTo(col, row);
            }
        }
    }
    const uint8_t before = rig.main->CurrentImage().GetByte(11);
    QTest::keyClick(sheet->Grid(), Qt::Key_Space);
    EXPECT_EQ(rig.main->CurrentImage().GetByte(11), before ^ 0x08);
    EXPECT_TRUE(rig.main->IsModified());
    // Each page has its own help topic.
    for (const auto& [item, context] :
         {std::pair{CL_Maker_Sql_SigDetTimer, 311}, std::pair{CL_Maker_IfFreq, 312},
          std::pair{CL_Maker_SetModeAccess, 313}}) {
        cmcCellObj cell;
        cell.item = item;
        EXPECT_EQ(rig.main->GetHelpContext(cell), context) << item;
    }
}

// The Model menu's MDC entries are checked for their type; choosing one asks first and starts
// from that type's initial image.
TEST_F(indMainTest, TheModelMenusMdcEntries) {
    rig.Start();
    cuiMenu* menu = rig.main->Menu();
    QAction* mdcLmr = menu->FindItem(nullptr, CL_Model_MdcLmr);
    QAction* mdcPmr = menu->FindItem(nullptr, CL_Model_MdcPmr);
    ASSERT_TRUE(mdcLmr && mdcPmr);
    menu->UpdateAll();
    EXPECT_FALSE(mdcLmr->isChecked());
    EXPECT_FALSE(mdcPmr->isChecked());

    rig.boxes.Answer(BoxAnswer::Cancel);
    mdcPmr->trigger();
    EXPECT_EQ(rig.boxes.boxes.size(), 1u);
    EXPECT_EQ(rig.main->CurrentModelType(), MT_Lmr);
    EXPECT_FALSE(mdcPmr->isChecked());

    rig.boxes.Answer(BoxAnswer::Ok);
    mdcPmr->trigger();
    EXPECT_EQ(rig.main->CurrentModelType(), MT_MdcPmr);
    EXPECT_TRUE(mdcPmr->isChecked());
    EXPECT_FALSE(mdcLmr->isChecked());
    EXPECT_TRUE(TopCaptions().contains("MDC Signalling"));
    cmcEeprom initial;
    ReadInitialFile(MT_MdcPmr, initial);
    UnpackImage(initial, MT_MdcPmr, UNPACK_Reset);
    PackImage(initial, MT_MdcPmr);
    EXPECT_TRUE(initial.IsEqual(rig.main->CurrentImage())) << "the initial image, packed";

    mdcPmr->trigger();
    EXPECT_EQ(rig.boxes.boxes.size(), 2u) << "the type in force is not asked for again";
}

TEST_F(indMainTest, FileHeadersNewerDataAndAddressRanges) {
    rig.Start();
    int code = -1;
    EXPECT_TRUE(rig.main->CheckFileHeader(0x2726, 0, code));
    EXPECT_TRUE(rig.main->CheckFileHeader(0x2726, 0x0100, code));
    EXPECT_FALSE(rig.main->CheckFileHeader(0x2727, 0, code));
    EXPECT_EQ(code, TOV_Model);
    EXPECT_FALSE(rig.main->CheckFileHeader(0x2726, 1, code));
    EXPECT_EQ(code, TOV_Extra);

    cmcEeprom image;
    image.Resize(layout::kImageSize);
    image.SetByte(layout::kNewerDataMark, 1);
    EXPECT_FALSE(rig.main->IsNewerData(image));
    image.SetByte(layout::kNewerDataMark, 2);
    EXPECT_TRUE(rig.main->IsNewerData(image));

    const AddressRangeList write = rig.main->GetAddressRanges(0);
    ASSERT_EQ(CountRanges(write), 1);
    EXPECT_EQ(write[0].first, 256);
    EXPECT_EQ(write[0].last, 32735);
    for (int kind : {1, 2, 3, 7}) {
        const AddressRangeList ranges = rig.main->GetAddressRanges(kind);
        ASSERT_EQ(CountRanges(ranges), 1);
        EXPECT_EQ(ranges[0].first, 0) << kind;
        EXPECT_EQ(ranges[0].last, 32735) << kind;
    }
}

}  // namespace
