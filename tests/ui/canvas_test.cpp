// The canvas on the offscreen platform: marks that clear without a trace,
// drawing again at another scale, and a list that stays small.
#include <QtTest>

#include "draw/geometry.h"
#include "ui/canvas_widget.h"
#include "ui/drawing_list.h"

using namespace velmora;
using velmora::ui::CanvasWidget;

namespace {

// A board's worth of drawing: background tiles, squares, their grid lines and a text.
void drawScene(CanvasWidget& c) {
    c.fillBackground(BACK_COLOR);
    c.setBackdrop(BG_TATAMI);
    for (int column = -3; column <= 29; ++column) {
        for (int row = -2; row <= 15; ++row) c.drawPicture(BG_TATAMI, gridX(LEFT_ORIGIN_X, column), gridY(row));
    }
    for (int f = 1; f <= 8; ++f) {
        for (int r = 1; r <= 8; ++r) {
            c.drawPicture((f + r) % 2 == 0 ? PIC_EMPTY_1 : PIC_EMPTY_0, gridX(LEFT_ORIGIN_X, f), gridY(r));
            c.drawOutline(gridX(LEFT_ORIGIN_X, f), gridY(r), SQUARE_WIDTH, SQUARE_HEIGHT, OUTLINE_COLOR);
        }
    }
    c.drawText(gridX(LEFT_ORIGIN_X, 10), gridY(4), "１２ 手目", 12, true, WHITE_COLOR);
}

}  // namespace

class CanvasTest : public QObject {
    Q_OBJECT
private slots:
    void aClearedMarkLeavesThePictureAsItWas();
    void drawingAgainAtAnotherScaleMatchesDrawingThere();
    void repeatedRedrawsKeepTheListSmall();
    void clicksMapThroughTheScale();
};

void CanvasTest::aClearedMarkLeavesThePictureAsItWas() {
    ui::Pictures pictures(1.0);
    CanvasWidget c(pictures);
    c.resize(860, 446);
    c.show();
    drawScene(c);
    const QImage before = c.backBuffer().copy();
    for (PaletteColour colour : {SELECT_COLOR, WHITE_COLOR}) {
        c.drawOutline(gridX(LEFT_ORIGIN_X, 3), gridY(5), SQUARE_WIDTH, SQUARE_HEIGHT, colour);
        QVERIFY(c.backBuffer() != before);
    }
    c.drawOutline(gridX(LEFT_ORIGIN_X, 3), gridY(5), SQUARE_WIDTH, SQUARE_HEIGHT, OUTLINE_COLOR);
    QCOMPARE(c.backBuffer(), before);
}

void CanvasTest::drawingAgainAtAnotherScaleMatchesDrawingThere() {
    ui::Pictures pictures(1.0);
    CanvasWidget grown(pictures);
    grown.resize(860, 446);
    grown.show();
    drawScene(grown);
    grown.drawOutline(gridX(LEFT_ORIGIN_X, 2), gridY(2), SQUARE_WIDTH, SQUARE_HEIGHT, SELECT_COLOR);
    (void)grown.backBuffer();
    grown.resize(1290, 700);
    CanvasWidget fresh(pictures);
    fresh.resize(1290, 700);
    fresh.show();
    drawScene(fresh);
    fresh.drawOutline(gridX(LEFT_ORIGIN_X, 2), gridY(2), SQUARE_WIDTH, SQUARE_HEIGHT, SELECT_COLOR);
    QCOMPARE(grown.transform().scale(), 1.5);
    QCOMPARE(grown.backBuffer(), fresh.backBuffer());
    // The margins carry the background tile, not the fill colour.
    const QColor green(0, 128, 0);
    int green_pixels = 0;
    const QImage& image = grown.backBuffer();
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < 60; ++x) green_pixels += image.pixelColor(x, y) == green;
    }
    QCOMPARE(green_pixels, 0);
}

void CanvasTest::repeatedRedrawsKeepTheListSmall() {
    ui::Pictures pictures(1.0);
    CanvasWidget c(pictures);
    c.resize(860, 446);
    c.show();
    drawScene(c);
    const std::size_t oneScene = c.drawing().ops().size();
    for (int i = 0; i < 50; ++i) drawScene(c);
    // Texts drawn over and over in one place, then covered by a redraw's tiles.
    for (int i = 0; i < 2000; ++i) c.drawText(gridX(LEFT_ORIGIN_X, 10), gridY(4), std::to_string(i), 12, true, WHITE_COLOR);
    for (int i = 0; i < 3; ++i) {
        for (int column = -3; column <= 29; ++column) {
            for (int row = -2; row <= 15; ++row) c.drawPicture(BG_TATAMI, gridX(LEFT_ORIGIN_X, column), gridY(row));
        }
    }
    QVERIFY2(c.drawing().ops().size() <= 2 * oneScene + 512, qPrintable(QString::number(c.drawing().ops().size())));
    QVERIFY(c.drawing().liveCount() <= oneScene);
}

void CanvasTest::clicksMapThroughTheScale() {
    ui::Pictures pictures(1.0);
    CanvasWidget c(pictures);
    c.resize(1720, 892 + 100);
    c.show();
    QCOMPARE(c.transform().scale(), 2.0);
    double x = 0, y = 0;
    connect(&c, &CanvasWidget::mouseDown, this, [&](velmora::MouseButton, double tx, double ty) {
        x = tx;
        y = ty;
    });
    // The centre of square (5, 7) of the left board, at twice the size and 50 px lower.
    const QPointF centre((LEFT_ORIGIN_X + 522 * 5 + 261) / 15.0, (ORIGIN_Y + 525 * 7 + 262) / 15.0);
    QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(int(centre.x() * 2), int(centre.y() * 2) + 50));
    QVERIFY(std::abs(x - (LEFT_ORIGIN_X + 522 * 5 + 261)) < 15);
    QVERIFY(std::abs(y - (ORIGIN_Y + 525 * 7 + 262)) < 15);
}

QTEST_MAIN(CanvasTest)
#include "canvas_test.moc"
