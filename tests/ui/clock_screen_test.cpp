// The players' clocks on the real program under an X server: a game at
// 0.1+0 that nobody moves ends by the flag, between people and against the
// computer, with the running clock counting down on the screen meanwhile.
#include <QElapsedTimer>
#include <QScreen>
#include <QtTest>
#include <memory>

#include "draw/geometry.h"
#include "timing/time_control.h"
#include "ui/main_window.h"
#include "x_input.h"

using namespace velmora;
using velmora::ui::MainWindow;
using namespace velmora::xtest;

class ClockScreenTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void aGameNobodyMovesEndsByTheFlag_data();
    void aGameNobodyMovesEndsByTheFlag();

private:
    // What the X server shows of the band cell the white clock stands in.
    QImage whiteClockOnScreen() const;

    std::unique_ptr<BoxAnswerer> boxes_;
    std::unique_ptr<MainWindow> w_;
};

void ClockScreenTest::init() {
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    boxes_ = std::make_unique<BoxAnswerer>();
    w_ = std::make_unique<MainWindow>();
    w_->game().options.timeControl = *parseTimeControl("0.1+0");
    w_->start();
    QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    settle(200);
}

void ClockScreenTest::cleanup() {
    if (w_ && !w_->shell().ending()) w_->game().movesUnsaved = false;
    w_.reset();
    boxes_.reset();
    settle(50);
}

QImage ClockScreenTest::whiteClockOnScreen() const {
    // Row 6 of the band, columns 10 and 11, at whatever scale the window has.
    const QPoint topLeft = w_->canvas().toWidget(QPointF(gridX(LEFT_ORIGIN_X, 10) / 15, gridY(6) / 15));
    const QPoint bottomRight = w_->canvas().toWidget(QPointF(gridX(LEFT_ORIGIN_X, 12) / 15, gridY(7) / 15));
    const QPoint corner = w_->canvas().mapToGlobal(topLeft);
    const QSize size(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y());
    return w_->screen()->grabWindow(0, corner.x(), corner.y(), size.width(), size.height()).toImage();
}

void ClockScreenTest::aGameNobodyMovesEndsByTheFlag_data() {
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<QString>("flag");
    QTest::addColumn<QString>("result");
    QTest::newRow("between people") << QStringList{"TAIKYOKU", "MATCH_MAN", "START"} << "先手の時間切れです"
                                    << "後手の勝ちです";
    QTest::newRow("against the computer") << QStringList{"TAIKYOKU", "START2", "SENTE"} << "あなたの時間切れです"
                                          << "ｺﾝﾋﾟｭｰﾀの勝ちです";
}

void ClockScreenTest::aGameNobodyMovesEndsByTheFlag() {
    QFETCH(QStringList, start);
    QFETCH(QString, flag);
    QFETCH(QString, result);
    const QImage before = whiteClockOnScreen();
    QElapsedTimer clock;
    clock.start();
    clickMenu(*w_, start);
    // The box that starts the game is answered; then white's clock runs.
    while (!w_->game().playerClocks.running() && clock.elapsed() < 5000) settle(20);
    const qint64 startedBy = clock.elapsed();
    QVERIFY(w_->game().playerClocks.running() == Colour::White);
    settle(1000);
    const QImage running = whiteClockOnScreen();
    settle(1000);
    QVERIFY2(whiteClockOnScreen() != running, "the white clock does not count down on the screen");
    QVERIFY2(running != before, "no clock on the screen");
    // 6 s on the clock; the flag shows within a tick of the window's timer.
    while (!boxes_->texts.contains("時間切れ|" + flag) && clock.elapsed() < startedBy + 15000) settle(20);
    const qint64 fellAfter = clock.elapsed() - startedBy;
    QVERIFY2(boxes_->texts.contains("時間切れ|" + flag), qPrintable(boxes_->texts.join(", ")));
    // The clock started at most a click's settling before it was seen running.
    QVERIFY2(fellAfter >= 5700 && fellAfter <= 6600, qPrintable(QString("fell after %1 ms").arg(fellAfter)));
    while (!boxes_->texts.contains("再ゲーム|続けますか？") && clock.elapsed() < startedBy + 20000) settle(50);
    const int flagAt = static_cast<int>(boxes_->texts.indexOf("時間切れ|" + flag));
    QCOMPARE(boxes_->texts.mid(flagAt), (QStringList{"時間切れ|" + flag, "終了|" + result, "再ゲーム|続けますか？"}));
    qInfo("flag shown %lld ms after white's clock was seen running (6000 ms on the clock)",
          static_cast<long long>(fellAfter));
    // 続けますか？ answered Yes: a new board, the clocks stopped and full.
    settle(300);
    QCOMPARE(w_->game().state.sideToMove, Side::None);
    QVERIFY(!w_->game().playerClocks.running());
    QCOMPARE(w_->game().playerClocks.remainingMs(Colour::White, 0), 6000.0);
}

QTEST_MAIN(ClockScreenTest)
#include "clock_screen_test.moc"
