#include "SingleInstance.h"

#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <sys/stat.h>
#include <unistd.h>

namespace drawmentor {
namespace {

const QByteArray kActivate = "activate\n";

} // namespace

TSingleInstance::TSingleInstance(const QString& name) : FName(name) {}

bool TSingleInstance::IsPrivateFolder(const QString& folder) {
    struct stat info {};
    if (folder.isEmpty() || ::stat(QFile::encodeName(folder).constData(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
           (info.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

constexpr qsizetype kMaxConnections = 8;

// In /tmp anyone may create the name first: the trainer would then talk to a
// stranger's socket, or fail to listen and run twice. The user's runtime
// folder is private, so the name there is ours.
QString TSingleInstance::DefaultName() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!IsPrivateFolder(folder))
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!IsPrivateFolder(folder)) return {};
    return folder + QStringLiteral("/DrawMentor.socket");
}

bool TSingleInstance::ActivateRunning() {
    if (FName.isEmpty()) return false;
    QLocalSocket socket;
    socket.connectToServer(FName);
    if (!socket.waitForConnected(500)) return false;
    socket.write(kActivate);
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return true;
}

bool TSingleInstance::Listen() {
    if (FName.isEmpty()) return false;
    // Listening replaces whatever socket has the name (Qt renames a new one
    // over it), so first make sure no live instance answers there: taking its
    // name would leave two trainers running. A socket nobody answers on was
    // left by a crash and may go.
    {
        QLocalSocket probe;
        probe.connectToServer(FName);
        if (probe.waitForConnected(500)) return false;
    }
    QLocalServer::removeServer(FName);
    FServer = std::make_unique<QLocalServer>();
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (!FServer->listen(FName)) return false;
    connect(FServer.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = FServer->nextPendingConnection()) {
            // Idle or too many connections would hold descriptors for ever:
            // one that has said nothing within a second is closed, and beyond
            // a handful the newest go at once.
            if (FServer->findChildren<QLocalSocket*>().size() > kMaxConnections) {
                socket->abort();
                socket->deleteLater();
                continue;
            }
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QTimer::singleShot(1000, socket, [socket] {
                socket->abort();
                socket->deleteLater();
            });
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
