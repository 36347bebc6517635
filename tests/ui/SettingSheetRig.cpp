#include "tests/ui/SettingSheetRig.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QTest>
#include <QVBoxLayout>

#include "common/cmcCanvas.h"
#include "radio/ImageLayout.h"
#include "radio/cmcTovFile.h"

namespace testsupport {

SettingSheetRig::SettingSheetRig(ModelType model) {
    table.SetFileName(MERROW_DATA_DIR "/Tarnwick.OVL");
    rig.shell.model = model;
    cmcTovFile file;
    file.SetImage(&rig.shell.image);
    file.SetModelId(layout::kModelCodeValue);
    file.SetMapRevHandler([](int) { return true; });
    file.SetHeaderHandler([](int, int, int*) { return true; });
    const std::string name = table.GetLine("GI_App_InitialFile", model);
    EXPECT_EQ(file.Read(std::string(MERROW_DATA_DIR) + "/" + name, nullptr), 0) << name;
    window.resize(760, 320);
    new QVBoxLayout(&window);
    window.show();
}

void SettingSheetRig::Open(const std::string& name) {
    sheet.reset();
    painted_.clear();
    sheet = std::make_unique<cuiSheet>(&window, nullptr, 0, 0, table, name);
    sheet->SetCellHandler([this](cmcCellCapsule& capsule, int notify) {
        const int result = dispatcher.DispatchItem(capsule, notify);
        if (!notify && capsule.canvas) {
            painted_[{capsule.cell->item, capsule.cell->index}] = {capsule.outText,
                                                                   capsule.canvas->GetTextColour()};
        }
        return result;
    });
    sheet->Show();
    Repaint();
}

void SettingSheetRig::Repaint() {
    window.grab();
}

void SettingSheetRig::Press(int item, Qt::Key key, int index) {
    const cuiSheetCells& cells = sheet->Cells();
    for (int row = 0; row < cells.Rows(); ++row) {
        for (int col = 0; col < cells.Cols(); ++col) {
            const cmcCellObj& cell = cells.At(col, row).cell;
            if (cell.item == item && cell.index == index) {
                sheet->Grid()->MoveTo(col, row);
                QTest::keyClick(sheet->Grid(), key);
                Repaint();
                return;
            }
        }
    }
    ADD_FAILURE() << "no cell of item " << item << " index " << index;
}

const SettingSheetRig::Painted& SettingSheetRig::At(int item, int index) {
    return painted_[{item, index}];
}

bool SettingSheetRig::SaveShot(const std::string& folder, const std::string& name) {
    return window.grab().save(QString::fromStdString(folder + "/" + name + ".png"));
}

}  // namespace testsupport
