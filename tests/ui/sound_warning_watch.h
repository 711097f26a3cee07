#pragma once
// Start-up warns in a modal box when the machine has no audio output (CI,
// virtual displays). The watch answers those boxes and keeps what they said,
// so window tests run unattended.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

class SoundWarningWatch : public QObject {
public:
    SoundWarningWatch() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || box->windowTitle() != "Velmora.dll" || box->buttons().isEmpty()) return;
            texts << box->text();
            icons << box->icon();
            box->buttons().first()->click();
        });
        timer_.start(10);
    }
    QStringList texts;
    QList<QMessageBox::Icon> icons;

private:
    QTimer timer_;
};
