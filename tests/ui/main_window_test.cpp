// The window on the offscreen platform: menus, geometry, and what the back
// buffer shows after a selection and during a blink.
#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSet>
#include <QTimer>
#include <QtTest>

#include "draw/board_painter.h"
#include "draw/geometry.h"
#include "sound_warning_watch.h"
#include "ui/main_window.h"
#include "ui/promotion_dialog.h"
#include "window_helpers.h"

using namespace velmora;
using velmora::ui::MainWindow;
using namespace velmora::testing;

namespace {

// Picture pixels (the picture at its natural size) to the canvas's own
// coordinates, wherever the window has placed the picture.
QPoint onCanvas(MainWindow& w, QPointF picture) { return w.canvas().toWidget(picture); }

// The pixel in the middle of a square's left outline edge.
QPoint outlinePixel(MainWindow& w, BoardId id, int file, int rank) {
    const double x = originX(id) + 522.0 * file;
    const double y = 900 + 525.0 * rank + 262;
    return onCanvas(w, QPointF(std::lround(x / 15), std::lround(y / 15)));
}

QColor bufferPixel(MainWindow& w, QPoint logical) {
    const QImage& image = w.canvas().backBuffer();
    return image.pixelColor(logical * w.canvas().devicePixelRatioF());
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    // Start-up reads and writes its settings file in the working directory:
    // the tests run in a scratch folder, with the sound warning answered.
    void initTestCase() { QVERIFY(folder_.isValid() && QDir::setCurrent(folder_.path())); }
    void menuTreeHasTheCaptionsNamesAndMarks();
    void windowAndClientGeometry();
    void selectionOutlinesTheSquareInTheBackBuffer();
    void blinkShowsTheEmptySquareWhileWaiting();
    void messageBoxesHaveJapaneseButtons();
    void messageBoxesAreWideEnoughForTheirTitles();
    void recordPanelOpensAndAClickClosesIt();
    void enterInTheFileNameFieldSavesAsReturnDoes();
    void aMoveMadeWhileTheLastOneIsShownIsKept();
    void promotionDialogStaysBesideItsBoardAtEverySize();
    // Last: these end the application's event loop.
    void closingTheWindowEndsTheProgram();
    void endingTheProgramLeavesTheEventLoopAndIgnoresLaterCommands();

private:
    QTemporaryDir folder_;
    SoundWarningWatch soundWarnings_;
};

void MainWindowTest::menuTreeHasTheCaptionsNamesAndMarks() {
    MainWindow w;
    w.start();
    const QList<QPair<QString, QString>> items = {
        {"TAIKYOKU", "対局"}, {"MATCH_MAN", "対局(人間)"}, {"START", "スタート"}, {"START2", "対局(COM)"},
        {"SENTE", "先手"},    {"GOTE", "後手"},           {"LEVEL", "COM対局ﾚﾍﾞﾙ"}, {"LEVEL1", "LEVEL1"},
        {"LEVEL2", "LEVEL2"}, {"LEVEL3", "LEVEL3"},       {"LEVEL4", "LEVEL4"},     {"LEVEL12", "LEVEL12"},
        {"OWARI", "終わり"},  {"STOP", "局面"},
        {"CANCEL", "最初"},   {"REVERSE", "反転"},        {"HINT", "ヒント"},        {"MOVE_LIST", "棋譜一覧"},
        {"REPLAY", "戻"},     {"AFTER", "進"},
        {"LBEL_UP", "△"},     {"LEBEL_DOWN", "▽"},        {"KIFU", "棋譜"},         {"KIFU_READ", "読込"},
        {"KIFU_WRITE", "書込"}, {"KIFU_RESUME", "前回の対局"}, {"OPTION", "ｵﾌﾟｼｮﾝ"},      {"SIDOU", "移動指導"},    {"HAIKEI_GA", "背景画"},
        {"MIDORI", "緑"},     {"TATAMI", "畳"},           {"TAKE", "竹"},           {"UCHU", "宇宙"},
        {"RENGA", "煉瓦"},    {"BGM", "BGM"},             {"SONOTA", "その他"},     {"KAISETU", "解説"},
        {"VER", "バージョン情報"}};
    for (const auto& [name, caption] : items) {
        QAction* a = actionNamed(w, name);
        QVERIFY2(a, qPrintable(name));
        QCOMPARE(a->text(), caption);
    }
    // The top level in order, with 戻 進 △ ▽ as commands on the bar itself.
    QStringList bar;
    for (QAction* a : w.menuBar()->actions()) bar << a->objectName();
    QCOMPARE(bar, QStringList({"TAIKYOKU", "STOP", "REPLAY", "AFTER", "LBEL_UP", "LEBEL_DOWN", "KIFU", "OPTION", "SONOTA"}));
    for (const char* command : {"REPLAY", "AFTER", "LBEL_UP", "LEBEL_DOWN"}) QVERIFY(!actionNamed(w, command)->menu());
    QVERIFY(actionNamed(w, "LEVEL3")->isChecked());
    QVERIFY(!actionNamed(w, "LEVEL1")->isChecked());
    // The twelve levels in order, LEVEL1 to LEVEL12, each with its check mark.
    QStringList levels;
    for (QAction* a : actionNamed(w, "LEVEL")->menu()->actions()) {
        levels << a->objectName();
        QVERIFY(a->isCheckable());
    }
    QCOMPARE(levels, QStringList({"LEVEL1", "LEVEL2", "LEVEL3", "LEVEL4", "LEVEL5", "LEVEL6", "LEVEL7", "LEVEL8", "LEVEL9", "LEVEL10",
                                    "LEVEL11", "LEVEL12"}));
    QVERIFY(!actionNamed(w, "SIDOU")->isChecked());
    // The move list is on from the start, a checkable item of 局面.
    QVERIFY(actionNamed(w, "MOVE_LIST")->isCheckable());
    QVERIFY(actionNamed(w, "MOVE_LIST")->isChecked());
    QVERIFY(w.findChild<QMenu*>("STOP")->actions().contains(actionNamed(w, "MOVE_LIST")));
    QVERIFY(!w.menuBar()->isNativeMenuBar());
    // Each mark the game sets lands on its own checkable item and is read back from it.
    QSet<QString> names;
    for (int k = 0; k <= static_cast<int>(MenuItem::TimeCustom); ++k) {
        const auto mark = static_cast<MenuItem>(k);
        names.insert(menuItemName(mark));
        QAction* a = actionNamed(w, menuItemName(mark));
        QVERIFY2(a && a->isCheckable(), menuItemName(mark));
        const bool before = a->isChecked();
        w.marks().setChecked(mark, !before);
        QCOMPARE(a->isChecked(), !before);
        QCOMPARE(w.marks().isChecked(mark), !before);
        w.marks().setChecked(mark, before);
        QCOMPARE(a->isChecked(), before);
    }
    QCOMPARE(names.size(), static_cast<int>(MenuItem::TimeCustom) + 1);
    // 持ち時間: なし checked from the start, then the presets and 設定...
    QStringList times;
    for (QAction* a : w.findChild<QMenu*>("TIME_CONTROL")->actions()) times << a->text() + (a->isChecked() ? "*" : "");
    QCOMPARE(times, QStringList({"なし*", "1+0", "3+2", "5+0", "10+5", "15+10", "30+0", "設定..."}));
    QStringList game;
    for (QAction* a : w.findChild<QMenu*>("TAIKYOKU")->actions()) game << a->objectName();
    QCOMPARE(game, QStringList({"MATCH_MAN", "START2", "LEVEL", "TIME_CONTROL", "RESIGN", "OFFER_DRAW", "OWARI"}));
}

void MainWindowTest::windowAndClientGeometry() {
    MainWindow w;
    w.start();
    QCOMPARE(w.windowTitle(), QString("Velmora"));
    QCOMPARE(w.frameGeometry().topLeft(), QPoint(0, 0));
    // 13000 x 7400 twips, or what the screen has of it.
    QCOMPARE(w.frameGeometry().size(), QSize(13000 / 15, 7400 / 15).boundedTo(w.screen()->availableGeometry().size()));
    startAtNaturalSize(w);
    // Both boards, their labels and the text bands fit the client area, at
    // their natural size and centred.
    const QSize client = w.canvas().size();
    QVERIFY(client.width() * 15 >= 700 + 522 * 22);
    QVERIFY(client.height() * 15 >= 900 + 525 * 10.5);
    QCOMPARE(w.canvas().transform().scale(), 1.0);
    const QPoint corner = w.canvas().toWidget(QPointF(0, 0));
    QVERIFY(std::abs(corner.x() - (client.width() - 860) / 2) <= 1);
    QVERIFY(std::abs(corner.y() - (client.height() - 446) / 2) <= 1);
}

void MainWindowTest::selectionOutlinesTheSquareInTheBackBuffer() {
    MainWindow w;
    startAtNaturalSize(w);
    whiteToMove(w);
    const QPoint edge = outlinePixel(w, BoardId::RIGHT, 5, 7);
    const QPoint inner = edge + QPoint(1, 0);
    QCOMPARE(bufferPixel(w, edge), QColor(0, 128, 0));  // the normal outline
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::RIGHT, 5, 7));
    QVERIFY(w.game().selection(BoardId::RIGHT).pieceSelected);
    // Two pixels wide inside the square, so it reads on the red squares too.
    QCOMPARE(bufferPixel(w, edge), QColor(255, 0, 0));
    QCOMPARE(bufferPixel(w, inner), QColor(255, 0, 0));
    QCOMPARE(bufferPixel(w, outlinePixel(w, BoardId::RIGHT, 4, 7)), QColor(0, 128, 0));
    // The move clears the mark: the grid line is green again and the square
    // shows its picture where the mark's inner pixel was.
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::RIGHT, 5, 5));
    QVERIFY(!w.game().selection(BoardId::RIGHT).pieceSelected);
    QCOMPARE(bufferPixel(w, edge), QColor(0, 128, 0));
    // The empty square (5, 7) now looks like the empty square (1, 3) of the same shade.
    QCOMPARE(bufferPixel(w, inner), bufferPixel(w, outlinePixel(w, BoardId::RIGHT, 1, 3) + QPoint(1, 0)));
}

void MainWindowTest::blinkShowsTheEmptySquareWhileWaiting() {
    MainWindow w;
    startAtNaturalSize(w);
    const QPoint centre = squareCentre(w, BoardId::LEFT, 4, 8) + QPoint(0, 8);  // inside the queen's figure
    const QColor withPiece = bufferPixel(w, centre);
    // The blink returns at once; its two halves are played by timer events.
    w.game().presentation().描画_駒点滅(BoardId::LEFT, {4, 8}, 1);
    QVERIFY(w.busy());
    QTest::qWait(100);
    QVERIFY(bufferPixel(w, centre) != withPiece);
    QVERIFY(settled(w));
    QCOMPARE(bufferPixel(w, centre), withPiece);
}

void MainWindowTest::messageBoxesHaveJapaneseButtons() {
    MainWindow w;
    w.start();
    QStringList captions;
    answerNextBox(&w, captions, "いいえ");
    const Answer answer = w.dialogs().messageBox("続けますか？", "再ゲーム", Buttons::YesNo, false);
    QCOMPARE(answer, Answer::No);
    QVERIFY(captions.contains("はい"));
    QVERIFY(captions.contains("いいえ"));
    QVERIFY(captions.contains("再ゲーム"));
    QVERIFY(captions.contains("続けますか？"));
}

void MainWindowTest::messageBoxesAreWideEnoughForTheirTitles() {
    MainWindow w;
    w.start();
    const QFontMetrics titleBar(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    for (const char* title : {"ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定", "チェックメイト ?", "棋譜書込"}) {
        int width = 0;
        QTimer::singleShot(0, &w, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                width = box->width();
                box->close();
            }
        });
        w.dialogs().messageBox("終わり", title, Buttons::Ok, false);
        // The whole title, and beside it the frame's close button and icon.
        const int needed = titleBar.horizontalAdvance(QString::fromUtf8(title)) + 100;
        QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1: %2 < %3").arg(title).arg(width).arg(needed)));
    }
}

void MainWindowTest::recordPanelOpensAndAClickClosesIt() {
    MainWindow w;
    startAtNaturalSize(w);
    auto* file1 = w.findChild<QWidget*>("File1");
    auto* text1 = w.findChild<QLineEdit*>("Text1");
    auto* button = w.findChild<QWidget*>("Command1");
    QVERIFY(file1 && text1 && button);
    QVERIFY(!file1->isVisible());
    actionNamed(w, "KIFU_READ")->trigger();
    QVERIFY(file1->isVisible());
    QVERIFY(!text1->isVisible());
    QCOMPARE(file1->geometry(), QRect(240 / 15, 2280 / 15, 2535 / 15, 930 / 15).translated(onCanvas(w, QPointF(0, 0))));
    // The save panel: fields and button, no file list (a fresh game has no move to refuse yet).
    actionNamed(w, "KIFU_WRITE")->trigger();
    QVERIFY(text1->isVisible());
    QVERIFY(button->isVisible());
    QVERIFY(!file1->isVisible());
    text1->setText("name");
    // Any click on the window closes the panel and empties its fields.
    QTimer::singleShot(0, &w, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, onCanvas(w, QPointF(600, 300)));
    QVERIFY(!text1->isVisible());
    QVERIFY(text1->text().isEmpty());
}

void MainWindowTest::enterInTheFileNameFieldSavesAsReturnDoes() {
    MainWindow w;
    startAtNaturalSize(w);
    whiteToMove(w);
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 5, 7));
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 5, 5));
    QCOMPARE(w.game().state.moveNumber, 1);
    QVERIFY(settled(w));
    actionNamed(w, "KIFU_WRITE")->trigger();
    auto* text1 = w.findChild<QLineEdit*>("Text1");
    QVERIFY(text1 && text1->isVisible());
    text1->setText("entered");
    QString said;
    QTimer::singleShot(0, &w, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            said = box->text();
            box->close();
        }
    });
    QTest::keyClick(text1, Qt::Key_Return);
    QCOMPARE(said, QString("棋譜を書き込みました"));
    QVERIFY(QFileInfo(QDir(w.recordPanel().currentFolder()).filePath("entered.棋譜")).isFile());
    QVERIFY(!text1->isVisible());
}

void MainWindowTest::aMoveMadeWhileTheLastOneIsShownIsKept() {
    MainWindow w;
    startAtNaturalSize(w);
    whiteToMove(w);
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 5, 7));
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 5, 5));
    // White's move text is still on its pause when black answers.
    QVERIFY(w.busy());
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 4, 2));
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 4, 4));
    QCOMPARE(w.game().state.moveNumber, 2);
    QCOMPARE(w.game().board(BoardId::LEFT).at(5, 5), WHITE_PAWN);
    QCOMPARE(w.game().board(BoardId::LEFT).at(4, 4), BLACK_PAWN);
    QCOMPARE(w.game().history.left[2].at(4, 4), BLACK_PAWN);
    QVERIFY(settled(w));
    // What the screen shows square by square is what a whole new drawing shows.
    QList<QColor> shown;
    for (const auto& [f, r] : {std::pair{5, 7}, {5, 5}, {4, 2}, {4, 4}}) {
        shown << bufferPixel(w, squareCentre(w, BoardId::LEFT, f, r) + QPoint(0, 8));
    }
    w.game().presentation().画面_再描画();
    QVERIFY(settled(w));
    QList<QColor> redrawn;
    for (const auto& [f, r] : {std::pair{5, 7}, {5, 5}, {4, 2}, {4, 4}}) {
        redrawn << bufferPixel(w, squareCentre(w, BoardId::LEFT, f, r) + QPoint(0, 8));
    }
    QCOMPARE(shown, redrawn);
}

void MainWindowTest::promotionDialogStaysBesideItsBoardAtEverySize() {
    MainWindow w;
    startAtNaturalSize(w);
    // The computer promoting on the right board: the dialog keeps its place
    // beside the board, in the picture's proportions, at every size.
    QList<double> fromPicture;
    for (const QSize client : {QSize(866, 474), QSize(1720, 892)}) {
        w.resize(client + QSize(0, w.menuBar()->height()));
        QCoreApplication::processEvents();
        w.dialogs().showPromotionDialog(PromotionDialog::Form2, 50 + 6200, 1400);
        QWidget* dialog = w.dialogs().dialog(PromotionDialog::Form2);
        const QPoint picture = w.canvas().mapToGlobal(onCanvas(w, QPointF(0, 0)));
        fromPicture << (dialog->x() - picture.x()) / w.canvas().transform().scale();
        QVERIFY(w.frameGeometry().contains(dialog->geometry().topLeft()));
        w.dialogs().closePromotionDialog(PromotionDialog::Form2);
    }
    // The move list takes its share of the width beside the picture.
    QCOMPARE(w.canvas().transform().scale(), 1720.0 / (860 + ui::PictureTransform::PANEL_WIDTH));
    QVERIFY2(std::abs(fromPicture[0] - fromPicture[1]) <= 2, qPrintable(QString("%1 %2").arg(fromPicture[0]).arg(fromPicture[1])));
}

void MainWindowTest::closingTheWindowEndsTheProgram() {
    MainWindow w;
    startAtNaturalSize(w);
    QTimer::singleShot(0, &w, [&] { w.close(); });
    QTimer::singleShot(5000, &w, [] { QCoreApplication::exit(1); });  // did not end
    QCOMPARE(QApplication::exec(), 0);
    // The program was told to end, not just left without a window: commands do nothing.
    QTimer::singleShot(0, &w, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    w.game().state.sideToMove = Side::None;
    actionNamed(w, "START")->trigger();
    QCOMPARE(w.game().state.sideToMove, Side::None);
}

void MainWindowTest::endingTheProgramLeavesTheEventLoopAndIgnoresLaterCommands() {
    MainWindow w;
    startAtNaturalSize(w);
    // 終わり from inside the running event loop: the loop returns normally.
    QTimer::singleShot(0, &w, [&] { actionNamed(w, "OWARI")->trigger(); });
    QTimer::singleShot(5000, &w, [] { QCoreApplication::exit(1); });  // did not end
    QCOMPARE(QApplication::exec(), 0);
    // A command after the end runs no game code: no game starts, no box opens.
    QTimer::singleShot(0, &w, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    w.game().state.sideToMove = Side::None;
    actionNamed(w, "START")->trigger();
    QCOMPARE(w.game().state.sideToMove, Side::None);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
