// While the search engine thinks about the computer's move, the menus and
// every command work. Commands that change or end the game stop the search,
// and its move never lands; the others run beside it. The real program on an
// X server, driven by xdotool while the engine thinks, run under Xvfb by
// run_on_xvfb.sh. Each scenario prints how long the command took to stop the
// search and to show on the screen.
#include <QAction>
#include <QDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <functional>

#include "com/com_state.h"
#include "com/level.h"
#include "draw/geometry.h"
#include "record/replay.h"
#include "record/resume.h"
#include "ui/main_window.h"
#include "x_input.h"

using namespace velmora;
using velmora::ui::MainWindow;
using namespace velmora::xtest;

namespace {

// Long enough that only a stop ends the search before the test does.
constexpr int LONG_SEARCH_MS = 30000;

// Input sent without waiting: the events reach the window in whatever event
// loop runs then, the search's included.
void sendLater(const QStringList& args) { QProcess::startDetached("xdotool", args); }
void clickLater(QPoint global) {
    sendLater({"mousemove", "--sync", QString::number(global.x()), QString::number(global.y()), "click", "1"});
}

// Steps run one after another from a timer, which fires inside every event
// loop the window enters (the search's, a box's); a step returns true when done.
class Script {
public:
    using Step = std::function<bool()>;
    void then(Step step) { steps_.push_back(std::move(step)); }
    void once(std::function<void()> act) {
        then([act] {
            act();
            return true;
        });
    }
    // Until every step is done and no handler runs any more, or the time is up.
    bool run(const MainWindow& w, int timeoutMs = 60000) {
        QEventLoop loop;
        QTimer timer;
        QElapsedTimer clock;
        clock.start();
        QObject::connect(&timer, &QTimer::timeout, [&] {
            while (!steps_.empty() && steps_.front()()) steps_.pop_front();
            if ((steps_.empty() && !w.busy()) || clock.elapsed() > timeoutMs) loop.quit();
        });
        timer.start(2);
        loop.exec();
        if (!steps_.empty()) qWarning() << steps_.size() << "steps left when the time was up";
        return steps_.empty();
    }

private:
    std::deque<Step> steps_;
};

}  // namespace

class ThinkingScreenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void stepsBackAndToTheFirstPositionStopTheSearch();
    void aClickInTheMoveListStopsTheSearch();
    void aNewGameReplacesTheThinkingOne();
    void loadingAndTheLastGameStopTheSearch();
    void aLevelTheBoardsTurnedAndRefusalsLetTheComputerGoOn();
    void optionsHelpAndVersionRunBesideTheSearch();
    void escEndsTheProgramWithTheGameKept();
    void keysAndMenusAtEveryMomentOfATurnTakeEffect();

private:
    QImage screen() const;
    QPoint global(QPoint canvasPoint) const { return w_->canvas().mapToGlobal(canvasPoint); }
    QPoint square(BoardId id, int file, int rank) const {
        return global(w_->canvas().toWidget(QPointF((originX(id) + 522.0 * file + 261) / 15,
                                                    (900 + 525.0 * rank + 262) / 15)));
    }
    // Clicks through the menu bar: the top entry, then each item as its menu opens.
    void menuLater(Script& s, const QStringList& path);
    // A game against the top level with the person first; e2-e4 on the left board,
    // then the steps wait until the engine has thought for a while.
    void startThinking(Script& s, int searchMs = LONG_SEARCH_MS);
    // A game against the top level (its budget `searchMs`, 0: its own) with the
    // person first and 速い表示 off, and e2-e4 clicked on the left board.
    void personMoves(Script& s, int searchMs);
    // That game and move at the top level's own budget; the steps go on `delayMs`
    // after the move reached the game.
    void movedAgo(Script& s, int delayMs);
    // Sends the command's input, noting when; the search's end and the first
    // change on the screen are noted as they come. A search started after
    // the command (the computer going on, a new game) is a short one.
    void command(Script& s, const QString& what, std::function<void()> send);
    void clickBarLater(const QString& name) {
        QMenuBar* bar = w_->menuBar();
        clickLater(bar->mapToGlobal(bar->actionGeometry(w_->findChild<QAction*>(name)).center()));
    }
    void waitFor(Script& s, std::function<bool()> condition) { s.then(std::move(condition)); }
    // What a command is to do to the search under way.
    enum class Search {
        Stopped,    // it ended within a second of the command
        GoesOn,     // it still runs, never stopped since the command
        EitherWay,  // the moment decides: none may have been running yet
    };
    // The figures of the command just made, printed; the test fails when the
    // search did not go as `expected`, or (`expectShown`) the screen did not change.
    void report(Search expected, bool expectShown = true);

    QTemporaryDir folder_;
    BoxAnswerer boxes_;
    std::unique_ptr<MainWindow> w_;
    QElapsedTimer clock_;
    QString what_;
    QImage before_;
    qint64 sentAt_ = -1, askedAt_ = -1, stoppedAt_ = -1, shownAt_ = -1;
    bool watching_ = false;
    QTimer screenWatch_;
};

void ThinkingScreenTest::initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    QVERIFY(folder_.isValid() && QDir::setCurrent(folder_.path()));
    QVERIFY(QFile::copy(QStringLiteral(VELMORA_GOLDEN_DIR "/play.棋譜"), folder_.filePath("play.棋譜")));
    clock_.start();
    // The screen is read every few milliseconds after a command, in whatever
    // event loop runs.
    connect(&screenWatch_, &QTimer::timeout, this, [this] {
        if (!watching_ || !w_ || shownAt_ >= 0) return;
        if (screen() != before_) shownAt_ = clock_.elapsed();
    });
    screenWatch_.start(3);
}

void ThinkingScreenTest::init() {
    QFile::remove(folder_.filePath("resume.棋譜"));
    boxes_.texts.clear();
    w_ = std::make_unique<MainWindow>();
    w_->start();
    // Wide enough for the move list beside the boards.
    w_->resize(1100, 600);
    QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    settle(100);
    connect(w_.get(), &MainWindow::thinkingChanged, this, [this](bool thinking) {
        if (!thinking && sentAt_ >= 0 && stoppedAt_ < 0) stoppedAt_ = clock_.elapsed();
    });
    sentAt_ = askedAt_ = stoppedAt_ = shownAt_ = -1;
    watching_ = false;
}

void ThinkingScreenTest::cleanup() {
    watching_ = false;
    if (w_ && !w_->shell().ending()) w_->game().movesUnsaved = false;  // no resume record from the teardown
    w_.reset();
    settle(50);
}

QImage ThinkingScreenTest::screen() const {
    const QPoint corner = w_->mapToGlobal(QPoint(0, 0));
    return w_->screen()->grabWindow(0, corner.x(), corner.y(), w_->width(), w_->height()).toImage();
}

void ThinkingScreenTest::menuLater(Script& s, const QStringList& path) {
    s.once([this, top = path.first()] {
        QMenuBar* bar = w_->menuBar();
        clickLater(bar->mapToGlobal(bar->actionGeometry(w_->findChild<QAction*>(top)).center()));
    });
    for (int i = 1; i < path.size(); ++i) {
        s.then([this, name = path[i]] {
            QAction* item = w_->findChild<QAction*>(name);
            for (QMenu* m : w_->findChildren<QMenu*>()) {
                if (m->isVisible() && m->actions().contains(item)) {
                    clickLater(m->mapToGlobal(m->actionGeometry(item).center()));
                    return true;
                }
            }
            return false;
        });
    }
}

void ThinkingScreenTest::personMoves(Script& s, int searchMs) {
    Game& g = w_->game();
    // From the first position, whatever the scenario before left, with the
    // pauses at their full length.
    s.once([&g, searchMs] {
        CANCEL_Click(g);
        LEVEL_Click(g, MAX_LEVEL);
        comState(g).engineTimeMs = searchMs;
        g.options.fastDisplay = false;
    });
    menuLater(s, {"TAIKYOKU", "START2", "SENTE"});
    // The game started and its box answered.
    waitFor(s, [&g] {
        return g.state.gameMode == GameMode::AgainstComputer && g.state.sideToMove != Side::None &&
               !QApplication::activeModalWidget();
    });
    s.once([this] { clickLater(square(BoardId::LEFT, 5, 7)); });
    waitFor(s, [&g] { return g.selection(BoardId::LEFT).pieceSelected; });
    s.once([this] { clickLater(square(BoardId::LEFT, 5, 5)); });
}

void ThinkingScreenTest::startThinking(Script& s, int searchMs) {
    personMoves(s, searchMs);
    waitFor(s, [this] { return w_->thinking(); });
    auto since = std::make_shared<QElapsedTimer>();
    s.once([since] { since->start(); });
    // Thinking for a while, with "思考中" on the screen.
    waitFor(s, [since] { return since->elapsed() > 300; });
}

void ThinkingScreenTest::movedAgo(Script& s, int delayMs) {
    Game& g = w_->game();
    personMoves(s, 0);
    auto movedAt = std::make_shared<QElapsedTimer>();
    waitFor(s, [&g, movedAt] {
        if (g.state.lastMoveNumber < 1) return false;
        movedAt->start();
        return true;
    });
    waitFor(s, [movedAt, delayMs] { return movedAt->elapsed() >= delayMs; });
}

void ThinkingScreenTest::command(Script& s, const QString& what, std::function<void()> send) {
    s.once([this, what, send] {
        what_ = what;
        before_ = screen();
        stoppedAt_ = shownAt_ = -1;
        sentAt_ = askedAt_ = clock_.elapsed();
        watching_ = true;
        // The search under way keeps the budget it started with.
        comState(w_->game()).engineTimeMs = 200;
        send();
    });
}

void ThinkingScreenTest::report(Search expected, bool expectShown) {
    watching_ = false;
    const auto since = [this](qint64 at) { return at < 0 ? QString("-") : QString::number(at - sentAt_) + " ms"; };
    // From the command reaching the window to the search's end: the stop itself.
    const QString stop = askedAt_ >= 0 && stoppedAt_ >= 0 ? QString::number(stoppedAt_ - askedAt_) + " ms" : "-";
    qInfo().noquote() << QString("%1: input sent; search ended %2 later (%3 after the command arrived), screen "
                                 "changed %4 later")
                             .arg(what_, since(stoppedAt_), stop, since(shownAt_));
    if (expected == Search::Stopped) {
        // A search of half a minute that ended within a second was stopped.
        QVERIFY2(stoppedAt_ >= 0 && stoppedAt_ - sentAt_ < 1000, qPrintable(what_ + ": the search was not stopped"));
    } else if (expected == Search::GoesOn) {
        QVERIFY2(w_->thinking() && stoppedAt_ < 0, qPrintable(what_ + ": the search did not go on"));
    }
    if (expectShown) QVERIFY2(shownAt_ >= 0, qPrintable(what_ + ": the screen never changed"));
}

void ThinkingScreenTest::stepsBackAndToTheFirstPositionStopTheSearch() {
    Game& g = w_->game();
    Script s;
    startThinking(s);
    command(s, "戻 (Ctrl+Z)", [] { sendLater({"key", "ctrl+z"}); });
    waitFor(s, [this] { return !w_->thinking(); });
    QVERIFY(s.run(*w_));
    report(Search::Stopped);
    // Back before the person's move, paused; no black piece moved.
    QCOMPARE(g.state.moveNumber, 0);
    QCOMPARE(g.state.lastMoveNumber, 1);
    QCOMPARE(g.state.sideToMove, Side::None);
    QCOMPARE(g.board(BoardId::LEFT).at(5, 7), WHITE_PAWN);
    QCOMPARE(g.history.left[1].at(5, 5), WHITE_PAWN);
    QVERIFY(!g.history.valid(2) || g.history.left[2] == Board{});
    settle(300);
    QVERIFY(!w_->thinking());
    QCOMPARE(g.state.moveNumber, 0);

    // 最初 by its key, in a new game.
    Script again;
    startThinking(again);
    command(again, "最初 (Home)", [] { sendLater({"key", "Home"}); });
    QVERIFY(again.run(*w_));
    report(Search::Stopped);
    QCOMPARE(g.state.moveNumber, 0);
    QCOMPARE(g.state.sideToMove, Side::None);
    QCOMPARE(g.board(BoardId::LEFT).at(5, 7), WHITE_PAWN);
    QVERIFY(!comState(g).turnStopped);

    // 進 at the last move is refused as when idle, and the computer goes on.
    Script forward;
    startThinking(forward);
    command(forward, "進 (menu bar)", [this] { clickBarLater("AFTER"); });
    waitFor(forward, [&g] { return g.state.moveNumber == 2; });
    QVERIFY(forward.run(*w_));
    report(Search::Stopped);
    QVERIFY(boxes_.texts.contains("進む|できません"));
    QCOMPARE(g.state.sideToMove, g.state.whiteSide);
}

void ThinkingScreenTest::aClickInTheMoveListStopsTheSearch() {
    Game& g = w_->game();
    Script s;
    startThinking(s);
    command(s, "move list, move 0", [this] {
        ui::MoveListPanel& list = w_->moveList();
        clickLater(list.viewport()->mapToGlobal(list.visualItemRect(list.item(0, 2)).center()));
    });
    QVERIFY(s.run(*w_));
    report(Search::Stopped);
    QCOMPARE(g.state.moveNumber, 0);
    QCOMPARE(g.state.sideToMove, Side::None);
    QCOMPARE(w_->moveList().currentMove(), 0);
}

void ThinkingScreenTest::aNewGameReplacesTheThinkingOne() {
    Game& g = w_->game();
    for (const QString& start : {QString("SENTE"), QString("GOTE"), QString("START")}) {
        Script s;
        startThinking(s);
        command(s, "new game " + start, [] {});
        const QString menu = start == "START" ? "MATCH_MAN" : "START2";
        menuLater(s, {"TAIKYOKU", menu, start});
        QVERIFY(s.run(*w_));
        report(Search::Stopped);
        if (start == "SENTE") {
            // A fresh game, the person to move; the old search left nothing.
            QCOMPARE(g.state.gameMode, GameMode::AgainstComputer);
            QCOMPARE(g.state.sideToMove, g.state.whiteSide);
            QCOMPARE(g.board(BoardId::LEFT).at(5, 5), WHITE_PAWN);  // the new game keeps the boards as SENTE does
        } else if (start == "GOTE") {
            QCOMPARE(g.state.gameMode, GameMode::AgainstComputer);
            QCOMPARE(g.state.whiteSide, Side::Second);
            QCOMPARE(g.state.sideToMove, g.state.whiteSide);
        } else {
            QCOMPARE(g.state.gameMode, GameMode::BetweenPeople);
            QCOMPARE(g.state.sideToMove, Side::First);
            QVERIFY(boxes_.texts.contains("Velmora|先手の番です"));
        }
        QVERIFY(!w_->thinking());
    }
}

void ThinkingScreenTest::loadingAndTheLastGameStopTheSearch() {
    Game& g = w_->game();
    // 読込 opens the file list beside the search: the position stands as it
    // was. A file chosen from the list stops the search and loads.
    Script s;
    startThinking(s);
    command(s, "読込 (Ctrl+O)", [] { sendLater({"key", "ctrl+o"}); });
    waitFor(s, [this] { return w_->recordPanel().fileList()->isVisible(); });
    waitFor(s, [this] { return shownAt_ >= 0; });
    s.once([this] { report(Search::GoesOn); });
    waitFor(s, [this] {
        auto* list = w_->recordPanel().fileList();
        return !list->findItems("play.棋譜", Qt::MatchExactly).isEmpty();
    });
    command(s, "a file in the list", [this] {
        auto* list = w_->recordPanel().fileList();
        const QListWidgetItem* item = list->findItems("play.棋譜", Qt::MatchExactly).first();
        clickLater(list->viewport()->mapToGlobal(list->visualItemRect(item).center()));
    });
    QVERIFY(s.run(*w_));
    report(Search::Stopped);
    QVERIFY(g.state.recordMode);
    QCOMPARE(g.state.moveNumber, 0);
    QVERIFY(!w_->thinking());

    // 前回の対局 without a kept game: refused as when idle; the computer goes on.
    Script last;
    startThinking(last);
    command(last, "前回の対局 (no file)", [] {});
    menuLater(last, {"KIFU", "KIFU_RESUME"});
    waitFor(last, [&g] { return g.state.moveNumber == 2; });
    QVERIFY(last.run(*w_));
    report(Search::Stopped);
    QVERIFY(boxes_.texts.contains("棋譜|前回の対局はありません"));
    QCOMPARE(g.state.sideToMove, g.state.whiteSide);
}

void ThinkingScreenTest::aLevelTheBoardsTurnedAndRefusalsLetTheComputerGoOn() {
    Game& g = w_->game();
    // A level: the search stops and the chosen level answers.
    Script s;
    startThinking(s);
    command(s, "LEVEL3", [] {});
    menuLater(s, {"TAIKYOKU", "LEVEL", "LEVEL3"});
    waitFor(s, [&g] { return g.state.moveNumber == 2; });
    QVERIFY(s.run(*w_));
    report(Search::Stopped);
    QCOMPARE(g.state.comLevel, 3);
    QCOMPARE(g.state.sideToMove, g.state.whiteSide);

    // A handicap during a game is refused, as when idle; the computer goes on.
    Script handicap;
    startThinking(handicap);
    command(handicap, "△", [this] { clickBarLater("LBEL_UP"); });
    waitFor(handicap, [&g] { return g.state.moveNumber == 2; });
    QVERIFY(handicap.run(*w_));
    report(Search::Stopped);
    QVERIFY(boxes_.texts.filter("対局途中ではできません").size() == 1);
    QCOMPARE(g.state.handicapLevel, 0);

    // The boards turned round: the computer thinks again on them.
    Script reverse;
    startThinking(reverse);
    command(reverse, "反転", [] {});
    menuLater(reverse, {"STOP", "REVERSE"});
    waitFor(reverse, [&g] { return g.state.moveNumber == 2; });
    QVERIFY(reverse.run(*w_));
    report(Search::Stopped);
    QVERIFY(g.state.reversed);
    QCOMPARE(g.state.sideToMove, g.state.whiteSide);
}

void ThinkingScreenTest::optionsHelpAndVersionRunBesideTheSearch() {
    Game& g = w_->game();
    Script s;
    // Long enough for three commands on a loaded machine (the search may
    // end at a third of its budget): a key sent while the computer's move is
    // being shown is dropped.
    startThinking(s, 12000);
    command(s, "背景画 緑", [] {});
    menuLater(s, {"OPTION", "HAIKEI_GA", "MIDORI"});
    // Chosen, and the menu gone: a key sent while it closes would be lost.
    waitFor(s, [this] { return w_->marks().isChecked(MenuItem::Green) && !QApplication::activePopupWidget(); });
    s.once([this] { report(Search::GoesOn, false); });
    // 解説 without its page in the folder: the box says so.
    command(s, "解説 (F1)", [] { sendLater({"key", "F1"}); });
    waitFor(s, [this] { return !boxes_.texts.filter("解説ファイルが見つかりません").isEmpty(); });
    s.once([this] { report(Search::GoesOn, false); });
    command(s, "バージョン情報", [] {});
    menuLater(s, {"SONOTA", "VER"});
    s.then([this] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || qobject_cast<QMessageBox*>(dialog)) return false;
        report(Search::GoesOn, false);
        dialog->reject();
        return true;
    });
    // The search was not disturbed: its move lands.
    waitFor(s, [&g] { return g.state.moveNumber == 2; });
    QVERIFY(s.run(*w_));
    QCOMPARE(g.state.sideToMove, g.state.whiteSide);
}

void ThinkingScreenTest::escEndsTheProgramWithTheGameKept() {
    Game& g = w_->game();
    Script s;
    startThinking(s);
    command(s, "Esc", [] { sendLater({"key", "Escape"}); });
    waitFor(s, [this] { return w_->shell().ending(); });
    QVERIFY(s.run(*w_));
    // The window goes: nothing more is drawn on it, and its worker is joined
    // as it goes, so the search's end may never be signalled (see
    // bench/measure_quit.sh for the process's end).
    report(Search::EitherWay, false);
    QVERIFY(!comState(g).search);
    QCOMPARE(comState(g).turn, ComState::Turn::None);
    QVERIFY(w_->shell().ending());
    QCOMPARE(g.state.moveNumber, 1);
    // Kept: the header and the snapshots of moves 0 and 1, the computer's move never made.
    QFile kept(folder_.filePath(QString::fromStdString(RESUME_FILE_NAME)));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll().count("\r\n"), 5);
}

void ThinkingScreenTest::keysAndMenusAtEveryMomentOfATurnTakeEffect() {
    Game& g = w_->game();
    // 0.2 s after the move its blink shows, at 1.0 s its move text; the
    // engine searches from about 1.1 s for up to a second (often less), so
    // 1.3 s is mostly in the search and 2.0 s in it or in the computer's
    // move being shown.
    for (const int delay : {200, 1000, 1300, 2000}) {
        const QString when = QString(" at %1 s").arg(delay / 1000.0);
        {
            Script s;
            movedAgo(s, delay);
            auto stored = std::make_shared<int>();
            command(s, "戻 (Ctrl+Z)" + when, [] { sendLater({"key", "ctrl+z"}); });
            waitFor(s, [&g, stored] {
                *stored = g.state.lastMoveNumber;
                return g.state.sideToMove == Side::None;
            });
            QVERIFY(s.run(*w_));
            report(Search::EitherWay, false);
            // One move back from the last one stored (the computer's, when
            // it had landed before the key came); a computer's move not made
            // by then never lands afterwards.
            settle(300);
            QVERIFY(*stored == 1 || *stored == 2);
            QCOMPARE(g.state.lastMoveNumber, *stored);
            QCOMPARE(g.state.moveNumber, *stored - 1);
            QVERIFY(!w_->thinking());
            QVERIFY(shownAt_ >= 0);
        }
        {
            Script s;
            movedAgo(s, delay);
            command(s, "最初 (Home)" + when, [] { sendLater({"key", "Home"}); });
            waitFor(s, [&g] { return g.state.moveNumber == 0 && g.state.sideToMove == Side::None; });
            QVERIFY(s.run(*w_));
            report(Search::EitherWay, false);
            settle(300);
            QCOMPARE(g.state.moveNumber, 0);
            QCOMPARE(g.board(BoardId::LEFT).at(5, 7), WHITE_PAWN);
            QVERIFY(shownAt_ >= 0);
        }
        {
            // 解説 runs beside the turn: the box says the page is missing,
            // and the computer's move lands all the same.
            Script s;
            movedAgo(s, delay);
            const int boxes = boxes_.texts.filter("解説ファイルが見つかりません").size();
            command(s, "解説 (F1)" + when, [] { sendLater({"key", "F1"}); });
            waitFor(s, [this, boxes] { return boxes_.texts.filter("解説ファイルが見つかりません").size() > boxes; });
            s.once([this] {
                report(Search::EitherWay, false);
                qInfo().noquote() << QString("%1: its box was answered %2 ms after the key was sent")
                                         .arg(what_)
                                         .arg(clock_.elapsed() - sentAt_);
            });
            waitFor(s, [&g] { return g.state.lastMoveNumber == 2; });
            QVERIFY(s.run(*w_));
            QCOMPARE(g.state.sideToMove, g.state.whiteSide);
        }
        {
            // A level by the menu: the turn goes on at the new level.
            Script s;
            movedAgo(s, delay);
            command(s, "LEVEL3 (menu)" + when, [] {});
            menuLater(s, {"TAIKYOKU", "LEVEL", "LEVEL3"});
            waitFor(s, [&g] { return g.state.comLevel == 3; });
            s.once([this] { report(Search::EitherWay); });
            waitFor(s, [&g] { return g.state.lastMoveNumber == 2 && comState(g).turn == ComState::Turn::None; });
            QVERIFY(s.run(*w_));
            QCOMPARE(g.state.sideToMove, g.state.whiteSide);
        }
    }
    // Esc last: it ends the program.
    Script s;
    movedAgo(s, 1000);
    auto endedAt = std::make_shared<qint64>(-1);
    command(s, "Esc at 1 s", [] { sendLater({"key", "Escape"}); });
    waitFor(s, [this, endedAt] {
        if (!w_->shell().ending()) return false;
        *endedAt = clock_.elapsed();
        return true;
    });
    QVERIFY(s.run(*w_));
    qInfo().noquote() << QString("Esc at 1 s: the program was ending %1 ms after the key was sent").arg(*endedAt - sentAt_);
    QVERIFY(*endedAt >= 0 && *endedAt - sentAt_ < 300);
}

QTEST_MAIN(ThinkingScreenTest)
#include "thinking_screen_test.moc"
