#include "tests/ui/CallingSheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "radio/ItemRegistry.h"
#include "radio/indActiveCell.h"
#include "ui/cuiSheet.h"

namespace testsupport {

void SettleWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
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
    sheet.reset();
    SettleWindows();
}

}  // namespace testsupport
