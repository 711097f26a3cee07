// The sound library adapter and the version dialog, on the offscreen platform.
#include <QMediaDevices>
#include <QListWidget>
#include <QPushButton>
#include <QDir>
#include <QTextBrowser>
#include <QTemporaryDir>
#include <QtTest>

#include "sound_warning_watch.h"
#include "ui/install_layout.h"
#include "ui/main_window.h"

using namespace velmora;

class OptionsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(folder_.isValid() && QDir::setCurrent(folder_.path())); }
    void startUpWarnsOnceWithoutAudioOutput();
    void soundLibraryIgnoresHandleZeroAndNonWaveImages();
    void versionDialogLayoutAndPicture();
    void helpOpensInItsOwnWindowWithoutABrowser();
    void folderListOpensOnDoubleClickEnterAndGoesUpOnBackspace();
    void installedProgramsKeepTheirFilesApart();

private:
    QTemporaryDir folder_;
    SoundWarningWatch warnings_;
};

void OptionsWindowTest::startUpWarnsOnceWithoutAudioOutput() {
    if (!QMediaDevices::audioOutputs().isEmpty()) QSKIP("this machine has an audio output");
    warnings_.texts.clear();
    ui::MainWindow w;
    w.start();
    QCOMPARE(warnings_.texts, QStringList({"Direct Soundインターフェースが作成できません。"}));
    QCOMPARE(warnings_.icons.value(0), QMessageBox::Warning);
}

void OptionsWindowTest::soundLibraryIgnoresHandleZeroAndNonWaveImages() {
    ui::QtSound sound;
    const std::string wave("RIFF\0\0\0\0WAVE", 12);
    QCOMPARE(sound.dsCreateDSB(0, wave, 3), 0);  // before a device
    const std::int32_t device = sound.dsInitialize();
    QCOMPARE(device == 0, QMediaDevices::audioOutputs().isEmpty());
    QCOMPARE(sound.dsCreateDSB(device, "not a wave file", 3), 0);
    // A wave image makes a buffer exactly when there is a device to play it on.
    const std::int32_t buffer = sound.dsCreateDSB(device, wave, 3);
    QCOMPARE(buffer != 0, device != 0);
    QCOMPARE(sound.effect(buffer) != nullptr, buffer != 0);
    // Handle 0, what every creation gets without a device, reaches no buffer:
    // the calls make none and leave the one made alone.
    sound.dsPlay(0);
    sound.dsPlayLooping(0);
    sound.dsStop(0);
    sound.dsFree(0);
    QVERIFY(!sound.effect(0));
    QCOMPARE(sound.effect(buffer) != nullptr, buffer != 0);
    sound.dsTerminate(device);
    QVERIFY(!sound.effect(buffer));
}

void OptionsWindowTest::versionDialogLayoutAndPicture() {
    ui::MainWindow w;
    w.start();
    // Looked at while the dialog is open, compared after it has closed.
    QString title, captions;
    QSize size;
    Qt::WindowFlags flags;
    QRect homePage, ok;
    bool okFocusedFirst = false;
    bool overWindow = false;
    QColor pixel;
    QTimer::singleShot(0, &w, [&] {
        auto* form = qobject_cast<ui::Form4*>(QApplication::activeModalWidget());
        if (!form) return;
        title = form->windowTitle();
        size = form->size();
        flags = form->windowFlags();
        captions = form->command1()->text() + "|" + form->command2()->text();
        homePage = form->command1()->geometry();
        overWindow = w.frameGeometry().contains(form->frameGeometry().center());
        ok = form->command2()->geometry();
        okFocusedFirst = form->focusWidget() == form->command2() && form->command2()->nextInFocusChain() == form->command1();
        const QImage shown = form->grab().toImage();
        pixel = shown.pixelColor(QPoint(20, 20) * shown.devicePixelRatio());
        form->command2()->click();
    });
    w.findChild<QAction*>("VER")->trigger();
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(title, QString("バージョン情報"));
    QCOMPARE(size, QSize(333, 102));
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(captions, QString("ホームページ|O K"));
    QCOMPARE(homePage, QRect(40, 72, 105, 25));
    QCOMPARE(ok, QRect(192, 72, 105, 25));
    QVERIFY(okFocusedFirst);
    QVERIFY(overWindow);
    // The version picture fills the dialog from its top-left corner.
    QCOMPARE(pixel, QImage(":/version/version.png").pixelColor(20, 20));
}

void OptionsWindowTest::helpOpensInItsOwnWindowWithoutABrowser() {
    QFile page("Velmora.htm");
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>Velmora の遊び方</title></head><body><p>二つの盤</p></body></html>");
    page.close();
    ui::MainWindow w;
    w.start();
    // A page that is not there is never handed to a browser: the game says so itself.
    int launches = 0;
    w.browser().setLauncherCheck([&launches] {
        ++launches;
        return false;
    });
    QVERIFY(!w.browser().open(QDir::current().filePath("missing.htm").toStdString()));
    QCOMPARE(launches, 0);
    QVERIFY(!w.browser().helpWindow());
    w.findChild<QAction*>("KAISETU")->trigger();
    QTextBrowser* help = w.browser().helpWindow();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->windowTitle(), QString("Velmora の遊び方"));
    QVERIFY(help->toPlainText().contains("二つの盤"));
    QVERIFY(w.frameGeometry().contains(help->frameGeometry().center()));
    // The game's own page, with its pictures.
    for (const char* name : {"Velmora.htm", "velmora-help.css", "two_board_capture.png", "castling.png", "review.png"}) {
        QFile::remove(name);
        QVERIFY(QFile::copy(QStringLiteral(VELMORA_HELP_DIR "/") + name, name));
    }
    w.findChild<QAction*>("KAISETU")->trigger();
    for (const char* picture : {"two_board_capture.png", "castling.png", "review.png"}) {
        const QVariant image = help->document()->resource(QTextDocument::ImageResource, QUrl(picture));
        QVERIFY2(!image.value<QImage>().isNull() || !image.value<QPixmap>().isNull(), picture);
    }
    // Its look, from the style sheet both pages share.
    QVERIFY(!help->document()->resource(QTextDocument::StyleSheetResource, QUrl("velmora-help.css")).toString().isEmpty());
    // A second time shows the same window again.
    help->close();
    w.findChild<QAction*>("KAISETU")->trigger();
    QCOMPARE(w.browser().helpWindow(), help);
    QVERIFY(help->isVisible());
}

void OptionsWindowTest::folderListOpensOnDoubleClickEnterAndGoesUpOnBackspace() {
    QDir here(QDir::currentPath());
    QVERIFY(here.mkpath("a/b"));
    // A link to a device is neither a folder nor a record.
    QVERIFY(QFile::link("/dev/null", here.filePath("device")));
    QVERIFY(QFile::link("/dev/zero", here.filePath("zero.棋譜")));
    ui::MainWindow w;
    w.start();
    w.findChild<QAction*>("KIFU_READ")->trigger();
    QListWidget* folders = w.recordPanel().folderList();
    auto item = [&](const QString& name) {
        const auto found = folders->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    };
    QVERIFY(item("a"));
    QVERIFY(!item("device"));
    QVERIFY(w.recordPanel().fileList()->findItems("zero.棋譜", Qt::MatchExactly).isEmpty());
    QCOMPARE(folders->textElideMode(), Qt::ElideLeft);
    QCOMPARE(folders->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    const QString start = w.recordPanel().currentFolder();
    // One click selects only.
    const QRect a = folders->visualItemRect(item("a"));
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, a.center());
    QCOMPARE(w.recordPanel().currentFolder(), start);
    QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, a.center());
    QCOMPARE(w.recordPanel().currentFolder(), here.filePath("a"));
    folders->setCurrentItem(item("b"));
    QTest::keyClick(folders, Qt::Key_Return);
    QCOMPARE(w.recordPanel().currentFolder(), here.filePath("a/b"));
    QTest::keyClick(folders, Qt::Key_Backspace);
    QTest::keyClick(folders, Qt::Key_Backspace);
    QCOMPARE(w.recordPanel().currentFolder(), start);
}

void OptionsWindowTest::installedProgramsKeepTheirFilesApart() {
    QTemporaryDir tree;
    QDir root(tree.path());
    QVERIFY(root.mkpath("usr/bin") && root.mkpath("usr/share/velmora") && root.mkpath("build/src/ui"));
    QFile page(root.filePath("usr/share/velmora/Velmora.htm"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    qputenv("XDG_CONFIG_HOME", root.filePath("config").toUtf8());
    const ui::InstallLayout installed = ui::InstallLayout::detect(root.filePath("usr/bin"));
    QVERIFY(installed.installed);
    QCOMPARE(installed.dataDirectory, root.filePath("usr/share/velmora"));
    QCOMPARE(installed.settingsFile, root.filePath("config/velmora/Velmora.ini"));
    QCOMPARE(installed.recordFolder, QDir::homePath());
    // Run from the build tree: everything stays in the folder it starts in.
    const ui::InstallLayout built = ui::InstallLayout::detect(root.filePath("build/src/ui"));
    QVERIFY(!built.installed);
    QVERIFY(built.dataDirectory.isEmpty() && built.settingsFile.isEmpty() && built.recordFolder.isEmpty());
    qunsetenv("XDG_CONFIG_HOME");
}

QTEST_MAIN(OptionsWindowTest)
#include "options_window_test.moc"
