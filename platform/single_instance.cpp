#include "platform/single_instance.h"

#include <QFile>
#include <QLocalSocket>

#include "platform/posix/system_info.h"

namespace velmo::platform {

namespace {

constexpr int kConnectTimeoutMs = 1000;

}  // namespace

SingleInstance::SingleInstance(const QString& windowTitle, QObject* parent)
    : QObject(parent), path_(socketPath(windowTitle)) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::readRequest);
}

QString SingleInstance::socketPath(const QString& windowTitle) {
    QString name = windowTitle;
    // Simulated computers sharing one login each get their own copy.
    if (computerNameOverridden())
        name += "@" + QString::fromStdString(computerName());
    name.replace('/', '_');
    return QString::fromStdString(runtimeFolder().string()) + "/" + name + ".socket";
}

bool SingleInstance::isRunning(const QString& windowTitle) {
    QLocalSocket socket;
    socket.connectToServer(socketPath(windowTitle));
    const bool connected = socket.waitForConnected(kConnectTimeoutMs);
    socket.abort();
    return connected;
}

bool SingleInstance::requestShow(const QString& windowTitle, const QByteArray& activationToken) {
    QLocalSocket socket;
    socket.connectToServer(socketPath(windowTitle));
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(QByteArray(kShowRequest) + " " + activationToken + "\n");
    if (!socket.waitForBytesWritten(kConnectTimeoutMs))
        return false;
    // Wait for the answer so the running copy has handled the request before we end.
    socket.waitForReadyRead(kConnectTimeoutMs);
    return socket.readAll().startsWith("ok");
}

bool SingleInstance::listen() {
    // No socket options: with them Qt binds elsewhere and renames over the path, which
    // would silently take the socket from a running copy. The runtime folder is private
    // to the user already.
    if (server_.listen(path_))
        return true;
    if (server_.serverError() != QAbstractSocket::AddressInUseError)
        return false;
    QLocalSocket probe;
    probe.connectToServer(path_);
    if (probe.waitForConnected(kConnectTimeoutMs))
        return false;
    // Nobody answers: a copy that crashed left its socket file behind.
    QFile::remove(path_);
    return server_.listen(path_);
}

void SingleInstance::readRequest() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine().trimmed();
            if (line.startsWith(kShowRequest)) {
                socket->write("ok\n");
                socket->flush();
                emit showRequested(line.mid(qstrlen(kShowRequest)).trimmed());
            }
            socket->disconnectFromServer();
        });
    }
}

QByteArray ownActivationToken() {
    QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
    if (token.isEmpty())
        token = qgetenv("DESKTOP_STARTUP_ID");
    return token;
}

}  // namespace velmo::platform
