// The game's program: the main window on the game's core.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "ui/main_window.h"

namespace {

long residentKiB() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Closes every message box as soon as it is shown.
class BoxAnswerer : public QObject {
public:
    int answered = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* box = qobject_cast<QMessageBox*>(object)) {
                ++answered;
                QTimer::singleShot(0, box, &QMessageBox::accept);
            }
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    velmora::ui::MainWindow window;
    // For measuring: report the time to the first complete frame and the
    // resident memory then, and end.
    if (qEnvironmentVariableIsSet("VELMORA_MEASURE_STARTUP")) {
        // A machine without audio output shows the sound warning at start-up;
        // the measurement answers it at once, and says how long it stood.
        static BoxAnswerer answerer;
        app.installEventFilter(&answerer);
        QObject::connect(&window.canvas(), &velmora::ui::CanvasWidget::firstFramePainted, &app, [&] {
            const long long firstFrame = sinceStart.elapsed();
            const long rss = residentKiB();
            // A full repaint: the whole window redrawn into the back buffer and shown.
            QElapsedTimer repaint;
            repaint.start();
            constexpr int REPAINTS = 20;
            for (int i = 0; i < REPAINTS; ++i) {
                window.game().presentation().画面_再描画();
                window.canvas().refresh();
            }
            std::printf("first_frame_ms=%lld rss_kib=%ld repaint_ms=%.2f boxes_answered=%d\n", firstFrame, rss,
                        repaint.nsecsElapsed() / 1e6 / REPAINTS, answerer.answered);
            std::fflush(stdout);
            QTimer::singleShot(0, &app, [] { std::_Exit(0); });
        });
    }
    window.start();
    return app.exec();
}
