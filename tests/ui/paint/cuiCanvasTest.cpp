#include "ui/paint/cuiCanvas.h"

#include <gtest/gtest.h>

#include <QImage>

#include "common/TextHelpers.h"
#include "tests/ui/support/TestApp.h"
#include "ui/paint/DrawnIcon.h"
#include "ui/paint/ToolBarImages.h"
#include "ui/paint/cuiDrawnPictures.h"

namespace {

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::EnsureTestApp();
        image.fill(Qt::white);
    }
    QImage image{40, 40, QImage::Format_RGB32};
};

TEST_F(CanvasTest, FillsRectanglesAndPolygonsInClassLibraryColours) {
    {
        QPainter painter(&image);
        cuiCanvas canvas(painter, QPalette());
        canvas.FillRect({0, 28, 40, 12}, 0x00808080);
        canvas.FillPolygon({{2, 2}, {20, 2}, {20, 20}, {2, 20}}, 0x000000FF);
    }
    EXPECT_EQ(image.pixelColor(30, 35), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(30, 27), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(10, 10), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(25, 10), QColor(Qt::white));
}

// A shape comes out as its triangles drawn one by one at its origin, the first time and again
// from the cache at other places, also where a trailing corner makes no triangle; a shape
// without a triangle draws nothing.
TEST_F(CanvasTest, AShapeIsItsTrianglesOneByOneWhereverItIsPlaced) {
    const std::vector<CanvasPoint> corners = {{0, 0},  {20, 2}, {7, 17}, {20, 2},  {25, 24},
                                              {7, 17}, {1, 20}, {9, 26}, {-1, 25}, {14, 14}};
    const std::vector<CanvasPoint> origins = {{2, 3}, {11, 9}, {2, 3}};
    QImage single = image;
    {
        QPainter painter(&single);
        cuiCanvas canvas(painter, QPalette());
        for (const CanvasPoint& origin : origins) {
            for (std::size_t at = 0; at + 3 <= corners.size(); at += 3) {
                std::vector<CanvasPoint> triangle;
                for (std::size_t p = at; p < at + 3; ++p) {
                    triangle.push_back({corners[p].x + origin.x, corners[p].y + origin.y});
                }
                canvas.FillPolygon(triangle, 0x000000FF);
            }
        }
    }
    {
        QPainter painter(&image);
        cuiCanvas canvas(painter, QPalette());
        canvas.FillShape({4, 4}, {}, 0x000000FF);  // a blank character draws nothing
        for (const CanvasPoint& origin : origins) {
            canvas.FillShape(origin, corners, 0x000000FF);
        }
    }
    EXPECT_EQ(image, single);
    EXPECT_EQ(image.pixelColor(15, 10), QColor(255, 0, 0));
}

TEST_F(CanvasTest, TextIsDrawnAndMeasuredInTheCanvasFont) {
    QPainter painter(&image);
    cuiCanvas canvas(painter, QPalette());
    cmcFont font;
    font.height = -12;
    canvas.SetFont(font);
    const int small = canvas.TextWidth("WWW");
    EXPECT_GT(small, 0);
    font.height = -24;
    canvas.SetFont(font);
    EXPECT_GT(canvas.TextWidth("WWW"), small);
    int width = 0;
    int height = 0;
    MeasureTextBlock(canvas, "W\nW", width, height);
    EXPECT_EQ(height, 2 * canvas.TextHeight("W"));
    canvas.SetTextColour(0x00FF0000);
    EXPECT_EQ(canvas.GetTextColour(), 0x00FF0000u);
    EXPECT_EQ(canvas.Font().height, -24);
    canvas.TextOut(0, 0, "W");
    painter.end();
    bool blue = false;
    for (int y = 0; y < 30 && !blue; ++y) {
        for (int x = 0; x < 30 && !blue; ++x) {
            const QColor c = image.pixelColor(x, y);
            blue = c.blue() > 200 && c.red() < 100;
        }
    }
    EXPECT_TRUE(blue);
}

void PaintBar(QPainter& p) {
    p.fillRect(QRectF(2, 4, 12, 3), Qt::blue);
}
void PaintDot(QPainter& p) {
    p.setBrush(Qt::red);
    p.drawEllipse(QPointF(8, 8), 3, 3);
}

// A list's pictures drawn ahead at the size it is shown at, and those of other sizes drawn when
// asked for, are each its own painter's drawing.
TEST(IconList, EachPictureIsItsPaintersDrawingAtEverySize) {
    testsupport::EnsureTestApp();
    const IconRow rows[] = {{nullptr, PaintBar}, {nullptr, PaintDot}};
    const cuiImageList list = IconList(rows);
    for (int size : {16, 32, 16}) {
        for (int i = 0; i < 2; ++i) {
            const QImage drawn = cuiDrawnPictures::Draw(rows[i].paint, size);
            EXPECT_EQ(list.Icon(i).pixmap(size, size).toImage().convertToFormat(drawn.format()),
                      drawn)
                << i << " at " << size;
        }
    }
}

TEST(ToolBarImages, ThirteenPicturesEachDrawn) {
    testsupport::EnsureTestApp();
    const cuiImageList images = ToolBarImages();
    ASSERT_EQ(images.Count(), 13);
    for (int i = 0; i < images.Count(); ++i) {
        EXPECT_FALSE(images.Icon(i).pixmap(16, 16).isNull()) << i;
    }
    EXPECT_TRUE(images.Icon(-1).isNull());
    EXPECT_TRUE(images.Icon(13).isNull());
}

}  // namespace
