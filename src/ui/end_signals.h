#pragma once
// SIGTERM, SIGINT and SIGHUP end the program the way closing its window
// does. The handler itself only writes the signal's number to a pipe (all a
// handler may safely do); the event thread, woken by the pipe, runs the end.
// A write or a save in progress therefore always finishes first.
#include <QObject>

class QSocketNotifier;

namespace velmora::ui {

class EndSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; one at a time in a process.
    explicit EndSignals(QObject* parent = nullptr);
    // Gives the signals back their default action.
    ~EndSignals() override;
    // False when the pipe could not be made: the signals keep their default action.
    bool installed() const { return notifier_ != nullptr; }

signals:
    void received(int signalNumber);

private:
    void drain();
    int readFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace velmora::ui
