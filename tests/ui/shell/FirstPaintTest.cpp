// What the program does ahead of its window's first paint changes no pixel: the tool bar drawn
// in tiles, the window's picture made before it shows, the icons drawn in a side thread.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QToolBar>
#include <QVBoxLayout>

#include "common/cmcGTex.h"
#include "tests/ui/support/DispatchDouble.h"
#include "tests/ui/support/TestApp.h"
#include "ui/paint/ToolBarImages.h"
#include "ui/paint/cuiDrawnPictures.h"
#include "ui/shell/cuiSurfaceWarmUp.h"
#include "ui/widgets/cuiToolBar.h"

namespace {

const char* const kBarTable[] = {
    "#Bar_BasicCell",
    "{}",
    "#Bar_Body",
    "New File\t{(%CL_Menu_File_New)(ImageIndex=0)}",
    "-",
    "Port COM1\t{(%CL_Menu_Port_Com[1])(ImageIndex=3)}",
    "Read from Radio\t{(%CL_Menu_Clone_Read)(ImageIndex=7)}",
    "#",
    "#End_Of_Ovl",
};

QImage Shot(QWidget& widget) {
    return widget.grab().toImage();
}

// A row of the tool bar looks as the application's own style draws it, lying along the top
// or standing at the side of the window.
TEST(FirstPaint, AToolBarRowLooksAsTheApplicationStyleDrawsIt) {
    testsupport::EnsureTestApp();
    for (const Qt::ToolBarArea area : {Qt::TopToolBarArea, Qt::LeftToolBarArea}) {
        cmcGTex table;
        table.SetLines(kBarTable);
        const cuiImageList images = ToolBarImages();
        QMainWindow window;
        window.resize(640, 480);
        window.setCentralWidget(new QLabel("Tarnwick"));
        cuiToolBar bar(&window, table, "Bar", images, testsupport::CommandRows::Registry());
        bar.Build();
        QToolBar* row = bar.Rows().at(0);
        window.addToolBar(area, row);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_NE(row->style(), QApplication::style());
        const QImage tiled = Shot(*row);
        row->setStyle(nullptr);
        EXPECT_EQ(Shot(*row), tiled) << "area " << area;
    }
}

// A window with some parts, as the main window is.
struct PartsWindow {
    explicit PartsWindow(QSize size) {
        window.resize(size);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(new QLabel("Common Settings"));
        layout->addWidget(new QLabel("Port COM1: /dev/ttyS0"));
    }
    QImage OnScreen() {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::processEvents();
        return window.screen()->grabWindow(window.winId()).toImage();
    }
    QWidget window;
};

// A window whose picture was made ahead paints into it as any other window does, also when it
// is given another size before it shows.
TEST(FirstPaint, AWindowWhosePictureWasMadeAheadPaintsAsAnyOther) {
    testsupport::EnsureTestApp();
    for (const QSize shown : {QSize(500, 300), QSize(620, 410)}) {
        PartsWindow plain(shown);
        const QImage expected = plain.OnScreen();
        plain.window.hide();
        PartsWindow ahead(QSize(500, 300));
        const cuiSurfaceWarmUp surface(ahead.window);
        ahead.window.resize(shown);
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(ahead.OnScreen(), expected) << shown.width();
    }
}

void PaintBar(QPainter& p) {
    p.fillRect(QRectF(2, 4, 12, 3), Qt::blue);
}
void PaintNumber(QPainter& p) {
    QFont font = p.font();
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(3, 3, 10, 10), Qt::AlignCenter, "7");
}
void PaintDot(QPainter& p) {
    p.setBrush(Qt::red);
    p.drawEllipse(QPointF(8, 8), 3, 3);
}

// Each picture is its painter's drawing, taken as soon as the list is made (before the side
// thread has drawn it, most likely) and later (from the side thread): a picture with text
// comes out the same from either thread's fonts.
TEST(FirstPaint, APictureIsTheSameWhetherDrawnAheadOrWhenAskedFor) {
    testsupport::EnsureTestApp();
    const std::vector<cuiDrawnPictures::Painter> painters = {PaintNumber, PaintBar, PaintDot};
    const cuiDrawnPictures pictures(painters, 16);
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = static_cast<int>(painters.size()) - 1; i >= 0; --i) {
            EXPECT_EQ(pictures.Picture(i),
                      cuiDrawnPictures::Draw(painters[static_cast<std::size_t>(i)], 16))
                << "picture " << i << " pass " << pass;
        }
        QThread::msleep(100);
    }
}

}  // namespace
