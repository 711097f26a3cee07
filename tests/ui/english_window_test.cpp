// The window in English on the offscreen platform: the catalogue built by
// the build loads, and no menu, box, dialog or panel caption is left in
// Japanese; the menu bar keeps every menu in view at the default size.
#include <cerrno>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "record/record_commands.h"
#include "sound_warning_watch.h"
#include "text/text.h"
#include "ui/main_window.h"
#include "ui/time_control_dialog.h"
#include "ui/version_dialog.h"
#include "window_helpers.h"

using namespace velmora;
using velmora::ui::MainWindow;
using namespace velmora::testing;

namespace {

bool japanese(const QString& text) { return hasJapanese(text.toStdString()); }

// Every action of the menu bar and its menus, depth first.
QList<QAction*> allActions(QWidget* menuOrBar) {
    QList<QAction*> out;
    for (QAction* a : menuOrBar->actions()) {
        out << a;
        if (a->menu()) out << allActions(a->menu());
    }
    return out;
}

}  // namespace

class EnglishWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void menusAreEnglishAndFitTheBar();
    void boxesDialogsAndPanelsAreEnglish();
    void theGameShowsEnglishAndOpensTheEnglishHelpPage();
    void aRecordSavedInEnglishIsTheJapaneseOneAndLoadsThere();

private:
    QTemporaryDir folder_;
    SoundWarningWatch soundWarnings_;
};

void EnglishWindowTest::initTestCase() {
    QVERIFY(folder_.isValid() && QDir::setCurrent(folder_.path()));
    // Japanese needs no catalogue; English is refused where there is none,
    // and loads from the build's own output.
    QVERIFY(ui::loadCatalogue(Language::Japanese, {}));
    QVERIFY(!ui::loadCatalogue(Language::English, {folder_.path(), QString()}));
    QVERIFY(ui::loadCatalogue(Language::English, {folder_.path(), VELMORA_QM_DIR}));
}

void EnglishWindowTest::menusAreEnglishAndFitTheBar() {
    MainWindow w(Language::English);
    w.start();
    const QList<QAction*> actions = allActions(w.menuBar());
    QVERIFY(actions.size() > 40);
    for (QAction* a : actions) QVERIFY2(!japanese(a->text()), qPrintable(a->objectName() + ": " + a->text()));
    const QList<QPair<QString, QString>> some = {{"TAIKYOKU", "Game"},         {"START2", "Against the computer"},
                                                 {"OWARI", "Quit"},            {"REPLAY", "Back"},
                                                 {"KIFU_WRITE", "Save"},       {"LEVEL3", "LEVEL3"},
                                                 {"KAISETU", "Help page"},     {"MOVE_LIST", "Move list"}};
    for (const auto& [name, caption] : some) QCOMPARE(actionNamed(w, name)->text(), caption);
    // Every menu of the bar stands on it: none has gone into the overflow button.
    for (QAction* a : w.menuBar()->actions()) {
        const QRect r = w.menuBar()->actionGeometry(a);
        QVERIFY2(!r.isEmpty() && r.right() < w.menuBar()->width(), qPrintable(a->text()));
    }
    for (QToolButton* extension : w.menuBar()->findChildren<QToolButton*>()) QVERIFY(!extension->isVisible());
}

void EnglishWindowTest::boxesDialogsAndPanelsAreEnglish() {
    MainWindow w(Language::English);
    w.start();
    // A question of the game's: its text, title and buttons.
    QStringList captions;
    answerNextBox(&w, captions, "No");
    QCOMPARE(w.game().messageBox("続けますか？", "再ゲーム", Buttons::YesNo), Answer::No);
    QCOMPARE(captions.size(), 4);
    QVERIFY(captions.contains("Yes"));
    for (const QString& c : captions) QVERIFY2(!japanese(c) && !c.isEmpty(), qPrintable(c));

    // The record panel's captions, the move list's first line.
    for (QLabel* label : w.canvas().findChildren<QLabel*>()) QVERIFY2(!japanese(label->text()), qPrintable(label->text()));
    QCOMPARE(w.findChild<QLabel*>("Label1_0")->text(), QString("File:"));
    QCOMPARE(w.moveList().item(0, 2)->text(), QString("Start position"));

    ui::TimeControlDialog time(TimeControl{}, &w);
    QCOMPARE(time.windowTitle(), QString("Time control"));
    QStringList texts;
    for (QLabel* label : time.findChildren<QLabel*>()) texts << label->text();
    for (QAbstractButton* b : time.findChildren<QAbstractButton*>()) texts << b->text();
    QVERIFY(texts.contains("Minutes each") && texts.contains("Cancel"));
    for (const QString& t : texts) QVERIFY2(!japanese(t), qPrintable(t));

    ui::Form4 version({}, &w);
    QCOMPARE(version.windowTitle(), QString("About Velmora"));
    QCOMPARE(version.command1()->text(), QString("Home page"));
    QCOMPARE(version.command2()->text(), QString("OK"));
}

void EnglishWindowTest::theGameShowsEnglishAndOpensTheEnglishHelpPage() {
    MainWindow w(Language::English);
    w.start();
    QCOMPARE(QString::fromStdString(w.game().options.helpPage), QString("Velmora.en.htm"));
    // The core's texts come through Qt's catalogue: a refusal outside a game.
    QCOMPARE(QString::fromStdString(w.game().shown("「対局」で始めて下さい")), QString("Start a game from the Game menu"));
    // A text with arguments: its template through the catalogue, the path and the reason in their places.
    QCOMPARE(QString::fromStdString(w.game().shown(recordNotOpenedText("/home/user2/棋譜2024/第12局.棋譜", ENOENT))),
             QString("Cannot open the record file\n/home/user2/棋譜2024/第12局.棋譜\nNo such file or folder"));
    QVERIFY(!w.game().translator()->translation("LEVEL3"));
    // A Japanese window beside it has no translator at all.
    MainWindow japaneseWindow;
    QVERIFY(!japaneseWindow.game().translator());
    QCOMPARE(QString::fromStdString(japaneseWindow.game().options.helpPage), QString("Velmora.htm"));
}

// One move e2-e4 on the left board, saved through the record panel under a
// name; what the box said.
QString saveOneMove(MainWindow& w, const QString& name) {
    startAtNaturalSize(w);
    whiteToMove(w);
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 5, 7));
    QTest::mouseClick(&w.canvas(), Qt::LeftButton, {}, squareCentre(w, BoardId::LEFT, 5, 5));
    if (w.game().state.moveNumber != 1 || !settled(w)) return "no move";
    actionNamed(w, "KIFU_WRITE")->trigger();
    w.findChild<QLineEdit*>("Text1")->setText(name);
    QString said;
    QTimer::singleShot(0, &w, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            said = box->text();
            box->close();
        }
    });
    QTest::keyClick(w.findChild<QLineEdit*>("Text1"), Qt::Key_Return);
    return said;
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void EnglishWindowTest::aRecordSavedInEnglishIsTheJapaneseOneAndLoadsThere() {
    MainWindow english(Language::English);
    QCOMPARE(saveOneMove(english, "english"), QString("The record was saved"));
    MainWindow japanese;
    QCOMPARE(saveOneMove(japanese, "japanese"), QString("棋譜を書き込みました"));
    const QDir folder(english.recordPanel().currentFolder());
    const QByteArray written = bytesOf(folder.filePath("english.棋譜"));
    QVERIFY(!written.isEmpty());
    QCOMPARE(written, bytesOf(QDir(japanese.recordPanel().currentFolder()).filePath("japanese.棋譜")));
    // Loaded by a Japanese window, fresh from its start.
    MainWindow reader;
    startAtNaturalSize(reader);
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->close();
    });
    answerer.start(10);
    QVERIFY(applyRecord(reader.game(), written.toStdString()) == RecordLoad::Loaded);
    QCOMPARE(reader.game().state.lastMoveNumber, 1);
}

QTEST_MAIN(EnglishWindowTest)
#include "english_window_test.moc"
