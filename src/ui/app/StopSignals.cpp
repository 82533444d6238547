#include "StopSignals.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace drawmentor {
namespace {

int gSockets[2] = {-1, -1};
constexpr int kStopSignals[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void OnStopSignal(int) {
    const char byte = 1;
    // Async-signal-safe; a full socket already holds a request.
    [[maybe_unused]] const ssize_t written = ::write(gSockets[0], &byte, 1);
}

} // namespace

TStopSignals::TStopSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gSockets) != 0) {
        qWarning("DrawMentor: no socket for stop signals; a SIGTERM loses this session's settings");
        return;
    }
    FNotifier = new QSocketNotifier(gSockets[1], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TStopSignals::Stop);
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kStopSignals) sigaction(signal, &action, nullptr);
}

TStopSignals::~TStopSignals() {
    if (!FNotifier) return;
    for (const int signal : kStopSignals) std::signal(signal, SIG_DFL);
    ::close(gSockets[0]);
    ::close(gSockets[1]);
    gSockets[0] = gSockets[1] = -1;
}

void TStopSignals::Stop() {
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(gSockets[1], &byte, 1);
    QApplication::closeAllWindows();
    QApplication::quit();
}

} // namespace drawmentor
