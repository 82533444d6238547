#include "SingleInstance.h"

#include <QLocalSocket>
#include <QWidget>

#include <unistd.h>

namespace drawmentor {
namespace {

const QByteArray kActivate = "activate\n";

} // namespace

TSingleInstance::TSingleInstance(const QString& name) : FName(name) {}

QString TSingleInstance::DefaultName() {
    return QStringLiteral("DrawMentor-%1").arg(getuid());
}

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
