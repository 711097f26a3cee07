// 棋譜 ▸ 対局の解析 in the window on the offscreen platform: the review of a
// loaded record runs in the background and ends in a graph whose points are
// the command line's scores, marks in the move list and the better move of
// a marked one; 中止 and any command end it at once and leave the game as it
// was; the review goes once the game on the screen is another.
#include <QElapsedTimer>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "analysis/blunder_game.h"
#include "json_cli.h"
#include "record/record_file.h"
#include "sound_warning_watch.h"
#include "ui/main_window.h"
#include "window_helpers.h"

using namespace velmora;
using namespace velmora::testing;
using velmora::ui::MainWindow;

namespace {

using Object = std::map<std::string, Json>;

void writeRecord(const QString& path, const std::vector<std::pair<Board, Board>>& snapshots) {
    RecordFile record;
    record.title = "review";
    record.blackPlayer = "black";
    record.whitePlayer = "white";
    for (const auto& [left, right] : snapshots) record.snapshots.push_back({left, right});
    std::string bytes, error;
    QVERIFY2(encodeRecordFile(record, bytes, error), error.c_str());
    QVERIFY2(writeFileAtomically(path.toStdString(), bytes, error), error.c_str());
}

// Loads `name` from the folder the record panel opens in, as a click there does.
void load(MainWindow& w, const QString& name) {
    actionNamed(w, "KIFU_READ")->trigger();
    QListWidget* files = w.recordPanel().fileList();
    const QList<QListWidgetItem*> found = files->findItems(name, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    // Loading tells of itself in two boxes, each answered as it shows.
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, &w, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->buttons().first()->click();
    });
    answering.start(20);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(found.first()).center());
    answering.stop();
    QApplication::setActiveWindow(&w);
    QVERIFY(settled(w));
    QVERIFY(w.game().state.recordMode);
}

// The graph's point of a score as the command line writes it.
GraphPoint pointOf(const Json& score) {
    if (const double* v = std::get_if<double>(&score.value)) return graphPointOf(static_cast<engine::Score>(*v));
    const auto& fall = std::get<Object>(score.value);
    const bool first = std::get<std::string>(fall.at("for").value) == "first";
    return {first ? GRAPH_LIMIT_PAWNS : -GRAPH_LIMIT_PAWNS, true};
}

}  // namespace

class ReviewWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid() && QDir::setCurrent(folder_.path()));
        writeRecord("blunders.棋譜", blunderGame());
        writeRecord("opening.棋譜", openingGame(6));
    }
    void theReviewOfARecordShowsTheGraphMarksAndBetterMoves();
    void cancelAndEveryCommandEndTheReviewAtOnce();
    void aMoveStillBeingShownDoesNotEndTheReview();

private:
    QTemporaryDir folder_;
    SoundWarningWatch soundWarnings_;
};

void ReviewWindowTest::theReviewOfARecordShowsTheGraphMarksAndBetterMoves() {
    MainWindow w;
    startAtNaturalSize(w);
    w.resize(QSize(1400, 700 + w.menuBar()->height()));
    QCoreApplication::processEvents();
    // Nothing to review before a game has a move.
    QVERIFY(!actionNamed(w, "REVIEW")->isEnabled());
    QVERIFY(!w.startReview(20));
    load(w, "blunders.棋譜");
    QVERIFY(actionNamed(w, "REVIEW")->isEnabled());
    QVERIFY(w.startReview(20));
    QVERIFY(w.reviewPanel().isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(w.review() != nullptr, 20000);
    QVERIFY(!w.reviewing());
    const GameReview& review = *w.review();

    // The graph's points are the command line's scores of the same record and budget.
    const JsonCliRun cli = jsonCli("analyse '" + QDir(folder_.path()).filePath("blunders.棋譜").toStdString() + "' --time 20");
    QCOMPARE(cli.status, 0);
    const std::vector<Json>& lines = cli.lines;
    QCOMPARE(lines.size(), review.moves.size() + 1);
    const std::vector<GraphPoint>& points = w.reviewPanel().graph().points();
    QCOMPARE(points.size(), review.moves.size() + 1);
    QVERIFY(points.front() == pointOf(std::get<Object>(lines.front().value).at("scoreBefore")));
    for (size_t n = 1; n < points.size(); ++n) {
        const Object& line = std::get<Object>(lines[n - 1].value);
        QVERIFY2(points[n] == pointOf(line.at("scoreAfter")), qPrintable(QString("point %1").arg(n)));
        // And the move list's marks are the command line's.
        QCOMPARE(w.moveList().markShown(static_cast<int>(n)), QString::fromStdString(std::get<std::string>(line.at("mark").value)));
    }
    QCOMPARE(w.moveList().markShown(1), QString("??"));
    QVERIFY(w.reviewPanel().summaryText().contains("先手"));

    // A marked move selected in the list: the better move and its line under the graph.
    const int shownBefore = w.game().state.moveNumber;
    ui::MoveListPanel& list = w.moveList();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(1, 2)).center());
    QVERIFY(settled(w));
    QCOMPARE(w.game().state.moveNumber, 1);
    QVERIFY(w.analysisPanel().isVisible());
    QVERIFY2(w.analysisPanel().betterMoveShown().startsWith("?? 大悪手  最善:\n"), qPrintable(w.analysisPanel().betterMoveShown()));
    QCOMPARE(w.reviewPanel().graph().current(), 1);
    // An unmarked one: no note.
    int plain = 0;
    for (const MoveReview& m : review.moves) {
        if (m.mark == MoveMark::None) {
            plain = m.ply;
            break;
        }
    }
    QVERIFY(plain > 0);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(plain, 2)).center());
    QVERIFY(settled(w));
    QVERIFY(w.analysisPanel().betterMoveShown().isEmpty());

    // A click on the graph's point shows that position, as the list does.
    ui::EvaluationGraph& graph = w.reviewPanel().graph();
    QTest::mouseClick(&graph, Qt::LeftButton, {}, graph.pointAt(0).toPoint());
    QVERIFY(settled(w));
    QCOMPARE(w.game().state.moveNumber, 0);
    QCOMPARE(graph.current(), 0);
    QTest::mouseClick(&graph, Qt::LeftButton, {}, graph.pointAt(shownBefore).toPoint());
    QVERIFY(settled(w));
    QCOMPARE(w.game().state.moveNumber, shownBefore);
    // Stepping keeps the review; another game on the screen ends it.
    QVERIFY(w.review() != nullptr);
    load(w, "opening.棋譜");
    QVERIFY(w.review() == nullptr);
    QVERIFY(!w.reviewPanel().isVisible());
    QCOMPARE(w.moveList().markShown(1), QString());
}

void ReviewWindowTest::cancelAndEveryCommandEndTheReviewAtOnce() {
    MainWindow w;
    startAtNaturalSize(w);
    w.resize(QSize(1400, 700 + w.menuBar()->height()));
    QCoreApplication::processEvents();
    load(w, "opening.棋譜");
    const GameState state = w.game().state;
    // Ten seconds a position: only a cancel ends it in time.
    QVERIFY(w.startReview(10'000));
    QVERIFY(w.reviewing());
    QVERIFY(w.reviewPanel().reviewing());
    QTest::qWait(50);
    QElapsedTimer took;
    took.start();
    QTest::mouseClick(&w.reviewPanel().cancelButton(), Qt::LeftButton);
    QVERIFY2(took.elapsed() < 100, qPrintable(QString::number(took.elapsed())));
    QVERIFY(!w.reviewing());
    QVERIFY(w.review() == nullptr);
    QVERIFY(!w.reviewPanel().isVisible());
    QVERIFY(w.game().state == state);

    // Every command: the review ends before the command does its part.
    for (const char* command : {"AFTER", "AFTER", "REPLAY"}) {
        QVERIFY(w.startReview(10'000));
        QTest::qWait(30);
        took.restart();
        actionNamed(w, command)->trigger();
        const qint64 ms = took.elapsed();
        QVERIFY2(ms < 100, qPrintable(QString("%1: %2 ms").arg(command).arg(ms)));
        QVERIFY(!w.reviewing());
        QVERIFY(settled(w));
    }
    // Two steps on and one back: the first move shown, as the commands alone would leave it.
    QCOMPARE(w.game().state.moveNumber, 1);
}

// The pauses of a move's display reach the game as events too; they are no
// command, and a review started meanwhile runs on.
void ReviewWindowTest::aMoveStillBeingShownDoesNotEndTheReview() {
    MainWindow w;
    startAtNaturalSize(w);
    whiteToMove(w);
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 5, 7));
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 5, 5));
    QCOMPARE(w.game().state.lastMoveNumber, 1);
    QVERIFY(w.busy());
    // Longer than the move's display takes on an idle machine; on a loaded one
    // the review may end first, so only a cancel (no review at the end) fails.
    QVERIFY(w.startReview(1000));
    QVERIFY(settled(w));
    QVERIFY(w.reviewing() || w.review() != nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(w.review() != nullptr, 20000);
    QCOMPARE(w.review()->moves.size(), size_t(1));
}

QTEST_MAIN(ReviewWindowTest)
#include "review_window_test.moc"
