#include "Application.h"

#include "Dialogs.h"

#include "cards/Error.h"
#include "prefs/Preferences.h"

#include <QLocalSocket>
#include <QWidget>

#include <execinfo.h>
#include <unistd.h>

namespace drawmentor {
namespace {

const QByteArray kActivate = "activate\n";

std::function<void(const QString&)>& ReportHandler() {
    static std::function<void(const QString&)> handler;
    return handler;
}

// Return addresses of the raising code, innermost first, without the frames
// of the capture itself.
std::vector<const void*> CaptureTrace() {
    void* frames[52];
    const int count = backtrace(frames, 52);
    std::vector<const void*> trace;
    for (int i = 2; i < count; ++i) trace.push_back(frames[i]);
    return trace;
}

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    SetTraceCapture(&CaptureTrace);
}

void TApplication::SetReportHandler(std::function<void(const QString&)> handler) { ReportHandler() = std::move(handler); }

void TApplication::Report(const std::exception_ptr& error) {
    const QString text = ExceptionReportText(error);
    if (ReportHandler()) {
        ReportHandler()(text);
        return;
    }
    ShowExceptionReport(QApplication::activeWindow(), text, Preferences());
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        Report(std::current_exception());
        return true;
    }
}

TSingleInstance::TSingleInstance(const QString& name) : FName(name) {}

QString TSingleInstance::DefaultName() { return QStringLiteral("DrawMentor-%1").arg(getuid()); }

bool TSingleInstance::ActivateRunning() {
    QLocalSocket socket;
    socket.connectToServer(FName);
    if (!socket.waitForConnected(500)) return false;
    socket.write(kActivate);
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return true;
}

bool TSingleInstance::Listen() {
    FServer = std::make_unique<QLocalServer>();
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (!FServer->listen(FName)) {
        // A socket left by a crashed instance that nobody answers on.
        QLocalServer::removeServer(FName);
        if (!FServer->listen(FName)) return false;
    }
    connect(FServer.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = FServer->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                const QByteArray data = socket->readAll();
                if (data == kActivate) emit ActivationRequested();
                socket->disconnectFromServer();
            });
        }
    });
    return true;
}

void BringToFront(QWidget* window) {
    if (!window) return;
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace drawmentor
