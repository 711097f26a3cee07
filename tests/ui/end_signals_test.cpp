// SIGTERM ending the window on the offscreen platform: idle, while a box is
// open, and in the middle of a save. Each time the program ends through its
// orderly end: the unsaved game kept, a save in progress finished whole.
#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <csignal>

#include "ports/file_writer_port.h"
#include "sound_warning_watch.h"
#include "ui/end_signals.h"
#include "ui/main_window.h"
#include "window_helpers.h"

using namespace velmora;
using velmora::ui::MainWindow;
using namespace velmora::testing;

namespace {

// Sends SIGTERM to this process halfway through writing a file, once.
class SignalledWriter : public FileWriter {
public:
    bool signalled = false;

protected:
    int writeAll(int fd, const std::string& bytes) override {
        if (signalled) return FileWriter::writeAll(fd, bytes);
        signalled = true;
        const size_t half = bytes.size() / 2;
        if (const int e = FileWriter::writeAll(fd, bytes.substr(0, half))) return e;
        ::raise(SIGTERM);
        return FileWriter::writeAll(fd, bytes.substr(half));
    }
};

QStringList lines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList out = QString::fromLatin1(f.readAll()).split("\r\n");
    if (!out.isEmpty() && out.last().isEmpty()) out.removeLast();
    return out;
}

// Runs the event loop until the program ends; 1 when it did not within five seconds.
int runUntilTheEnd(MainWindow& w) {
    QTimer::singleShot(5000, &w, [] { QCoreApplication::exit(1); });
    return QApplication::exec();
}

}  // namespace

class EndSignalsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid() && QDir::setCurrent(folder_.path()));
        QVERIFY(signals_.installed());
    }
    void init() { QDir(folder_.path()).remove("resume.棋譜"); }
    void aSignalEndsAnIdleWindowAndKeepsTheGame();
    void aSignalDuringABoxEndsOnceTheCommandHasReturned();
    void aSignalDuringASaveLetsTheSaveFinishWhole();

private:
    // One move of a two-person game made with the mouse: white's e-pawn.
    void playOneMove(MainWindow& w) {
        whiteToMove(w);
        QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 5, 7));
        QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 5, 5));
        QCOMPARE(w.game().state.lastMoveNumber, 1);
    }
    QString resumePath() const { return folder_.filePath("resume.棋譜"); }

    QTemporaryDir folder_;
    SoundWarningWatch soundWarnings_;
    ui::EndSignals signals_;
};

void EndSignalsTest::aSignalEndsAnIdleWindowAndKeepsTheGame() {
    MainWindow w;
    connect(&signals_, &ui::EndSignals::received, &w, &MainWindow::requestEnd);
    startAtNaturalSize(w);
    playOneMove(w);
    QVERIFY(!QFile::exists(resumePath()));
    QTimer::singleShot(0, &w, [] { ::raise(SIGTERM); });
    QCOMPARE(runUntilTheEnd(w), 0);
    QVERIFY(w.shell().ending());
    // The title saying how the game was being played, two empty player
    // lines, the start and the position after the move.
    const QStringList kept = lines(resumePath());
    QCOMPARE(kept.size(), 5);
    QCOMPARE(kept.mid(0, 3), QStringList({"velmora game: people", "", ""}));
    QCOMPARE(kept[4].size(), 512);
    QVERIFY(kept[3] != kept[4]);
}

void EndSignalsTest::aSignalDuringABoxEndsOnceTheCommandHasReturned() {
    MainWindow w;
    connect(&signals_, &ui::EndSignals::received, &w, &MainWindow::requestEnd);
    startAtNaturalSize(w);
    playOneMove(w);
    // 進 at the last move is refused with a box; the signal comes while it is open.
    QString boxText;
    QTimer::singleShot(0, &w, [&] { actionNamed(w, "AFTER")->trigger(); });
    QTimer::singleShot(300, &w, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) boxText = box->text();
        ::raise(SIGTERM);
    });
    QCOMPARE(runUntilTheEnd(w), 0);
    QCOMPARE(boxText, QString("できません"));
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(w.shell().ending());
    QCOMPARE(lines(resumePath()).size(), 5);
}

void EndSignalsTest::aSignalDuringASaveLetsTheSaveFinishWhole() {
    MainWindow w;
    connect(&signals_, &ui::EndSignals::received, &w, &MainWindow::requestEnd);
    startAtNaturalSize(w);
    SignalledWriter writer;
    w.game().swapFiles(&writer);
    QFile old(folder_.filePath("kept.棋譜"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("an older record\r\n");
    old.close();
    playOneMove(w);
    actionNamed(w, "KIFU_WRITE")->trigger();
    w.findChild<QLineEdit*>("Text1")->setText("kept");
    QTimer::singleShot(0, &w, [&] { w.findChild<QAbstractButton*>("Command1")->click(); });
    QCOMPARE(runUntilTheEnd(w), 0);
    QVERIFY(writer.signalled);
    QVERIFY(w.shell().ending());
    // The save ran to its end before the signal was taken: the new record
    // whole in place of the old one, and no temporary left beside it.
    const QStringList saved = lines(folder_.filePath("kept.棋譜"));
    QCOMPARE(saved.size(), 5);
    QCOMPARE(saved[4].size(), 512);
    QCOMPARE(QDir(folder_.path()).entryList({".velmora-*"}, QDir::Files | QDir::Hidden), QStringList());
    // The whole game was saved: nothing was left to keep.
    QVERIFY(!QFile::exists(resumePath()));
}

QTEST_MAIN(EndSignalsTest)
#include "end_signals_test.moc"
