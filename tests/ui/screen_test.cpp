// The game as the person sees it: the real program on an X server, driven by
// real input events (XTest through xdotool), with what the server shows read
// back after every step and compared with the window's back buffer. Run under
// Xvfb by run_on_xvfb.sh.
#include <QAbstractButton>
#include <QAction>
#include <QPushButton>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "draw/geometry.h"
#include "ui/main_window.h"
#include "record/notation.h"
#include "record/set_up.h"
#include "ui/palette.h"
#include "x_input.h"

using namespace velmora;
using velmora::ui::MainWindow;
using namespace velmora::xtest;

class ScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void aScriptedSessionShowsEveryStepOnTheScreen();
    void aDragLeavesTheSameSnapshotsAsTwoClicks();
    void afterEscTheLastGameComesBackAsItWas();
    void movesByTheKeyboardAloneShowOnTheScreen();
    void twoDigitLevelsShowWholeBesideTheBoard_data();
    void twoDigitLevelsShowWholeBesideTheBoard();
    void theAnalysisFollowsARecordSteppedThrough();
    void aGameReviewShowsOnTheScreenAndItsGraphSteps();
    void positionsSetUpInTheEditorByKeysAndMouseArePlayed();

private:
    // What the X server shows of the canvas, beside the back buffer: the count
    // of differing pixels, outside the record panel's controls.
    int screenDiffers(const QString& step);
    QImage screen() const;
    // What the X server shows where `widget` stands.
    QImage onScreen(const QWidget& widget) const;
    // What the X server shows of the band's row 0 and the top of row 1 from
    // `left` to `right` (columns of the left board's grid).
    QImage bandOnScreen(double left, double right) const;
    QPoint global(QPointF picture) const { return w_->canvas().mapToGlobal(w_->canvas().toWidget(picture)); }
    QPoint squareCentre(BoardId id, int file, int rank) const {
        return global(QPointF((originX(id) + 522.0 * file + 261) / 15, (900 + 525.0 * rank + 262) / 15));
    }
    void clickSquare(BoardId id, int file, int rank) { clickAt(squareCentre(id, file, rank)); }
    // Presses on `from`, moves the pointer in steps to `to` and lets go,
    // checking the screen half way.
    void drag(QPoint from, QPoint to, const QString& step);
    void clickMenu(const QStringList& path);
    void checkStep(const QString& step);
    // Started, made wide enough for the move list, and play.棋譜 loaded
    // through the record panel by real clicks.
    void startWithPlayRecord(MainWindow& window);

    QTemporaryDir folder_;
    BoxAnswerer boxes_;
    QImage lifted_;  // the screen before a drag
    MainWindow* w_ = nullptr;
};

void ScreenTest::initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    QVERIFY(folder_.isValid() && QDir::setCurrent(folder_.path()));
    QVERIFY(QFile::copy(QStringLiteral(VELMORA_GOLDEN_DIR "/play.棋譜"), folder_.filePath("play.棋譜")));
}

QImage ScreenTest::screen() const { return onScreen(w_->canvas()); }

QImage ScreenTest::onScreen(const QWidget& widget) const {
    const QPoint corner = widget.mapToGlobal(QPoint(0, 0));
    return w_->screen()->grabWindow(0, corner.x(), corner.y(), widget.width(), widget.height()).toImage().convertToFormat(
        QImage::Format_RGB32);
}

int ScreenTest::screenDiffers(const QString& step) {
    const QImage shown = screen();
    const QImage& buffer = w_->canvas().backBuffer();
    if (shown.size() != buffer.size()) {
        qWarning() << step << "screen" << shown.size() << "buffer" << buffer.size();
        return shown.width() * shown.height();
    }
    QRegion hidden;
    for (QWidget* child : w_->canvas().findChildren<QWidget*>()) {
        if (child->isVisible()) hidden += child->geometry();
    }
    int differ = 0;
    for (int y = 0; y < shown.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(buffer.constScanLine(y));
        for (int x = 0; x < shown.width(); ++x) {
            if ((a[x] & 0xffffff) != (b[x] & 0xffffff) && !hidden.contains(QPoint(x, y))) ++differ;
        }
    }
    if (differ) {
        shown.save(QDir::temp().filePath("velmora-screen-" + step + ".png"));
        buffer.save(QDir::temp().filePath("velmora-buffer-" + step + ".png"));
    }
    return differ;
}

void ScreenTest::checkStep(const QString& step) {
    settle();
    const int differ = screenDiffers(step);
    QVERIFY2(differ == 0, qPrintable(QString("%1: %2 pixels differ from the back buffer").arg(step).arg(differ)));
}

void ScreenTest::clickMenu(const QStringList& path) { xtest::clickMenu(*w_, path); }

void ScreenTest::aScriptedSessionShowsEveryStepOnTheScreen() {
    MainWindow window;
    w_ = &window;
    window.start();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Game& g = window.game();
    checkStep("start");

    clickMenu({"TAIKYOKU", "MATCH_MAN", "START"});
    QVERIFY(boxes_.texts.contains("Velmora|先手の番です"));
    // Boxes open over the game window.
    QVERIFY(window.frameGeometry().contains(boxes_.over.last()));
    checkStep("start-game");

    clickSquare(BoardId::LEFT, 5, 7);
    QVERIFY(g.selection(BoardId::LEFT).pieceSelected);
    checkStep("select");
    const QImage selected = screen();
    const QPoint edge = w_->canvas().toWidget(QPointF(std::lround((LEFT_ORIGIN_X + 522.0 * 5) / 15) + 1,
                                                      std::lround((900 + 525.0 * 7 + 262) / 15)));
    QCOMPARE(selected.pixelColor(edge), QColor(255, 0, 0));

    clickSquare(BoardId::LEFT, 5, 5);
    QCOMPARE(g.board(BoardId::LEFT).at(5, 5), WHITE_PAWN);
    checkStep("move");
    const QImage moved = screen();
    QVERIFY(moved != selected);

    clickAt(window.menuBar()->mapToGlobal(window.menuBar()->actionGeometry(window.findChild<QAction*>("REPLAY")).center()));
    QCOMPARE(g.board(BoardId::LEFT).at(5, 7), WHITE_PAWN);
    checkStep("back");
    QVERIFY(screen() != moved);

    clickMenu({"AFTER"});
    QCOMPARE(g.board(BoardId::LEFT).at(5, 5), WHITE_PAWN);
    checkStep("forward");

    clickMenu({"LBEL_UP"});
    checkStep("handicap-up");
    clickMenu({"LEBEL_DOWN"});
    checkStep("handicap-down");

    // A game that ends: white's queen takes the black king of the left board.
    clickMenu({"TAIKYOKU", "MATCH_MAN", "START"});
    g.board(BoardId::LEFT).at(5, 2) = EMPTY;
    g.board(BoardId::LEFT).at(5, 3) = WHITE_QUEEN;
    g.presentation().描画_盤(BoardId::LEFT);
    clickSquare(BoardId::LEFT, 5, 3);
    const int boxesBefore = boxes_.texts.size();
    clickSquare(BoardId::LEFT, 5, 1);
    // The result and "続けますか？" once the screen has shown the move.
    QTRY_VERIFY2_WITH_TIMEOUT(boxes_.texts.size() >= boxesBefore + 2, qPrintable(boxes_.texts.join(" / ")), 5000);
    QCOMPARE(g.state.sideToMove, Side::None);
    QCOMPARE(g.board(BoardId::LEFT).at(5, 8), WHITE_KING);
    checkStep("game-over");
    clickMenu({"TAIKYOKU", "MATCH_MAN", "START"});
    QCOMPARE(g.state.sideToMove, Side::First);
    checkStep("new-game");

    // A record from the panel's file list.
    clickMenu({"KIFU", "KIFU_READ"});
    QListWidget* files = window.recordPanel().fileList();
    QVERIFY(files->isVisible());
    checkStep("record-panel");
    const QList<QListWidgetItem*> found = files->findItems("play.棋譜", Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    clickAt(files->viewport()->mapToGlobal(files->visualItemRect(found.first()).center()));
    QVERIFY(g.state.recordMode);
    checkStep("record-loaded");
    for (int i = 0; i < 3; ++i) clickMenu({"AFTER"});
    QCOMPARE(g.state.moveNumber, 3);
    checkStep("record-stepped");

    // An option: the background changes everywhere, margins included.
    const QImage before = screen();
    clickMenu({"OPTION", "HAIKEI_GA", "UCHU"});
    checkStep("background");
    QVERIFY(screen().pixelColor(2, 2) != before.pixelColor(2, 2));

    // Half as large again: the picture scales and a click finds its square.
    const QSize menu(0, window.menuBar()->height());
    xdotool({"windowsize", "--sync", QString::number(window.winId()), "1290", QString::number(669 + menu.height())});
    QCOMPARE(window.canvas().size(), QSize(1290, 669));
    // The move list takes its share of the width beside the picture.
    QVERIFY(window.moveList().isVisible());
    QCOMPARE(window.canvas().transform().scale(), 1290.0 / (860 + ui::PictureTransform::PANEL_WIDTH));
    checkStep("resized");
    clickMenu({"TAIKYOKU", "MATCH_MAN", "START"});
    clickSquare(BoardId::RIGHT, 2, 7);
    QVERIFY(g.selection(BoardId::RIGHT).pieceSelected);
    QCOMPARE(g.selection(BoardId::RIGHT).from.file, 2);
    QCOMPARE(g.selection(BoardId::RIGHT).from.rank, 7);
    checkStep("resized-select");

    // Maximised: as large as the screen allows.
    window.showMaximized();
    settle(500);
    if (window.size().width() <= 1290) {
        // Without a window manager nothing maximises; the screen's size stands in.
        const QRect avail = window.screen()->availableGeometry();
        xdotool({"windowsize", "--sync", QString::number(window.winId()), QString::number(avail.width()),
                 QString::number(avail.height())});
    }
    QVERIFY(window.canvas().transform().scale() > 1.5);
    checkStep("maximised");
    clickSquare(BoardId::RIGHT, 2, 5);
    QCOMPARE(g.board(BoardId::RIGHT).at(2, 5), WHITE_PAWN);
    checkStep("maximised-move");
    w_ = nullptr;
}

void ScreenTest::drag(QPoint from, QPoint to, const QString& step) {
    xdotool({"mousemove", "--sync", QString::number(from.x()), QString::number(from.y())});
    xdotool({"mousedown", "1"});
    constexpr int STEPS = 8;
    for (int k = 1; k <= STEPS; ++k) {
        const QPoint at = from + (to - from) * k / STEPS;
        xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
        if (k == STEPS / 2) {
            QVERIFY(w_->canvas().dragging());
            checkStep(step + "-dragging");
            // The piece is under the pointer: its figure where the pointer is.
            const QImage shown = screen();
            const QPoint pointer = w_->canvas().mapFromGlobal(at);
            QCOMPARE(shown.pixelColor(pointer + QPoint(0, 6)), lifted_.pixelColor(w_->canvas().mapFromGlobal(from) + QPoint(0, 6)));
        }
    }
    xdotool({"mouseup", "1"});
    QVERIFY(!w_->canvas().dragging());
    checkStep(step);
}

void ScreenTest::aDragLeavesTheSameSnapshotsAsTwoClicks() {
    MainWindow window;
    w_ = &window;
    window.start();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Game& g = window.game();
    checkStep("drag-start");

    // White's pawn on the left board, then black's knight on the right
    // board, each by two clicks.
    clickMenu({"TAIKYOKU", "MATCH_MAN", "START"});
    clickSquare(BoardId::LEFT, 5, 7);
    clickSquare(BoardId::LEFT, 5, 5);
    clickSquare(BoardId::RIGHT, 7, 1);
    clickSquare(BoardId::RIGHT, 6, 3);
    QCOMPARE(g.state.moveNumber, 2);
    const History byClicks = g.history;

    // The same two moves dragged, in a new game from the start position.
    clickMenu({"STOP", "CANCEL"});
    clickMenu({"TAIKYOKU", "MATCH_MAN", "START"});
    QCOMPARE(g.board(BoardId::LEFT), byClicks.left[0]);
    lifted_ = screen();
    drag(squareCentre(BoardId::LEFT, 5, 7), squareCentre(BoardId::LEFT, 5, 5), "drag-white");
    QCOMPARE(g.state.moveNumber, 1);
    lifted_ = screen();
    drag(squareCentre(BoardId::RIGHT, 7, 1), squareCentre(BoardId::RIGHT, 6, 3), "drag-black");
    QCOMPARE(g.state.moveNumber, 2);
    QCOMPARE(g.state.lastMoveNumber, 2);
    for (int n = 0; n <= 2; ++n) {
        QCOMPARE(g.history.left[n], byClicks.left[n]);
        QCOMPARE(g.history.right[n], byClicks.right[n]);
    }
    QCOMPARE(g.state.sideToMove, Side::First);

    // Brought back to its own square, the piece stays and nothing is selected.
    lifted_ = screen();
    const QPoint knight = squareCentre(BoardId::LEFT, 7, 8);
    xdotool({"mousemove", "--sync", QString::number(knight.x()), QString::number(knight.y())});
    xdotool({"mousedown", "1"});
    xdotool({"mousemove", "--sync", QString::number(knight.x() + 60), QString::number(knight.y() - 50)});
    QVERIFY(window.canvas().dragging());
    xdotool({"mousemove", "--sync", QString::number(knight.x() + 3), QString::number(knight.y() + 2)});
    xdotool({"mouseup", "1"});
    QCOMPARE(g.selection(BoardId::LEFT).pieceSelected, false);
    QCOMPARE(g.board(BoardId::LEFT).at(7, 8), WHITE_KNIGHT);
    QCOMPARE(g.state.moveNumber, 2);
    checkStep("drag-back");
    w_ = nullptr;
}

namespace {

// Every cell of the move list beside the boards, row by row.
QStringList listed(MainWindow& w) {
    QStringList cells;
    const ui::MoveListPanel& list = w.moveList();
    for (int r = 0; r < list.rowCount(); ++r) {
        for (int c = 0; c < list.columnCount(); ++c) cells << (list.item(r, c) ? list.item(r, c)->text() : QString());
    }
    return cells;
}

}  // namespace

void ScreenTest::afterEscTheLastGameComesBackAsItWas() {
    QFile::remove(folder_.filePath("resume.棋譜"));
    History played;
    Board left, right;
    QStringList moves;
    {
        MainWindow first;
        w_ = &first;
        first.start();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        clickMenu({"TAIKYOKU", "MATCH_MAN", "START"});
        clickSquare(BoardId::LEFT, 5, 7);
        clickSquare(BoardId::LEFT, 5, 5);
        clickSquare(BoardId::RIGHT, 7, 1);
        clickSquare(BoardId::RIGHT, 6, 3);
        clickSquare(BoardId::RIGHT, 4, 7);
        clickSquare(BoardId::RIGHT, 4, 5);
        QCOMPARE(first.game().state.lastMoveNumber, 3);
        settle();
        played = first.game().history;
        left = first.game().board(BoardId::LEFT);
        right = first.game().board(BoardId::RIGHT);
        moves = listed(first);
        // A menu opened and closed with Esc leaves the keyboard with the menu
        // bar: the next Esc leaves the bar, and Esc then still ends the program.
        clickMenu({"STOP"});
        xdotool({"key", "Escape"});
        settle();
        QVERIFY(!first.shell().ending());
        for (int press = 0; press < 2 && !first.shell().ending(); ++press) {
            xdotool({"key", "Escape"});
            settle();
        }
        QVERIFY(first.shell().ending());
        w_ = nullptr;
    }
    QVERIFY(QFile::exists(folder_.filePath("resume.棋譜")));

    MainWindow second;
    w_ = &second;
    second.start();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    clickMenu({"KIFU", "KIFU_RESUME"});
    settle(600);
    const Game& g = second.game();
    QCOMPARE(g.state.lastMoveNumber, 3);
    QCOMPARE(g.state.moveNumber, 3);
    for (int n = 0; n <= 3; ++n) {
        QCOMPARE(g.history.left[n], played.left[n]);
        QCOMPARE(g.history.right[n], played.right[n]);
    }
    QCOMPARE(g.board(BoardId::LEFT), left);
    QCOMPARE(g.board(BoardId::RIGHT), right);
    QCOMPARE(listed(second), moves);
    QCOMPARE(second.moveList().currentMove(), 3);
    QVERIFY(boxes_.texts.contains("棋譜| 読み込みました"));
    checkStep("resumed");
    // Black is to move: a click goes on with the game.
    clickSquare(BoardId::LEFT, 4, 2);
    clickSquare(BoardId::LEFT, 4, 4);
    QCOMPARE(g.state.lastMoveNumber, 4);
    w_ = nullptr;
}

void ScreenTest::movesByTheKeyboardAloneShowOnTheScreen() {
    MainWindow window;
    w_ = &window;
    window.start();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Game& g = window.game();
    // Without a window manager the keys go to the window under the pointer.
    const QPoint aside = global(QPointF(430, 20));
    xdotool({"mousemove", "--sync", QString::number(aside.x()), QString::number(aside.y())});
    auto keys = [](const QStringList& names) {
        for (const QString& k : names) xdotool({"key", k});
    };
    // 対局 ▸ 対局(人間) ▸ スタート through the menu bar's keys.
    keys({"alt", "Down", "Right", "Return"});
    QCOMPARE(g.state.sideToMove, Side::First);
    QCOMPARE(g.state.gameMode, GameMode::BetweenPeople);
    // The first arrow shows the cursor on e2 of the left board.
    keys({"Up"});
    QVERIFY(window.keyCursor().shown());
    checkStep("keys-cursor");
    const QPoint ring = w_->canvas().toWidget(QPointF(std::lround((LEFT_ORIGIN_X + 522.0 * 5) / 15) + 4,
                                                      std::lround((900 + 525.0 * 7) / 15) + 17));
    QCOMPARE(screen().pixelColor(ring), ui::qtColour(KEY_CURSOR_COLOR));
    // e2-e4 on the left board, then black's b7-b5 across the gap on the right board.
    keys({"space", "Up", "Up", "Return"});
    QCOMPARE(g.board(BoardId::LEFT).at(5, 5), WHITE_PAWN);
    keys({"Up", "Up", "Up", "Right", "Right", "Right", "Right", "Right", "Return"});
    QCOMPARE(window.keyCursor().board(), BoardId::RIGHT);
    QCOMPARE(window.keyCursor().file(), 2);
    keys({"Down", "Down", "Return"});
    QCOMPARE(g.board(BoardId::RIGHT).at(2, 4), BLACK_PAWN);
    QCOMPARE(g.state.moveNumber, 2);
    checkStep("keys-moves");
    // Ctrl+Z steps back one move, as 戻 does.
    keys({"ctrl+z"});
    QCOMPARE(g.state.moveNumber, 1);
    checkStep("keys-back");
    w_ = nullptr;
}

QImage ScreenTest::bandOnScreen(double left, double right) const {
    const QPoint topLeft = w_->canvas().toWidget(QPointF(gridX(LEFT_ORIGIN_X, left) / 15, gridY(0) / 15));
    const QPoint bottomRight = w_->canvas().toWidget(QPointF(gridX(LEFT_ORIGIN_X, right) / 15, gridY(1.5) / 15));
    const QPoint corner = w_->canvas().mapToGlobal(topLeft);
    return w_->screen()
        ->grabWindow(0, corner.x(), corner.y(), bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

void ScreenTest::twoDigitLevelsShowWholeBesideTheBoard_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<int>("width");  // of the canvas; 0: its natural size
    QTest::newRow("Japanese") << false << 0;
    QTest::newRow("Japanese, half as large again") << false << 1560;
    QTest::newRow("English") << true << 0;
    QTest::newRow("English, half as large again") << true << 1560;
}

// Against the computer the level stands left of the left board's letters:
// "LEVEL" and the number. Two digits must show whole there, the word the
// same for each of them (no digit reaching into it), and nothing in the
// board's row, which a new level does not erase.
void ScreenTest::twoDigitLevelsShowWholeBesideTheBoard() {
    QFETCH(bool, english);
    QFETCH(int, width);
    MainWindow window(english ? Language::English : Language::Japanese);
    w_ = &window;
    window.start();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (width > 0) {
        const int height = width * 669 / 1290 + window.menuBar()->height();
        xdotool({"windowsize", "--sync", QString::number(window.winId()), QString::number(width), QString::number(height)});
        settle(300);
        QCOMPARE(window.canvas().width(), width);
        QVERIFY(window.canvas().transform().scale() > 1.4);
    }
    clickMenu({"TAIKYOKU", "START2", "SENTE"});
    QCOMPARE(window.game().state.gameMode, GameMode::AgainstComputer);
    struct Shown {
        QImage word, number, board;
    };
    QMap<int, Shown> shown;
    for (int level : {9, 12, 10, 11, 9}) {
        clickMenu({"TAIKYOKU", "LEVEL", QString("LEVEL%1").arg(level)});
        QCOMPARE(window.game().state.comLevel, level);
        checkStep(QString("level-%1").arg(level));
        const Shown now{bandOnScreen(-1.2, 0.15), bandOnScreen(0.15, 1), bandOnScreen(1, 1.25)};
        if (shown.contains(level)) QCOMPARE(now.number, shown[level].number);  // nothing left of another level
        shown[level] = now;
    }
    for (int level : {10, 11, 12}) {
        const QString which = QString("LEVEL%1").arg(level);
        QVERIFY2(shown[level].word == shown[10].word, qPrintable(which + " draws over the word LEVEL"));
        QVERIFY2(shown[level].board == shown[9].board, qPrintable(which + " runs into the board's row"));
        QVERIFY2(shown[level].number != shown[9].number, qPrintable(which + " shows as LEVEL9 does"));
    }
    QVERIFY(shown[10].number != shown[11].number && shown[11].number != shown[12].number);
    window.game().movesUnsaved = false;
    w_ = nullptr;
}

void ScreenTest::startWithPlayRecord(MainWindow& window) {
    window.start();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Wide enough for the move list and the panels under it.
    const QSize menu(0, window.menuBar()->height());
    xdotool({"windowsize", "--sync", QString::number(window.winId()), "1290", QString::number(669 + menu.height())});
    QVERIFY(window.moveList().isVisible());
    clickMenu({"KIFU", "KIFU_READ"});
    QListWidget* files = window.recordPanel().fileList();
    const QList<QListWidgetItem*> found = files->findItems("play.棋譜", Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    clickAt(files->viewport()->mapToGlobal(files->visualItemRect(found.first()).center()));
    QVERIFY(window.game().state.recordMode);
}

void ScreenTest::theAnalysisFollowsARecordSteppedThrough() {
    MainWindow window;
    w_ = &window;
    startWithPlayRecord(window);
    if (QTest::currentTestFailed()) return;
    Game& g = window.game();
    for (int i = 0; i < 4; ++i) clickMenu({"AFTER"});
    QCOMPARE(g.state.moveNumber, 4);

    ui::AnalysisPanel& panel = window.analysisPanel();
    QVERIFY(!panel.isVisible());
    xdotool({"key", "F5"});
    QVERIFY(panel.isVisible());
    // The list gives the panel the lower part of its place.
    QVERIFY(window.moveList().geometry().bottom() < panel.mapTo(&window.canvas(), QPoint(0, 0)).y());
    QTRY_VERIFY_WITH_TIMEOUT(panel.depthShown() >= 4, 10000);
    settle();
    // What the X server shows of the panel is the panel's own drawing.
    const QString fourth = panel.scoreShown();
    QVERIFY2(fourth.startsWith('+') || fourth.startsWith('-') || fourth.contains("キング"), qPrintable(fourth));
    const QImage atFour = onScreen(panel);
    QCOMPARE(atFour, panel.grab().toImage().convertToFormat(QImage::Format_RGB32));

    // A step back: the panel starts again on the new position and shows it.
    xdotool({"key", "ctrl+z"});
    QCOMPARE(g.state.moveNumber, 3);
    QTRY_VERIFY_WITH_TIMEOUT(panel.depthShown() >= 4, 10000);
    settle();
    const QImage atThree = onScreen(panel);
    QCOMPARE(atThree, panel.grab().toImage().convertToFormat(QImage::Format_RGB32));
    // Another position, another line (the score may happen to stay).
    QVERIFY(atThree != atFour);

    // Off again: the panel goes and the boards take their place back.
    xdotool({"key", "F5"});
    QVERIFY(!panel.isVisible());
    checkStep("analysis-off");
    w_ = nullptr;
}

void ScreenTest::aGameReviewShowsOnTheScreenAndItsGraphSteps() {
    MainWindow window;
    w_ = &window;
    startWithPlayRecord(window);
    if (QTest::currentTestFailed()) return;
    Game& g = window.game();

    // The dialog opens inside the menu's click: its seconds are typed once it shows.
    QTimer::singleShot(500, &window, [] {
        xdotool({"type", "0.1"});
        xdotool({"key", "Return"});
    });
    clickMenu({"KIFU", "REVIEW"});
    ui::ReviewPanel& panel = window.reviewPanel();
    QTRY_VERIFY_WITH_TIMEOUT(window.review() != nullptr, 60000);
    settle();
    QVERIFY(panel.isVisible());
    // What the X server shows of the graph and the sums is the panel's drawing.
    QCOMPARE(onScreen(panel), panel.grab().toImage().convertToFormat(QImage::Format_RGB32));
    const GameReview& review = *window.review();
    QVERIFY(panel.graph().points() == graphPoints(review));
    for (const MoveReview& m : review.moves) {
        QCOMPARE(window.moveList().markShown(m.ply), QString::fromLatin1(markText(m.mark).data(), int(markText(m.mark).size())));
    }

    // A click on the graph's point of move 5 shows move 5.
    ui::EvaluationGraph& graph = panel.graph();
    clickAt(graph.mapToGlobal(graph.pointAt(5).toPoint()));
    QCOMPARE(g.state.moveNumber, 5);
    // The graph follows once the boards show the step.
    QTRY_COMPARE(graph.current(), 5);
    settle();
    QCOMPARE(onScreen(panel), panel.grab().toImage().convertToFormat(QImage::Format_RGB32));
    checkStep("review-step");
    w_ = nullptr;
}

void ScreenTest::positionsSetUpInTheEditorByKeysAndMouseArePlayed() {
    MainWindow window;
    w_ = &window;
    window.start();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Game& g = window.game();
    auto text = [&g] { return QString::fromStdString(writePositionText(shownPositionText(g))); };
    auto click = [](QWidget& widget, QPoint at) { clickAt(widget.mapToGlobal(at)); };

    // By keys: the e2 pawn taken off and put on e4.
    clickMenu({"STOP", "EDIT_POSITION"});
    QVERIFY(window.editing());
    // Without a window manager the keys go to the window under the pointer.
    const QPoint aside = global(QPointF(430, 20));
    xdotool({"mousemove", "--sync", QString::number(aside.x()), QString::number(aside.y())});
    for (const char* k : {"Up", "Delete", "Up", "Up", "shift+p", "space"}) xdotool({"key", k});
    QCOMPARE(window.editor()->position().left.at(5, 5), WHITE_PAWN);
    checkStep("editor-keys");
    xdotool({"key", "ctrl+Return"});
    QVERIFY(!window.editing());
    QCOMPARE(text(), QString("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w 0"));
    checkStep("editor-keys-set-up");

    // By the mouse: king and rook against king, the rook dragged from a1 to a2.
    clickMenu({"STOP", "EDIT_POSITION"});
    ui::PositionEditorPanel& panel = window.editorPanel();
    click(panel.emptyButton(), panel.emptyButton().rect().center());
    auto put = [&](PieceCode tool, BoardId board, int file, int rank) {
        QToolButton& button = panel.toolButton(tool);
        click(button, button.rect().center());
        clickSquare(board, file, rank);
    };
    put(WHITE_KING, BoardId::LEFT, 5, 8);
    put(WHITE_KING, BoardId::RIGHT, 5, 8);
    put(BLACK_KING, BoardId::LEFT, 5, 1);
    put(BLACK_KING, BoardId::RIGHT, 5, 1);
    put(WHITE_ROOK, BoardId::LEFT, 1, 8);
    const QPoint from = squareCentre(BoardId::LEFT, 1, 8), to = squareCentre(BoardId::LEFT, 1, 7);
    xdotool({"mousemove", "--sync", QString::number(from.x()), QString::number(from.y())});
    xdotool({"mousedown", "1"});
    for (int k = 1; k <= 4; ++k) {
        const QPoint at = from + (to - from) * k / 4;
        xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
    }
    xdotool({"mouseup", "1"});
    QCOMPARE(window.editor()->position().left.at(1, 7), WHITE_ROOK);
    checkStep("editor-mouse");
    click(panel.okButton(), panel.okButton().rect().center());
    QVERIFY(!window.editing());
    QCOMPARE(text(), QString("4k3/8/8/8/8/8/R7/4K3 4k3/8/8/8/8/8/8/4K3 w 0"));

    // Played against the computer: the rook to a7, and the computer answers.
    clickMenu({"TAIKYOKU", "START2", "SENTE"});
    QVERIFY(boxes_.texts.contains("Velmora|あなたの番です"));
    clickSquare(BoardId::LEFT, 1, 7);
    clickSquare(BoardId::LEFT, 1, 2);
    QTRY_COMPARE_WITH_TIMEOUT(g.state.lastMoveNumber, 2, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!window.busy(), 10000);
    QVERIFY(isBlack(調査_手番駒(g, 2)));
    checkStep("editor-game");
    w_ = nullptr;
}

QTEST_MAIN(ScreenTest)
#include "screen_test.moc"
