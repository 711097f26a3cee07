// Playing by keyboard on the offscreen platform: the menu shortcuts, the
// square cursor and its clicks, and the fast display item.
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include "draw/geometry.h"
#include "sound_warning_watch.h"
#include "ui/main_window.h"
#include "ui/palette.h"
#include "ui/promotion_dialog.h"
#include "window_helpers.h"

using namespace velmora;
using velmora::ui::MainWindow;
using namespace velmora::testing;

namespace {

QColor bufferPixel(MainWindow& w, QPoint logical) {
    return w.canvas().backBuffer().pixelColor(logical * w.canvas().devicePixelRatioF());
}

// A pixel of the cursor's ring on a square: four pixels in from the cell's
// left edge, half-way down, where no other mark draws.
QPoint cursorRingPixel(MainWindow& w, BoardId id, int file, int rank) {
    const int left = static_cast<int>(std::lround((originX(id) + 522.0 * file) / 15));
    const int top = static_cast<int>(std::lround((900 + 525.0 * rank) / 15));
    return w.canvas().toWidget(QPointF(left + 4, top + 17));
}

const QColor CURSOR = ui::qtColour(KEY_CURSOR_COLOR);

void key(MainWindow& w, Qt::Key k, Qt::KeyboardModifiers modifiers = {}, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(&w.canvas(), k, modifiers);
}

// Answers the next message box with its first button and keeps its text;
// the window is active again before the next key is sent.
void answerNextBox(MainWindow& w, QString& text) {
    QCoreApplication::processEvents();  // the last box's activation handed back first
    QTimer::singleShot(0, &w, [&w, &text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->buttons().first()->click();
        }
        QTimer::singleShot(0, &w, [&w] { QApplication::setActiveWindow(&w); });
    });
}

void activate(MainWindow& w) {
    startAtNaturalSize(w);
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&w.canvas()));
}

// A white pawn on a7 of the left board, its a8 empty, white to move, and
// the keyboard's cursor taken from e2 onto the pawn and Enter pressed there.
Board& pawnOnA7Selected(MainWindow& w) {
    activate(w);
    whiteToMove(w);
    Board& left = w.game().board(BoardId::LEFT);
    left.at(1, 2) = WHITE_PAWN;
    left.at(1, 1) = EMPTY;
    w.game().presentation().描画_盤(BoardId::LEFT);
    key(w, Qt::Key_Left, {}, 5);
    key(w, Qt::Key_Up, {}, 5);
    if (w.keyCursor().file() != 1 || w.keyCursor().rank() != 2) qFatal("the cursor did not reach a7");
    key(w, Qt::Key_Return);
    return left;
}

}  // namespace

class KeysWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(folder_.isValid() && QDir::setCurrent(folder_.path())); }
    void menuItemsShowTheirShortcutsBesideUnchangedCaptions();
    void shortcutsStepThroughTheGameAndAreRefusedLikeTheirCommands();
    void shortcutsOpenTheRecordPanelAndTheHelp();
    void arrowKeysMoveTheCursorAcrossTheGapAndEnterClicksThere();
    void shiftEnterIsTheRightButtonForAPromotion();
    void aMouseClickHidesTheCursorAndTheKeysGoOnFromThere();
    void fastDisplayIsACheckedItemAfterTheMusic();
    void altPutsTheKeysOnTheMenuBarAndTheArrowsReachEveryItem();
    void escLeavesTheMenuBarFirstAndEndsTheProgramFromTheBoards();
    void theRecordPanelKeepsTheKeysAndEnterLoadsTheChosenFile();
    void thePromotionChoiceShowsWhereTheKeysStandAndTheyChoose();
    void theHelpWindowClosesWithEscAndCtrlW();
    void theSquareCursorStandsOutFromBothSquareColours();

private:
    QTemporaryDir folder_;
    SoundWarningWatch soundWarnings_;
};

void KeysWindowTest::menuItemsShowTheirShortcutsBesideUnchangedCaptions() {
    MainWindow w;
    w.start();
    const QList<std::tuple<QString, QString, QKeySequence>> items = {
        {"KIFU_READ", "読込", QKeySequence("Ctrl+O")},  {"KIFU_WRITE", "書込", QKeySequence("Ctrl+S")},
        {"KAISETU", "解説", QKeySequence("F1")},        {"REPLAY", "戻", QKeySequence("Ctrl+Z")},
        {"AFTER", "進", QKeySequence("Ctrl+Y")},        {"CANCEL", "最初", QKeySequence("Home")},
        {"HINT", "ヒント", QKeySequence("Ctrl+H")},     {"ANALYSIS", "解析", QKeySequence("F5")},
        {"COPY_POSITION", "局面をコピー", QKeySequence("Ctrl+C")},
        {"PASTE_POSITION", "局面を貼り付け", QKeySequence("Ctrl+V")}};
    for (const auto& [name, caption, keys] : items) {
        QAction* a = actionNamed(w, name);
        QVERIFY2(a, qPrintable(name));
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut(), keys);
        // Held by the window too, so the key works with every menu closed.
        QVERIFY2(w.actions().contains(a), qPrintable(name));
    }
    // No other command took a key.
    int withKeys = 0;
    for (QAction* a : w.findChildren<QAction*>()) withKeys += a->shortcut().isEmpty() ? 0 : 1;
    QCOMPARE(withKeys, items.size());
}

void KeysWindowTest::shortcutsStepThroughTheGameAndAreRefusedLikeTheirCommands() {
    MainWindow w;
    activate(w);
    // Nothing to step back to: 戻's own refusal, by key as by menu.
    QString text;
    answerNextBox(w, text);
    key(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text, QString("できません"));
    QCOMPARE(w.game().state.moveNumber, 0);
    // No game running: the hint refuses as its menu item does.
    text.clear();
    answerNextBox(w, text);
    key(w, Qt::Key_H, Qt::ControlModifier);
    QCOMPARE(text, QString("「対局」で始めて下さい"));

    whiteToMove(w);
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 5, 7));
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 5, 5));
    QCOMPARE(w.game().state.moveNumber, 1);
    QVERIFY(settled(w));
    key(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.game().state.moveNumber, 0);
    QCOMPARE(w.game().state.sideToMove, Side::None);
    QCOMPARE(w.game().board(BoardId::LEFT).at(5, 7), WHITE_PAWN);
    key(w, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(w.game().state.moveNumber, 1);
    QCOMPARE(w.game().board(BoardId::LEFT).at(5, 5), WHITE_PAWN);
    // Past the last move: 進's refusal.
    text.clear();
    answerNextBox(w, text);
    key(w, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(text, QString("できません"));
    QCOMPARE(w.game().state.moveNumber, 1);
    // Home: 最初, the starting position and no game.
    QCoreApplication::processEvents();
    key(w, Qt::Key_Home);
    QCOMPARE(w.game().state.moveNumber, 0);
    QCOMPARE(w.game().board(BoardId::LEFT).at(5, 7), WHITE_PAWN);
    QCOMPARE(w.game().board(BoardId::LEFT).at(5, 5), EMPTY);
}

void KeysWindowTest::shortcutsOpenTheRecordPanelAndTheHelp() {
    QFile page("Velmora.htm");
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>Velmora</title></head><body><p>キー</p></body></html>");
    page.close();
    MainWindow w;
    activate(w);
    auto* file1 = w.findChild<QWidget*>("File1");
    auto* text1 = w.findChild<QWidget*>("Text1");
    QVERIFY(file1 && text1);
    key(w, Qt::Key_O, Qt::ControlModifier);
    QVERIFY(file1->isVisible());
    // The panel's list has the keys while it is open; the window's shortcut
    // still reaches 書込.
    key(w, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(text1->isVisible());
    QVERIFY(!file1->isVisible());
    w.browser().setLauncherCheck([] { return false; });
    key(w, Qt::Key_F1);
    QVERIFY(w.browser().helpWindow() && w.browser().helpWindow()->isVisible());
    QFile::remove("Velmora.htm");
}

void KeysWindowTest::arrowKeysMoveTheCursorAcrossTheGapAndEnterClicksThere() {
    MainWindow w;
    activate(w);
    whiteToMove(w);
    QVERIFY(!w.keyCursor().shown());
    QVERIFY(bufferPixel(w, cursorRingPixel(w, BoardId::LEFT, 5, 7)) != CURSOR);
    // The first key shows it where it stands: e2 of the left board.
    key(w, Qt::Key_Right);
    QVERIFY(w.keyCursor().shown());
    QCOMPARE(bufferPixel(w, cursorRingPixel(w, BoardId::LEFT, 5, 7)), CURSOR);
    // Over h2 and across the gap to the right board's a2, then back.
    key(w, Qt::Key_Right, {}, 4);
    QCOMPARE(w.keyCursor().board(), BoardId::RIGHT);
    QCOMPARE(w.keyCursor().file(), 1);
    QCOMPARE(bufferPixel(w, cursorRingPixel(w, BoardId::RIGHT, 1, 7)), CURSOR);
    QVERIFY(bufferPixel(w, cursorRingPixel(w, BoardId::LEFT, 5, 7)) != CURSOR);
    key(w, Qt::Key_Left);
    QCOMPARE(w.keyCursor().board(), BoardId::LEFT);
    QCOMPARE(w.keyCursor().file(), 8);
    // h2 to h4 on the left board: Space picks the pawn up, Enter puts it down.
    key(w, Qt::Key_Space);
    QVERIFY(w.game().selection(BoardId::LEFT).pieceSelected);
    key(w, Qt::Key_Up, {}, 2);
    key(w, Qt::Key_Return);
    QCOMPARE(w.game().board(BoardId::LEFT).at(8, 5), WHITE_PAWN);
    QCOMPARE(w.game().board(BoardId::LEFT).at(8, 7), EMPTY);
    QCOMPARE(w.game().state.moveNumber, 1);
    // Above the last move's ring on the same square: both in view.
    QCOMPARE(bufferPixel(w, cursorRingPixel(w, BoardId::LEFT, 8, 5)), CURSOR);
}

void KeysWindowTest::shiftEnterIsTheRightButtonForAPromotion() {
    MainWindow w;
    Board& left = pawnOnA7Selected(w);
    QVERIFY(w.game().selection(BoardId::LEFT).pieceSelected);
    key(w, Qt::Key_Up);
    // Enter alone is the left button: refused with its message.
    QString text;
    answerNextBox(w, text);
    key(w, Qt::Key_Return);
    QCOMPARE(text, QString("マウスの右をクリックして下さい"));
    QCOMPARE(left.at(1, 2), WHITE_PAWN);
    // Shift+Enter opens the piece choice; the knight is taken.
    QTimer::singleShot(0, &w, [] {
        if (auto* d = qobject_cast<ui::PromotionDialog*>(QApplication::activeModalWidget())) {
            if (auto* b = d->findChild<QAbstractButton*>(d->objectName() == "Form3" ? "W_NIGT" : "B_NIGT")) b->click();
        }
    });
    key(w, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(std::abs(left.at(1, 1)), static_cast<int>(BLACK_KNIGHT));
    QVERIFY(left.at(1, 1) < 0);
    QCOMPARE(left.at(1, 2), EMPTY);
}

void KeysWindowTest::aMouseClickHidesTheCursorAndTheKeysGoOnFromThere() {
    MainWindow w;
    activate(w);
    whiteToMove(w);
    key(w, Qt::Key_Down);
    QCOMPARE(bufferPixel(w, cursorRingPixel(w, BoardId::LEFT, 5, 7)), CURSOR);
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::RIGHT, 2, 7));
    QVERIFY(!w.keyCursor().shown());
    QVERIFY(bufferPixel(w, cursorRingPixel(w, BoardId::LEFT, 5, 7)) != CURSOR);
    QVERIFY(bufferPixel(w, cursorRingPixel(w, BoardId::RIGHT, 2, 7)) != CURSOR);
    QVERIFY(w.game().selection(BoardId::RIGHT).pieceSelected);
    // The next key shows it on the square clicked; Enter there moves b2-b3.
    key(w, Qt::Key_Up);
    QCOMPARE(bufferPixel(w, cursorRingPixel(w, BoardId::RIGHT, 2, 7)), CURSOR);
    key(w, Qt::Key_Up);
    key(w, Qt::Key_Enter);
    QCOMPARE(w.game().board(BoardId::RIGHT).at(2, 6), WHITE_PAWN);
    // Keys during a pause are swallowed like clicks.
    QTimer::singleShot(30, &w, [&] { key(w, Qt::Key_Left); });
    w.game().pauses().wait(0.2);
    QCOMPARE(w.keyCursor().file(), 2);
}

void KeysWindowTest::fastDisplayIsACheckedItemAfterTheMusic() {
    QFile::remove("Velmora.ini");
    MainWindow w;
    w.start();
    QAction* fast = actionNamed(w, "HAYAI_HYOUJI");
    QVERIFY(fast);
    QCOMPARE(fast->text(), QString("速い表示"));
    QVERIFY(fast->isCheckable());
    QVERIFY(!fast->isChecked());
    const QList<QAction*> options = w.findChild<QMenu*>("OPTION")->actions();
    QCOMPARE(options.indexOf(fast), options.indexOf(actionNamed(w, "BGM")) + 1);
    QCOMPARE(options.last(), fast);
    fast->trigger();
    QVERIFY(fast->isChecked());
    QVERIFY(w.game().options.fastDisplay);
    // A pause of a second now passes in a few milliseconds on the window's clock.
    QElapsedTimer t;
    t.start();
    w.game().pauses().wait(1.0);
    QVERIFY2(t.elapsed() < 100, qPrintable(QString::number(t.elapsed())));
    QFile ini("Velmora.ini");
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QStringEncoder cp932("CP932");
    const QByteArray line = cp932.encode(QString("速い表示=ON\r\n"));
    QVERIFY(ini.readAll().endsWith(line));
}

namespace {

// Alt pressed and let go alone, as the keyboard sends it.
void tapAlt(QWidget* to) {
    QTest::keyPress(to, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(to, Qt::Key_Alt, Qt::NoModifier);
}

// A key to whatever has the keys now: an open menu, the bar or the boards.
void keyToFocus(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* to = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::focusWidget();
    QVERIFY(to);
    QTest::keyClick(to, k, modifiers);
}

QString activeItem(MainWindow& w) {
    QAction* a = w.menuBar()->activeAction();
    return a ? a->objectName() : QString();
}

const QStringList BAR_ITEMS = {"TAIKYOKU", "STOP", "REPLAY", "AFTER", "LBEL_UP", "LEBEL_DOWN", "KIFU", "OPTION", "SONOTA"};

// WCAG relative luminance and the contrast ratio of two colours.
double luminance(const QColor& c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

void KeysWindowTest::altPutsTheKeysOnTheMenuBarAndTheArrowsReachEveryItem() {
    MainWindow w;
    activate(w);
    QMenuBar* bar = w.menuBar();
    const QRect first = bar->actionGeometry(bar->actions().first());
    const QImage before = bar->grab(first).toImage();
    tapAlt(&w.canvas());
    QCOMPARE(activeItem(w), QString("TAIKYOKU"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(bar));
    // The item the keys stand on is drawn highlighted.
    QVERIFY(bar->grab(first).toImage() != before);
    // Right walks over every item, the direct commands included, and no
    // arrow reaches the boards' cursor.
    QStringList visited = {activeItem(w)};
    for (int i = 1; i < BAR_ITEMS.size(); ++i) {
        keyToFocus(Qt::Key_Right);
        visited << activeItem(w);
    }
    QCOMPARE(visited, BAR_ITEMS);
    QVERIFY(!w.keyCursor().shown());
    // Left walks back the same way.
    QStringList back = {activeItem(w)};
    for (int i = 1; i < BAR_ITEMS.size(); ++i) {
        keyToFocus(Qt::Key_Left);
        back << activeItem(w);
    }
    std::reverse(back.begin(), back.end());
    QCOMPARE(back, BAR_ITEMS);
    // Enter on 戻 runs it: nothing to step back to, its own refusal.
    keyToFocus(Qt::Key_Right);
    keyToFocus(Qt::Key_Right);
    QCOMPARE(activeItem(w), QString("REPLAY"));
    QString text;
    answerNextBox(w, text);
    keyToFocus(Qt::Key_Return);
    QCOMPARE(text, QString("できません"));
    QVERIFY(!w.shell().ending());
}

void KeysWindowTest::escLeavesTheMenuBarFirstAndEndsTheProgramFromTheBoards() {
    MainWindow w;
    activate(w);
    // On the bar: Esc leaves it, the keys go back to the boards, the game goes on.
    tapAlt(&w.canvas());
    keyToFocus(Qt::Key_Right);
    keyToFocus(Qt::Key_Right);
    QCOMPARE(activeItem(w), QString("REPLAY"));
    keyToFocus(Qt::Key_Escape);
    QVERIFY(!w.shell().ending());
    QCOMPARE(activeItem(w), QString());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&w.canvas()));
    // A menu open: the first Esc closes it, the second leaves the bar.
    tapAlt(&w.canvas());
    keyToFocus(Qt::Key_Down);
    QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 2000));
    keyToFocus(Qt::Key_Escape);
    QVERIFY(!QApplication::activePopupWidget());
    QCOMPARE(activeItem(w), QString("TAIKYOKU"));
    QVERIFY(!w.shell().ending());
    keyToFocus(Qt::Key_Escape);
    QCOMPARE(activeItem(w), QString());
    QVERIFY(!w.shell().ending());
    // From the boards Esc ends the program, as it always has.
    key(w, Qt::Key_Escape);
    QVERIFY(w.shell().ending());
}

void KeysWindowTest::theRecordPanelKeepsTheKeysAndEnterLoadsTheChosenFile() {
    MainWindow w;
    activate(w);
    whiteToMove(w);
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 5, 7));
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 5, 5));
    QVERIFY(settled(w));
    auto* text1 = w.findChild<QLineEdit*>("Text1");
    QVERIFY(text1);
    // Saving: the file name has the keys at once.
    key(w, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(text1));
    QTest::keyClicks(text1, "bykeys");
    QString text;
    answerNextBox(w, text);
    QTest::keyClick(text1, Qt::Key_Return);
    QCOMPARE(text, QString("棋譜を書き込みました"));
    QVERIFY(QFile::exists("bykeys.棋譜"));
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&w.canvas()));

    // Loading: the file list has the keys, and Tab goes round the panel.
    key(w, Qt::Key_Home);
    QCOMPARE(w.game().state.moveNumber, 0);
    key(w, Qt::Key_O, Qt::ControlModifier);
    QListWidget* files = w.recordPanel().fileList();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(files));
    const QList<QWidget*> round = {files, w.findChild<QWidget*>("Drive1"), w.findChild<QWidget*>("Dir1"), files};
    for (QWidget* next : round.mid(1)) {
        keyToFocus(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    for (QWidget* previous : {round[2], round[1], round[0]}) {
        keyToFocus(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), previous);
    }
    // The saving panel's round: its fields top to bottom and RETURN, never the boards.
    key(w, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(text1));
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        keyToFocus(Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"Command1", "Drive1", "Dir1", "Text2", "Text3", "Text4"}));

    // Enter on the chosen file loads it, as a click does.
    key(w, Qt::Key_O, Qt::ControlModifier);
    const QList<QListWidgetItem*> found = files->findItems("bykeys.棋譜", Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    files->setCurrentItem(found.first());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(files));
    // Loading tells of itself in two boxes, each answered as it shows.
    QStringList boxes;
    QTimer answering;
    answering.setInterval(20);
    connect(&answering, &QTimer::timeout, &w, [&boxes] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes << box->text();
            box->buttons().first()->click();
        }
    });
    answering.start();
    QTest::keyClick(files, Qt::Key_Return);
    answering.stop();
    QCOMPARE(boxes.value(0), QString(" 読み込みました"));
    QVERIFY(w.game().state.recordMode);
    QApplication::setActiveWindow(&w);
    QVERIFY(settled(w));
    key(w, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(w.game().state.moveNumber, 1);
    QCOMPARE(w.game().board(BoardId::LEFT).at(5, 5), WHITE_PAWN);
}

void KeysWindowTest::thePromotionChoiceShowsWhereTheKeysStandAndTheyChoose() {
    MainWindow w;
    Board& left = pawnOnA7Selected(w);
    key(w, Qt::Key_Up);
    // In the piece choice the keys start on the queen, framed in black;
    // Down twice moves to the knight, Up once back to the bishop, Enter takes it.
    QStringList seen;
    bool framed = false;
    QTimer::singleShot(0, &w, [&] {
        auto* d = qobject_cast<ui::PromotionDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        auto framedButton = [d]() -> QString {
            auto* marker = d->findChild<QFrame*>("KeyMarker");
            if (!marker || !marker->isVisible()) return "none";
            for (QAbstractButton* b : d->findChildren<QAbstractButton*>()) {
                if (marker->geometry().contains(b->geometry())) return b->objectName();
            }
            return "none";
        };
        auto keysOn = [d] { return d->focusWidget() ? d->focusWidget()->objectName() : QString(); };
        seen << framedButton() + "/" + keysOn();
        if (auto* marker = d->findChild<QFrame*>("KeyMarker")) {
            const QImage shot = d->grab().toImage();
            const QRect frame = marker->geometry();
            framed = shot.pixelColor(frame.left() + 1, frame.center().y()) == QColor(Qt::black) &&
                     shot.pixelColor(frame.center().x(), frame.top() + 1) == QColor(Qt::black);
        }
        auto press = [d](Qt::Key k) { QTest::keyClick(d->focusWidget() ? d->focusWidget() : d, k); };
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        seen << framedButton() + "/" + keysOn();
        press(Qt::Key_Up);
        seen << framedButton() + "/" + keysOn();
        press(Qt::Key_Return);
        // Not taken by the keys: closed, so the test goes on to fail rather than wait.
        QTimer::singleShot(2000, d, [d] {
            if (d->isVisible()) d->reject();
        });
    });
    key(w, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(seen, QStringList({"W_QEEN/W_QEEN", "W_NIGT/W_NIGT", "W_BISYO/W_BISYO"}));
    QVERIFY(framed);
    QCOMPARE(left.at(1, 1), static_cast<PieceCode>(-BLACK_BISHOP));
    QCOMPARE(left.at(1, 2), EMPTY);
    // The computer's own choice shows no frame of the keys.
    auto* form3 = w.findChild<ui::PromotionDialog*>("Form3");
    QVERIFY(form3);
    w.dialogs().showPromotionDialog(velmora::PromotionDialog::Form3, 0, 0);
    auto* marker = form3->findChild<QFrame*>("KeyMarker");
    QVERIFY(marker && !marker->isVisible());
    w.dialogs().closePromotionDialog(velmora::PromotionDialog::Form3);
}

void KeysWindowTest::theHelpWindowClosesWithEscAndCtrlW() {
    QFile page("Velmora.htm");
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>Velmora</title></head><body><p>キー</p></body></html>");
    page.close();
    MainWindow w;
    activate(w);
    w.browser().setLauncherCheck([] { return false; });
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        key(w, Qt::Key_F1);
        QPointer<QTextBrowser> help = w.browser().helpWindow();
        QVERIFY(help && help->isVisible());
        QApplication::setActiveWindow(help);
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help, keys[0].key(), keys[0].keyboardModifiers());
        QVERIFY2(!help || !help->isVisible(), qPrintable(keys.toString()));
        // The game is left as it was.
        QVERIFY(!w.shell().ending());
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }
    QFile::remove("Velmora.htm");
}

void KeysWindowTest::theSquareCursorStandsOutFromBothSquareColours() {
    // Every pixel of both empty-square pictures, at every density the
    // window draws, against the cursor's palette colour: at least 3:1.
    for (const qreal ratio : {1.0, 2.0}) {
        ui::Pictures pictures(ratio);
        for (const int square : {0, 1}) {
            const QImage& tile = pictures.byCode(square);
            QVERIFY(!tile.isNull());
            double worst = 100;
            for (int y = 0; y < tile.height(); ++y) {
                for (int x = 0; x < tile.width(); ++x) worst = std::min(worst, contrast(CURSOR, tile.pixelColor(x, y)));
            }
            QVERIFY2(worst >= 3.0, qPrintable(QStringLiteral("square %1 at %2x: %3:1").arg(square).arg(ratio).arg(worst)));
        }
    }
}

QTEST_MAIN(KeysWindowTest)
#include "keys_window_test.moc"
