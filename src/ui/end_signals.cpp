#include "ui/end_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace velmora::ui {

namespace {

constexpr int END_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe's writing end, for the handler; -1 while none is installed.
volatile sig_atomic_t writeFd = -1;

extern "C" void onEndSignal(int signalNumber) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a request to end: the byte may be dropped.
    [[maybe_unused]] const ssize_t written = ::write(writeFd, &byte, 1);
    errno = savedErrno;
}

}  // namespace

EndSignals::EndSignals(QObject* parent) : QObject(parent) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    readFd_ = fds[0];
    writeFd = fds[1];
    notifier_ = new QSocketNotifier(readFd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &EndSignals::drain);
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted reads and writes go on: a save is never cut short.
    action.sa_flags = SA_RESTART;
    for (int s : END_SIGNALS) ::sigaction(s, &action, nullptr);
}

EndSignals::~EndSignals() {
    if (!notifier_) return;
    for (int s : END_SIGNALS) std::signal(s, SIG_DFL);
    ::close(writeFd);
    writeFd = -1;
    ::close(readFd_);
}

void EndSignals::drain() {
    unsigned char bytes[64];
    int last = 0;
    for (ssize_t n; (n = ::read(readFd_, bytes, sizeof bytes)) > 0;) last = bytes[n - 1];
    if (last != 0) emit received(last);
}

}  // namespace velmora::ui
