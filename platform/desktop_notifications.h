#pragma once
// Notifications through the desktop's org.freedesktop.Notifications service; the tray
// balloon of the Windows program. Every bus call has a short time-out so a missing or
// stuck service never holds up the main window.

#include <QDBusConnection>
#include <QObject>
#include <QString>

namespace velmo::platform {

class DesktopNotifications : public QObject {
    Q_OBJECT

public:
    // On the session bus.
    explicit DesktopNotifications(QObject* parent = nullptr);
    // On the given bus; tests bring a private one.
    explicit DesktopNotifications(const QDBusConnection& bus, QObject* parent = nullptr);

    // True when the bus has the service running or can start it.
    bool available() const;

    // Shows a notification with the information icon and the action 開く; it replaces the
    // one still open. False when the service did not accept it.
    bool show(const QString& title, const QString& text, int expireTimeoutMs);
    // Closes the open notification, if any.
    void close();

    bool isOpen() const { return id_ != 0; }
    uint notificationId() const { return id_; }

signals:
    void clicked();  // the default action
    void closed();   // expired, dismissed or closed by us

private:
    Q_SLOT void onActionInvoked(uint id, const QString& actionKey);
    Q_SLOT void onNotificationClosed(uint id, uint reason);

    QDBusConnection bus_;
    uint id_ = 0;
};

// True when a session bus can be reached at all. Without an address in the environment
// or a bus socket in the runtime folder the bus library would try to start one.
bool sessionBusConfigured();

}  // namespace velmo::platform
