#pragma once
// Real input on the X server for the window tests run under Xvfb: xdotool
// sends the events through XTest, as a person's mouse and keyboard would,
// and message boxes are answered as a person pressing Enter would.
#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QMainWindow>
#include <QMessageBox>
#include <QPoint>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace velmora::xtest {

// Lets the event loop run: whatever the game drew must reach the screen by
// itself, without an expose or an explicit repaint.
inline void settle(int ms = 250) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

inline void xdotool(const QStringList& args) {
    QProcess p;
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&p, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    p.start("xdotool", args);
    loop.exec();
    QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, qPrintable(args.join(' ')));
    settle(100);
}

inline void clickAt(QPoint global, int button = 1) {
    xdotool({"mousemove", "--sync", QString::number(global.x()), QString::number(global.y())});
    xdotool({"click", QString::number(button)});
}

// Clicks through the menu bar as a person does: the top entry, then each
// item as its menu opens. Items are named by their object names.
inline void clickMenu(QMainWindow& window, const QStringList& path) {
    QMenuBar* bar = window.menuBar();
    QAction* top = window.findChild<QAction*>(path.first());
    QVERIFY2(top, qPrintable(path.first()));
    clickAt(bar->mapToGlobal(bar->actionGeometry(top).center()));
    for (int i = 1; i < path.size(); ++i) {
        QAction* item = window.findChild<QAction*>(path[i]);
        QVERIFY2(item, qPrintable(path[i]));
        QMenu* shown = nullptr;
        for (QMenu* m : window.findChildren<QMenu*>()) {
            if (m->isVisible() && m->actions().contains(item)) shown = m;
        }
        QVERIFY2(shown, qPrintable("menu holding " + path[i]));
        clickAt(shown->mapToGlobal(shown->actionGeometry(item).center()));
    }
}

// Answers every message box with its default button, as a person pressing
// Enter would, and keeps what the boxes said.
class BoxAnswerer : public QObject {
public:
    BoxAnswerer() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            QAbstractButton* button = box->defaultButton();
            if (!button) button = box->buttons().value(0);
            if (!button) return;
            texts << box->windowTitle() + "|" + box->text();
            over << box->frameGeometry().center();
            button->click();
        });
        timer_.start(30);
    }
    QStringList texts;
    QList<QPoint> over;

private:
    QTimer timer_;
};

}  // namespace velmora::xtest
