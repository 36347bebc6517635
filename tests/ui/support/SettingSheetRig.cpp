#include "tests/ui/support/SettingSheetRig.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <cstdlib>

#include "common/MainGTex.h"
#include "common/cmcCanvas.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/clone/file/cmcTovFile.h"
#include "radio/image/ImageLayout.h"
#include "radio/sheet/SheetSelector.h"
#include "ui/sheet/SheetFactory.h"

namespace testsupport {

SettingSheetRig::SettingSheetRig(ModelType model, int width, int height) {
    table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
    rig.shell.model = model;
    LoadInitialFile(model);
    window.resize(width, height);
    new QVBoxLayout(&window);
    window.show();
}

void SettingSheetRig::LoadInitialFile(ModelType model) {
    cmcTovFile file;
    file.SetImage(&rig.shell.image);
    file.SetModelId(layout::kModelCodeValue);
    file.SetMapRevHandler([](int) { return true; });
    file.SetHeaderHandler([](int, int, int*) { return true; });
    const std::string name = table.GetLine("GI_App_InitialFile", model);
    ASSERT_EQ(file.Read(std::string(MERROW_DATA_DIR) + "/" + name, nullptr), 0) << name;
}

void SettingSheetRig::Open(const std::string& name) {
    sheet.reset();
    painted.clear();
    const SheetSelector spec = SplitSheetSpec(name);
    sheet = MakeSheetOfStyle(spec.style, &window, table, spec.name, &images);
    sheet->SetArgs(spec.args);
    sheet->SetCellHandler([this](cmcCellCapsule& capsule, int notify) {
        const int result = dispatcher.DispatchItem(capsule, notify);
        if (!notify && capsule.canvas) {
            painted[{capsule.cell->item, capsule.cell->index}] = {
                capsule.outText, capsule.canvas->GetTextColour(), capsule.marks};
        }
        return result;
    });
    sheet->Show();
    Repaint();
}

void SettingSheetRig::Repaint() {
    window.grab();
}

void SettingSheetRig::MoveTo(int item, int index) {
    const cuiSheetCells& cells = sheet->Cells();
    for (int row = 0; row < cells.Rows(); ++row) {
        for (int col = 0; col < cells.Cols(); ++col) {
            const cmcCellObj& cell = cells.At(col, row).cell;
            if (cell.item == item && cell.index == index) {
                sheet->Grid()->MoveTo(col, row);
                return;
            }
        }
    }
    FAIL() << "no cell of item " << item << " [" << index << "]";
}

void SettingSheetRig::Press(int item, int index, Qt::Key key) {
    MoveTo(item, index);
    QTest::keyClick(sheet->Grid(), key);
    Repaint();
}

void SettingSheetRig::Type(int item, int index, const char* text) {
    Press(item, index, Qt::Key_Return);
    ASSERT_TRUE(sheet->EditorShowing()) << "item " << item << " [" << index << "]";
    sheet->Editor()->selectAll();
    QTest::keyClicks(sheet->Editor(), text);
    QTest::keyClick(sheet->Editor(), Qt::Key_Return);
    Repaint();
}

bool SettingSheetRig::SaveSheets(const char* variable, std::span<const char* const> names) {
    const char* folder = std::getenv(variable);
    if (!folder) {
        return false;
    }
    for (const char* name : names) {
        Open(name);
        const std::string file = std::string(folder) + "/" + name + ".png";
        EXPECT_TRUE(window.grab().save(QString::fromStdString(file))) << file;
    }
    return true;
}

}  // namespace testsupport
