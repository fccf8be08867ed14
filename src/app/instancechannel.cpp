#include "app/instancechannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include "platform/platform.h"

namespace {

constexpr char kRaise[] = "raise\n";
constexpr char kRefresh[] = "refresh\n";

}  // namespace

InstanceChannel::InstanceChannel(QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)) {
    // Only the user who runs the program may talk to it.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::ReadRequest);
}

InstanceChannel::~InstanceChannel() = default;

QString InstanceChannel::ServerName() {
    const QString folder = QDir(Platform::Get().GetPaths().registryFolder).absolutePath();
    const QByteArray hash =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("outlaysheet-%1-%2")
        .arg(QString::fromLocal8Bit(qgetenv("USER")), QString::fromLatin1(hash));
}

bool InstanceChannel::Send(Request request, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(request == Request::Raise ? kRaise : kRefresh);
    const bool written = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return written;
}

bool InstanceChannel::Listen() {
    const QString name = ServerName();
    if (server_->listen(name)) {
        return true;
    }
    // A socket file left by a program that died is no running program.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500)) {
        return false;
    }
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

void InstanceChannel::ReadRequest() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine(64);
                if (line == kRaise) {
                    emit raiseRequested();
                } else if (line == kRefresh) {
                    emit refreshRequested();
                }
            }
        });
    }
}
