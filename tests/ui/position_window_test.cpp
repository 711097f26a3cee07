// 局面をコピー, 局面を貼り付け and 局面の編集 in the window on the offscreen
// platform: a copied position pastes as the same position, a refused text
// changes nothing, and the editor sets a position up by mouse and by keys,
// refuses one that breaks a rule and leaves everything as it was on キャンセル.
#include <QClipboard>
#include <QDockWidget>
#include <QGuiApplication>
#include <QMenuBar>
#include <QtTest>

#include "record/set_up.h"
#include "sound_warning_watch.h"
#include "ui/main_window.h"
#include "window_helpers.h"

using namespace velmora;
using namespace velmora::testing;
using velmora::ui::MainWindow;

namespace {

QString clipboard() { return QGuiApplication::clipboard()->text(); }

// The window's game moved on by e2-e4 and d7-d5 between people.
void twoMoves(MainWindow& w) {
    whiteToMove(w);
    for (const auto& [file, from, to] : {std::tuple(5, 7, 5), std::tuple(4, 2, 4)}) {
        const BoardId board = file == 5 ? BoardId::LEFT : BoardId::RIGHT;
        QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, board, file, from));
        QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, board, file, to));
        QVERIFY(settled(w));
    }
    QCOMPARE(w.game().state.lastMoveNumber, 2);
}

}  // namespace

class PositionWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(folder_.isValid() && QDir::setCurrent(folder_.path())); }
    void aCopiedPositionPastesAsTheSamePosition();
    void aRefusedTextShowsTheReadersLineAndChangesNothing();
    void theEditorSetsUpAPositionByMouseAndCancelLeavesAllAsItWas();
    void theEditorWorksByKeysAndOkNamesABrokenRule();

private:
    QTemporaryDir folder_;
    SoundWarningWatch soundWarnings_;
};

void PositionWindowTest::aCopiedPositionPastesAsTheSamePosition() {
    MainWindow from;
    startAtNaturalSize(from);
    twoMoves(from);
    actionNamed(from, "COPY_POSITION")->trigger();
    const QString text = clipboard();
    QCOMPARE(text.toStdString(), writePositionText(shownPositionText(from.game())));
    QVERIFY(text.endsWith(" w 2"));

    MainWindow to;
    startAtNaturalSize(to);
    actionNamed(to, "PASTE_POSITION")->trigger();
    QVERIFY(settled(to));
    QCOMPARE(to.game().board(BoardId::LEFT), from.game().board(BoardId::LEFT));
    QCOMPARE(to.game().board(BoardId::RIGHT), from.game().board(BoardId::RIGHT));
    actionNamed(to, "COPY_POSITION")->trigger();
    QCOMPARE(clipboard(), text);
    // Ready to be played from: a game between people starts with white's move.
    QStringList captions;
    answerNextBox(&to, captions, "OK");
    actionNamed(to, "START")->trigger();
    QCOMPARE(to.game().state.sideToMove, to.game().state.whiteSide);
    QTest::mouseClick(&to.canvas(), Qt::LeftButton, {}, squareCentre(to, BoardId::LEFT, 4, 7));
    QTest::mouseClick(&to.canvas(), Qt::LeftButton, {}, squareCentre(to, BoardId::LEFT, 4, 6));
    QVERIFY(settled(to));
    QCOMPARE(to.game().state.lastMoveNumber, 1);
    QCOMPARE(shownPositionText(to.game()).moveNumber, 3);
}

void PositionWindowTest::aRefusedTextShowsTheReadersLineAndChangesNothing() {
    MainWindow w;
    startAtNaturalSize(w);
    twoMoves(w);
    const GameState state = w.game().state;
    const Board left = w.game().board(BoardId::LEFT);
    QGuiApplication::clipboard()->setText("8/8/8/8/8/8/8/8 8/8/8/8/8/8/8/8 w 0 and more");
    QStringList captions;
    answerNextBox(&w, captions, "OK");
    actionNamed(w, "PASTE_POSITION")->trigger();
    QCOMPARE(captions.size(), 3);
    QCOMPARE(captions[1], QString("局面"));
    QCOMPARE(captions[2], QString("局面を読めません\n手数欄、36文字目: 手数の後に文字があります"));
    QVERIFY(w.game().state == state);
    QCOMPARE(w.game().board(BoardId::LEFT), left);
}

void PositionWindowTest::theEditorSetsUpAPositionByMouseAndCancelLeavesAllAsItWas() {
    MainWindow w;
    startAtNaturalSize(w);
    twoMoves(w);
    const GameState state = w.game().state;
    const Board left = w.game().board(BoardId::LEFT);
    const Board right = w.game().board(BoardId::RIGHT);

    // キャンセル: the boards, the state and the menus as they were.
    actionNamed(w, "EDIT_POSITION")->trigger();
    QVERIFY(w.editing());
    QVERIFY(!w.menuBar()->isEnabled());
    QTest::mouseClick(&w.editorPanel().emptyButton(), Qt::LeftButton);
    QCOMPARE(w.game().board(BoardId::LEFT), Board{});
    // Other commands wait while the editor is open.
    actionNamed(w, "REPLAY")->trigger();
    QVERIFY(w.game().state.moveNumber == 2);
    QTest::mouseClick(&w.editorPanel().cancelButton(), Qt::LeftButton);
    QVERIFY(settled(w));
    QVERIFY(!w.editing());
    QVERIFY(w.menuBar()->isEnabled());
    QVERIFY(w.game().state == state);
    QCOMPARE(w.game().board(BoardId::LEFT), left);
    QCOMPARE(w.game().board(BoardId::RIGHT), right);

    // King and rook against king, by clicks and a drag, then OK.
    actionNamed(w, "EDIT_POSITION")->trigger();
    ui::PositionEditorPanel& panel = w.editorPanel();
    QTest::mouseClick(&panel.emptyButton(), Qt::LeftButton);
    auto put = [&](PieceCode tool, BoardId board, int file, int rank) {
        QTest::mouseClick(&panel.toolButton(tool), Qt::LeftButton);
        QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, board, file, rank));
    };
    put(WHITE_KING, BoardId::LEFT, 5, 8);
    put(WHITE_KING, BoardId::RIGHT, 5, 8);
    put(BLACK_KING, BoardId::LEFT, 5, 1);
    put(BLACK_KING, BoardId::RIGHT, 5, 1);
    put(WHITE_ROOK, BoardId::LEFT, 1, 8);
    // A right click removes; the rook dragged from a1 to h1 of the left board.
    QTest::mouseClick(&w.canvas(), Qt::RightButton, {}, squareCentre(w, BoardId::RIGHT, 5, 1));
    QCOMPARE(w.editor()->position().right.at(5, 1), EMPTY);
    put(BLACK_KING, BoardId::RIGHT, 5, 1);
    QTest::mousePress(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 1, 8));
    QTest::mouseMove(&w.canvas(), squareCentre(w, BoardId::LEFT, 4, 8));
    QTest::mouseMove(&w.canvas(), squareCentre(w, BoardId::LEFT, 8, 8));
    QTest::mouseRelease(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 8, 8));
    QCOMPARE(QString::fromStdString(writePositionText(w.editor()->position())),
             QString("4k3/8/8/8/8/8/8/4K2R 4k3/8/8/8/8/8/8/4K3 w 0"));
    // The game is asked first: it is under way.
    QStringList captions;
    answerNextBox(&w, captions, "はい");
    QTest::mouseClick(&panel.okButton(), Qt::LeftButton);
    QVERIFY(settled(w));
    QCOMPARE(captions.value(3), QString("対局中です。この局面から始めますか？"));
    QVERIFY(!w.editing());
    QCOMPARE(QString::fromStdString(writePositionText(shownPositionText(w.game()))),
             QString("4k3/8/8/8/8/8/8/4K2R 4k3/8/8/8/8/8/8/4K3 w 0"));
    QCOMPARE(w.game().state.lastMoveNumber, 0);
}

void PositionWindowTest::theEditorWorksByKeysAndOkNamesABrokenRule() {
    MainWindow w;
    startAtNaturalSize(w);
    actionNamed(w, "EDIT_POSITION")->trigger();
    QVERIFY(w.editing());
    // From the start position: the e2 pawn's square made empty, then a white
    // pawn put on e8 in place of the black king.
    QTest::keyClick(&w, Qt::Key_Up);  // shows the cursor on e2 of the left board
    QTest::keyClick(&w, Qt::Key_Delete);
    QCOMPARE(w.editor()->position().left.at(5, 7), EMPTY);
    for (int k = 0; k < 6; ++k) QTest::keyClick(&w, Qt::Key_Up);
    QTest::keyClick(&w, 'P', Qt::ShiftModifier);
    QTest::keyClick(&w, Qt::Key_Space);
    QCOMPARE(w.editor()->position().left.at(5, 1), WHITE_PAWN);
    QStringList captions;
    answerNextBox(&w, captions, "OK");
    QTest::keyClick(&w, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(captions.value(1), QString("局面の編集"));
    QCOMPARE(captions.value(2), QString("どちらの盤にも白と黒のキングが1つずつ必要です"));
    QVERIFY(w.editing());
    // A black king on d8 in place of the queen: the pawn on e8 is still wrong.
    QTest::keyClick(&w, Qt::Key_Left);
    QTest::keyClick(&w, 'k');
    QTest::keyClick(&w, Qt::Key_Space);
    captions.clear();
    answerNextBox(&w, captions, "OK");
    QTest::keyClick(&w, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(captions.value(2), QString("ポーンは1段目と8段目に置けません"));
    QVERIFY(w.editing());
    // The pawn erased, black to move: accepted, with no game under way to ask about.
    QTest::keyClick(&w, Qt::Key_Right);
    QTest::keyClick(&w, 'x');
    QTest::keyClick(&w, Qt::Key_Space);
    // On the round button itself: the rest of the row is no part of it.
    QRadioButton& black = w.editorPanel().toMoveButton(Colour::Black);
    QTest::mouseClick(&black, Qt::LeftButton, {}, QPoint(8, black.height() / 2));
    QCOMPARE(w.editor()->position().toMove, Colour::Black);
    QTest::keyClick(&w, Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(settled(w));
    QVERIFY(!w.editing());
    QCOMPARE(QString::fromStdString(writePositionText(shownPositionText(w.game()))),
             QString("rnbk1bnr/pppppppp/8/8/8/8/PPPP1PPP/RNBQKBNR rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b 0"));
    // Esc in the editor is キャンセル, not the program's end.
    actionNamed(w, "EDIT_POSITION")->trigger();
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.editing());
    QVERIFY(!w.shell().ending());
}

QTEST_MAIN(PositionWindowTest)
#include "position_window_test.moc"
