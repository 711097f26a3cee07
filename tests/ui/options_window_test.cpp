// The sound library adapter and the version dialog, on the offscreen platform.
#include <QMediaDevices>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "sound_warning_watch.h"
#include "ui/main_window.h"

using namespace velmora;

class OptionsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(folder_.isValid() && QDir::setCurrent(folder_.path())); }
    void startUpWarnsOnceWithoutAudioOutput();
    void soundLibraryIgnoresHandleZeroAndNonWaveImages();
    void versionDialogLayoutAndPicture();

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
    QCOMPARE(sound.dsCreateDSB(0, std::string("RIFF\0\0\0\0WAVE", 12), 3), 0);  // before a device
    const std::int32_t device = sound.dsInitialize();
    QCOMPARE(device == 0, QMediaDevices::audioOutputs().isEmpty());
    QCOMPARE(sound.dsCreateDSB(device, "not a wave file", 3), 0);
    sound.dsPlay(0);
    sound.dsPlayLooping(0);
    sound.dsStop(0);
    sound.dsFree(0);
    QVERIFY(!sound.effect(0));
    sound.dsTerminate(device);
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
    QColor pixel;
    QTimer::singleShot(0, &w, [&] {
        auto* form = qobject_cast<ui::Form4*>(QApplication::activeModalWidget());
        if (!form) return;
        title = form->windowTitle();
        size = form->size();
        flags = form->windowFlags();
        captions = form->command1()->text() + "|" + form->command2()->text();
        homePage = form->command1()->geometry();
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
    // The version picture fills the dialog from its top-left corner.
    QCOMPARE(pixel, QImage(":/version/version.png").pixelColor(20, 20));
}

QTEST_MAIN(OptionsWindowTest)
#include "options_window_test.moc"
