#pragma once
// One running copy per user (and per simulated computer): a local socket in the runtime
// folder named from the window title. A second start connects, sends the show request
// (the message 0x500 of the Windows program) and ends.

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QString>

namespace velmo::platform {

// The request a second copy sends to the running one.
inline constexpr const char* kShowRequest = "0x500";

class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const QString& windowTitle, QObject* parent = nullptr);

    // Full path of the socket for a window title.
    static QString socketPath(const QString& windowTitle);

    // True when a copy owning this title answers on its socket.
    static bool isRunning(const QString& windowTitle);

    // Asks the running copy to show itself, passing the caller's activation token
    // (empty when the desktop gave none). True when the request was delivered.
    static bool requestShow(const QString& windowTitle, const QByteArray& activationToken);

    // Starts listening. A stale socket file is removed only after a connect to it
    // failed. Returns false when another copy is listening (it won a start race).
    bool listen();

    bool isListening() const { return server_.isListening(); }

signals:
    void showRequested(const QByteArray& activationToken);

private:
    void readRequest();

    QString path_;
    QLocalServer server_;
};

// The activation token the desktop handed to this process, if any.
QByteArray ownActivationToken();

}  // namespace velmo::platform
