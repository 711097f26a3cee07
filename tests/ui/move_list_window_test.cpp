// The move list beside the boards, the last move's marks and dragging a
// piece, in the window on the offscreen platform.
#include <QAction>
#include <QMenuBar>
#include <QMouseEvent>
#include <QtTest>

#include "draw/geometry.h"
#include "draw/move_marks.h"
#include "record/listed_moves.h"
#include "record/replay.h"
#include "sound_warning_watch.h"
#include "ui/main_window.h"
#include "ui/move_list_panel.h"
#include "ui/palette.h"
#include "window_helpers.h"

using namespace velmora;
using velmora::ui::MainWindow;
using namespace velmora::testing;
using velmora::ui::PictureTransform;
using velmora::ui::CanvasWidget;

namespace {

// A client area of this size.
void resizeClient(MainWindow& w, QSize client) {
    w.resize(client + QSize(0, w.menuBar()->height()));
    QCoreApplication::processEvents();
    QCOMPARE(w.canvas().size(), client);
}

void clickMove(MainWindow& w, BoardId id, int ff, int fr, int tf, int tr) {
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, id, ff, fr));
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, id, tf, tr));
    QVERIFY(settled(w));
}

// A pixel of the last move's ring on a square: two pixels in from the
// square's left edge, half way down.
QColor ringPixel(MainWindow& w, BoardId id, int file, int rank) {
    const QPoint p = w.canvas().toWidget(QPointF(std::lround((originX(id) + 522.0 * file) / 15) + 2,
                                                 std::lround((900 + 525.0 * rank + 262) / 15)));
    return w.canvas().backBuffer().pixelColor(p * w.canvas().devicePixelRatioF());
}

void mouseMoveHeld(QWidget* widget, QPoint at, Qt::MouseButton held) {
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

}  // namespace

class MoveListWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(folder_.isValid() && QDir::setCurrent(folder_.path())); }
    void theListStandsBesideTheBoardsOnlyWhereThereIsRoom();
    void theListFollowsTheGameAndAClickStepsThere();
    void theCurrentMoveIsAlwaysWhollyInView();
    void theLastMoveIsMarkedOnBothSquareColours();
    void aDraggedPieceFollowsThePointerAndMovesOnRelease();

private:
    QTemporaryDir folder_;
    SoundWarningWatch soundWarnings_;
};

void MoveListWindowTest::theListStandsBesideTheBoardsOnlyWhereThereIsRoom() {
    MainWindow w;
    startAtNaturalSize(w);
    ui::MoveListPanel& list = w.moveList();
    // The default size: no list, the picture as it always was.
    QVERIFY(!list.isVisible());
    QCOMPARE(w.canvas().transform(), PictureTransform::fit(w.canvas().size(), w.canvas().devicePixelRatioF()));
    QCOMPARE(w.canvas().transform().scale(), 1.0);
    // A pixel short of the boards' natural size beside the list: still none.
    resizeClient(w, QSize(860 + ui::PictureTransform::PANEL_WIDTH - 1, 600));
    QVERIFY(!list.isVisible());
    // Wide but short: the height sets the boards' scale and leaves the width
    // beside them unused, so the list stands there at the same scale.
    resizeClient(w, QSize(1900, 300));
    QVERIFY(list.isVisible());
    QCOMPARE(w.canvas().transform().scale(), 300.0 / 446);
    const QRect shortPicture = w.canvas().transform().widgetRect(w.canvas().transform().pictureDeviceRect());
    QVERIFY(shortPicture.right() < list.geometry().left());
    QCOMPARE(list.geometry().right(), w.canvas().width() - 1);
    QCOMPARE(list.height(), shortPicture.height());
    // Where the width limits the boards, there is no room beside them.
    resizeClient(w, QSize(900, 600));
    QVERIFY(!list.isVisible());
    // Room for both: the list at the right edge, as tall as the picture, the
    // picture scaled into the rest.
    resizeClient(w, QSize(1400, 700));
    QVERIFY(list.isVisible());
    const double scale = 1400.0 / (860 + ui::PictureTransform::PANEL_WIDTH);
    QCOMPARE(w.canvas().transform().scale(), scale);
    const QRect picture = w.canvas().transform().widgetRect(w.canvas().transform().pictureDeviceRect());
    QCOMPARE(list.geometry().right(), w.canvas().width() - 1);
    QCOMPARE(list.width(), int(std::lround(ui::PictureTransform::PANEL_WIDTH * scale)));
    QCOMPARE(list.geometry().top(), picture.top());
    QCOMPARE(list.height(), picture.height());
    QVERIFY(picture.right() < list.geometry().left());
    const int fontAtThisSize = list.font().pixelSize();
    // Off for the run from the menu: the picture takes the whole width again.
    actionNamed(w, "MOVE_LIST")->trigger();
    QVERIFY(!list.isVisible());
    QCOMPARE(w.canvas().transform().scale(), 700.0 / 446);
    actionNamed(w, "MOVE_LIST")->trigger();
    QVERIFY(list.isVisible());
    // The font follows the scale.
    resizeClient(w, QSize(2080, 1000));
    QCOMPARE(w.canvas().transform().scale(), 2.0);
    QVERIFY2(list.font().pixelSize() > fontAtThisSize * 1.3, qPrintable(QString::number(list.font().pixelSize())));
    // The settings file keeps its three lines.
    QFile ini("Velmora.ini");
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QCOMPARE(ini.readAll().count('\n'), 3);
}

void MoveListWindowTest::theListFollowsTheGameAndAClickStepsThere() {
    MainWindow w;
    startAtNaturalSize(w);
    resizeClient(w, QSize(1400, 700));
    whiteToMove(w);
    ui::MoveListPanel& list = w.moveList();
    QCOMPARE(list.rowCount(), 1);
    QCOMPARE(list.item(0, 2)->text(), QString("開始局面"));
    clickMove(w, BoardId::LEFT, 5, 7, 5, 5);
    clickMove(w, BoardId::RIGHT, 4, 2, 4, 4);
    clickMove(w, BoardId::RIGHT, 7, 8, 6, 6);
    QCOMPARE(w.game().state.moveNumber, 3);
    QCOMPARE(list.rowCount(), 4);
    QCOMPARE(list.item(2, 0)->text(), QString("2"));
    QCOMPARE(list.item(2, 1)->text(), QString("右"));
    QCOMPARE(list.item(2, 2)->text(), QString("ｄ７－ｄ５ ポーン"));
    QCOMPARE(list.item(3, 2)->text(), QString("ｇ１－ｆ３ ナイト"));
    const QColor yellow = ui::qtColour(paletteColour(14));  // the current row;
    QCOMPARE(list.currentMove(), 3);
    QCOMPARE(list.item(3, 2)->background().color(), yellow);
    // A click on move 1 steps back there as 戻 twice: paused, move 1 shown.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(1, 2)).center());
    QCOMPARE(w.game().state.moveNumber, 1);
    QCOMPARE(w.game().state.sideToMove, Side::None);
    QCOMPARE(w.game().board(BoardId::RIGHT).at(4, 2), BLACK_PAWN);
    QCOMPARE(list.item(1, 2)->background().color(), yellow);
    QVERIFY(list.item(3, 2)->background().color() != yellow);
    QCOMPARE(list.rowCount(), 4);  // 進 still reaches moves 2 and 3
    QVERIFY(list.item(3, 2)->foreground().color() != list.item(1, 0)->foreground().color());
    // And 進 from the menu moves the highlight with it.
    actionNamed(w, "AFTER")->trigger();
    QVERIFY(settled(w));
    QCOMPARE(list.currentMove(), 2);
    QCOMPARE(list.item(2, 2)->background().color(), yellow);
}

// Stepping through a long game, forward and back, at heights that are no
// whole number of rows: the highlighted move is never cut at an edge.
void MoveListWindowTest::theCurrentMoveIsAlwaysWhollyInView() {
    std::vector<ListedMove> moves;
    for (int n = 1; n <= 80; ++n) moves.push_back({n, std::nullopt, n % 2 ? "左" : "右", "ｅ４ ポーン"});
    for (const int height : {203, 250, 317}) {
        ui::MoveListPanel list(nullptr);
        list.resize(220, height);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        auto wholly = [&list](int row) {
            const QRect r = list.visualItemRect(list.item(row, 2));
            return list.viewport()->rect().contains(r);
        };
        // As a game is played: one move more each time, the newest shown.
        for (int made = 0; made <= 80; ++made) {
            list.showMoves(std::vector<ListedMove>(moves.begin(), moves.begin() + made), made);
            QCoreApplication::processEvents();
            QVERIFY2(wholly(made), qPrintable(QString("move %1 at height %2").arg(made).arg(height)));
        }
        for (int current = 80; current >= 0; current -= 7) {
            list.showMoves(moves, current);
            QVERIFY2(wholly(current), qPrintable(QString("move %1 back at height %2").arg(current).arg(height)));
        }
    }
}

void MoveListWindowTest::theLastMoveIsMarkedOnBothSquareColours() {
    MainWindow w;
    startAtNaturalSize(w);
    whiteToMove(w);
    const QColor yellow(255, 255, 0), magenta(255, 0, 255);
    const QColor before = ringPixel(w, BoardId::LEFT, 7, 8);
    // The knight leaves a teal square for a red one.
    clickMove(w, BoardId::LEFT, 7, 8, 6, 6);
    QCOMPARE(w.game().squareShade.at(7, 8) + w.game().squareShade.at(6, 6), 1);
    QCOMPARE(ringPixel(w, BoardId::LEFT, 7, 8), yellow);
    QCOMPARE(ringPixel(w, BoardId::LEFT, 6, 6), yellow);
    // Selecting keeps the marks; the selection's own outline stays outside them.
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 6, 6));
    QCOMPARE(w.game().selection(BoardId::LEFT).pieceSelected, false);  // black to move: only looked at
    QCOMPARE(ringPixel(w, BoardId::LEFT, 6, 6), yellow);
    // Black takes on (5,5) of the right board, where the left board has white's pawn.
    w.game().board(BoardId::LEFT).at(5, 5) = WHITE_PAWN;
    w.game().board(BoardId::RIGHT).at(5, 5) = WHITE_PAWN;
    w.game().board(BoardId::RIGHT).at(4, 4) = BLACK_PAWN;
    w.game().board(BoardId::RIGHT).at(4, 2) = EMPTY;
    w.game().presentation().描画_盤(BoardId::LEFT);
    w.game().presentation().描画_盤(BoardId::RIGHT);
    clickMove(w, BoardId::RIGHT, 4, 4, 5, 5);
    QCOMPARE(w.game().board(BoardId::LEFT).at(5, 5), EMPTY);
    QCOMPARE(ringPixel(w, BoardId::RIGHT, 4, 4), yellow);
    QCOMPARE(ringPixel(w, BoardId::RIGHT, 5, 5), yellow);
    QCOMPARE(ringPixel(w, BoardId::LEFT, 5, 5), magenta);
    QVERIFY(ringPixel(w, BoardId::LEFT, 6, 6) != yellow);  // the earlier move's marks are gone
    // Back at the start nothing is marked.
    actionNamed(w, "REPLAY")->trigger();
    actionNamed(w, "REPLAY")->trigger();
    QCOMPARE(w.game().state.moveNumber, 0);
    QCOMPARE(ringPixel(w, BoardId::LEFT, 7, 8), before);
    QVERIFY(ringPixel(w, BoardId::LEFT, 5, 5) != magenta);
}

void MoveListWindowTest::aDraggedPieceFollowsThePointerAndMovesOnRelease() {
    MainWindow w;
    startAtNaturalSize(w);
    whiteToMove(w);
    CanvasWidget& canvas = w.canvas();
    const QPoint from = squareCentre(w, BoardId::LEFT, 2, 8);  // white's knight
    const QPoint gap = w.canvas().toWidget(QPointF((700 + 522 * 10.5) / 15, (900 + 525 * 4.5) / 15));
    const QImage start = canvas.backBuffer().copy();
    QTest::mousePress(&canvas, Qt::LeftButton, {}, from);
    QCOMPARE(w.game().selection(BoardId::LEFT).pieceSelected, true);
    // Within the drag distance it is still a click: nothing lifts.
    mouseMoveHeld(&canvas, from + QPoint(2, 0), Qt::LeftButton);
    QVERIFY(!canvas.dragging());
    // Over the gap between the boards the knight is under the pointer and
    // its square is empty.
    mouseMoveHeld(&canvas, gap, Qt::LeftButton);
    QVERIFY(canvas.dragging());
    const QImage lifted = canvas.backBuffer().copy();
    QCOMPARE(lifted.pixelColor(gap), start.pixelColor(from + QPoint(0, 6)));
    QCOMPARE(lifted.pixelColor(from + QPoint(0, 6)), start.pixelColor(squareCentre(w, BoardId::LEFT, 2, 6) + QPoint(0, 6)));
    // Let go there: off the boards the selection is dropped, nothing moves.
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, gap);
    QVERIFY(!canvas.dragging());
    QCOMPARE(w.game().selection(BoardId::LEFT).pieceSelected, false);
    QCOMPARE(w.game().state.moveNumber, 0);
    QCOMPARE(canvas.backBuffer(), start);
    // Dragged onto (3,6) the knight moves there.
    QTest::mousePress(&canvas, Qt::LeftButton, {}, from);
    mouseMoveHeld(&canvas, gap, Qt::LeftButton);
    mouseMoveHeld(&canvas, squareCentre(w, BoardId::LEFT, 3, 6), Qt::LeftButton);
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 3, 6));
    QCOMPARE(w.game().board(BoardId::LEFT).at(3, 6), WHITE_KNIGHT);
    QCOMPARE(w.game().board(BoardId::LEFT).at(2, 8), EMPTY);
    QCOMPARE(w.game().state.moveNumber, 1);
    // A plain click still selects and leaves the piece where it is.
    QTest::mouseClick(&canvas, Qt::LeftButton, {}, squareCentre(w, BoardId::RIGHT, 2, 1));
    QCOMPARE(w.game().selection(BoardId::RIGHT).pieceSelected, true);
    QVERIFY(!canvas.dragging());
}

QTEST_MAIN(MoveListWindowTest)
#include "move_list_window_test.moc"
