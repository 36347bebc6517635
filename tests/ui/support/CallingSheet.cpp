#include "tests/ui/support/CallingSheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "radio/memmap/ItemRegistry.h"
#include "radio/memmap/indActiveCell.h"

namespace testsupport {

CallingSheet::CallingSheet(const std::string& cells, const ItemRegistry& rows, QSize size)
    : lines_{"#Cal_Style",     "",
             "#Cal_BasicCell", "{<-(Font=DEFAULT_CHARSET,Liberation Sans,clWindowText,-13,,,)}",
             "#Cal_Cells",     cells,
             "#End_Of_Ovl"} {
    for (const std::string& line : lines_) {
        pointers_.push_back(line.c_str());
    }
    table_.SetLines(pointers_.data(), static_cast<int>(pointers_.size()));
    Build(table_, "Cal", rows, size);
}

void CallingSheet::Build(cmcGTex& table, const char* name, const ItemRegistry& rows, QSize size,
                         const cuiImageList* images) {
    host.resize(size);
    sheet = std::make_unique<cuiSheet>(&host, nullptr, 0, 0, table, name, images);
    sheet->SetCellHandler([&rows](cmcCellCapsule& capsule, int notify) {
        return indActiveCell(rows).DispatchItem(capsule, notify);
    });
    host.show();
    QApplication::setActiveWindow(&host);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
    sheet->Show();
    sheet->Grid()->setFocus();
}

CallingSheet::~CallingSheet() {
    Close();
}

void CallingSheet::Press(int col, int row, Qt::Key key) {
    sheet->GoToCell(col, row);
    QTest::keyClick(sheet->Grid(), key);
}

void CallingSheet::Close() {
    sheet.reset();
    Settle();
}

void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

}  // namespace testsupport
