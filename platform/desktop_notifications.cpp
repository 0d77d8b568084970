#include "platform/desktop_notifications.h"

#include <QDBusMessage>
#include <QDBusReply>
#include <QFileInfo>
#include <QStringList>
#include <QVariantMap>

namespace velmo::platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kDefaultAction = QStringLiteral("default");

constexpr int kQueryTimeoutMs = 1000;
// Starting a notification daemon on demand takes longer than a query.
constexpr int kNotifyTimeoutMs = 3000;

QDBusConnection sessionBusOrNone() {
    if (sessionBusConfigured())
        return QDBusConnection::sessionBus();
    return QDBusConnection(QStringLiteral("velmo-no-bus"));
}

QDBusMessage busCall(const QDBusConnection& bus, const QString& method, const QVariantList& args,
                     int timeoutMs) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), method);
    message.setArguments(args);
    return bus.call(message, QDBus::Block, timeoutMs);
}

}  // namespace

bool sessionBusConfigured() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

DesktopNotifications::DesktopNotifications(QObject* parent)
    : DesktopNotifications(sessionBusOrNone(), parent) {}

DesktopNotifications::DesktopNotifications(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), bus_(bus) {
    if (!bus_.isConnected())
        return;
    bus_.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                 SLOT(onActionInvoked(uint, QString)));
    bus_.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                 SLOT(onNotificationClosed(uint, uint)));
}

bool DesktopNotifications::available() const {
    if (!bus_.isConnected())
        return false;
    const QDBusMessage owner =
        busCall(bus_, QStringLiteral("NameHasOwner"), {kService}, kQueryTimeoutMs);
    if (owner.type() == QDBusMessage::ReplyMessage && owner.arguments().value(0).toBool())
        return true;
    const QDBusMessage activatable =
        busCall(bus_, QStringLiteral("ListActivatableNames"), {}, kQueryTimeoutMs);
    return activatable.type() == QDBusMessage::ReplyMessage &&
           activatable.arguments().value(0).toStringList().contains(kService);
}

bool DesktopNotifications::show(const QString& title, const QString& text, int expireTimeoutMs) {
    if (!bus_.isConnected())
        return false;
    QDBusMessage message =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    message.setArguments({QStringLiteral("ベルモ"), id_, QStringLiteral("dialog-information"),
                          title, text, QStringList{kDefaultAction, QStringLiteral("開く")},
                          QVariantMap{}, expireTimeoutMs});
    const QDBusReply<uint> reply = bus_.call(message, QDBus::Block, kNotifyTimeoutMs);
    if (!reply.isValid() || reply.value() == 0)
        return false;
    id_ = reply.value();
    return true;
}

void DesktopNotifications::close() {
    if (id_ == 0)
        return;
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                          QStringLiteral("CloseNotification"));
    message.setArguments({id_});
    // The service answers with NotificationClosed, which clears the id; a service that
    // went away cannot show it any longer either.
    const QDBusMessage reply = bus_.call(message, QDBus::Block, kQueryTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage && id_ != 0) {
        id_ = 0;
        emit closed();
    }
}

void DesktopNotifications::onActionInvoked(uint id, const QString& actionKey) {
    if (id != 0 && id == id_ && actionKey == kDefaultAction)
        emit clicked();
}

void DesktopNotifications::onNotificationClosed(uint id, uint /*reason*/) {
    if (id == 0 || id != id_)
        return;
    id_ = 0;
    emit closed();
}

}  // namespace velmo::platform
