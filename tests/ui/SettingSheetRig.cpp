#include "tests/ui/SettingSheetRig.h"

#include <gtest/gtest.h>
#include <QTest>
#include <QVBoxLayout>

#include "common/cmcCanvas.h"
#include "radio/ImageLayout.h"
#include "radio/cmcTovFile.h"

namespace testsupport {

SettingSheetRig::SettingSheetRig(ModelType model) {
    table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
    LoadInitialFile(model);
    window.resize(760, 320);
    new QVBoxLayout(&window);
    window.show();
}

void SettingSheetRig::LoadInitialFile(ModelType model) {
    cmcTovFile file;
    file.SetImage(&ui.shell.image);
    file.SetModelId(layout::kModelCodeValue);
    file.SetMapRevHandler([](int) { return true; });
    file.SetHeaderHandler([](int, int, int*) { return true; });
    const std::string name = table.GetLine("GI_App_InitialFile", model);
    const int result = file.Read(std::string(MERROW_DATA_DIR) + "/" + name, nullptr);
    EXPECT_EQ(result, 0) << name;
    ui.shell.model = model;
}

void SettingSheetRig::Open(const std::string& name) {
    sheet.reset();
    painted.clear();
    sheet = std::make_unique<cuiSheet>(&window, nullptr, 0, 0, table, name);
    sheet->SetCellHandler([this](cmcCellCapsule& capsule, int notify) {
        const int result = dispatcher.DispatchItem(capsule, notify);
        if (!notify && capsule.canvas) {
            painted[capsule.cell->item] = {capsule.outText, capsule.canvas->GetTextColour()};
        }
        return result;
    });
    sheet->Show();
    Repaint();
}

void SettingSheetRig::Repaint() {
    window.grab();
}

bool SettingSheetRig::Press(int item, Qt::Key key) {
    const cuiSheetCells& cells = sheet->Cells();
    for (int row = 0; row < cells.Rows(); ++row) {
        for (int col = 0; col < cells.Cols(); ++col) {
            if (cells.At(col, row).cell.item == item) {
                sheet->Grid()->MoveTo(col, row);
                QTest::keyClick(sheet->Grid(), key);
                Repaint();
                return true;
            }
        }
    }
    return false;
}

bool SettingSheetRig::SaveScreenshot(const std::string& folder, const std::string& name) {
    return window.grab().save(QString::fromStdString(folder + "/" + name + ".png"));
}

}  // namespace testsupport
