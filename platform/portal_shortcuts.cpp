#include "platform/portal_shortcuts.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QEventLoop>
#include <QTimer>

#include "platform/desktop_notifications.h"

namespace velmo::platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
constexpr int kAnswerTimeoutMs = 3000;

QString shortcutId(int id) {
    return QStringLiteral("velmo-%1").arg(id);
}

}  // namespace

// One entry of BindShortcuts' a(sa{sv}).
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

}  // namespace velmo::platform

Q_DECLARE_METATYPE(velmo::platform::PortalShortcut)

namespace velmo::platform {

PortalShortcuts::PortalShortcuts(QObject* parent) : QObject(parent) {
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    if (!sessionBusConfigured())
        return;
    QDBusConnection::sessionBus().connect(
        kService, kPath, kInterface, QStringLiteral("Activated"), this,
        SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
}

PortalShortcuts::~PortalShortcuts() {
    while (!sessions_.isEmpty())
        release(sessions_.firstKey());
}

bool PortalShortcuts::request(const QString& method, QList<QVariant> args, QVariantMap& results) {
    if (!sessionBusConfigured())
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    // The request object's path is known in advance from the sender and the token, so
    // the answer cannot slip past before we listen for it.
    const QString token = QStringLiteral("velmo%1").arg(++tokenCounter_);
    QString sender = bus.baseService().mid(1);
    sender.replace('.', '_');
    const QString requestPath =
        QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    bus.connect(kService, requestPath, QStringLiteral("org.freedesktop.portal.Request"),
                QStringLiteral("Response"), this, SLOT(onResponse(uint, QVariantMap)));

    QVariantMap options = args.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    args.append(options);
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    message.setArguments(args);
    answered_ = false;
    const QDBusMessage reply = bus.call(message, QDBus::Block, kAnswerTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !answered_) {
        // The portal may show the user a dialog first; the answer comes as a signal.
        QEventLoop loop;
        QTimer::singleShot(kAnswerTimeoutMs, &loop, &QEventLoop::quit);
        waiting_ = &loop;
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        waiting_ = nullptr;
    }
    bus.disconnect(kService, requestPath, QStringLiteral("org.freedesktop.portal.Request"),
                   QStringLiteral("Response"), this, SLOT(onResponse(uint, QVariantMap)));
    if (!answered_ || lastResponse_ != 0)
        return false;
    results = lastResults_;
    return true;
}

void PortalShortcuts::onResponse(uint response, const QVariantMap& results) {
    lastResponse_ = response;
    lastResults_ = results;
    answered_ = true;
    if (waiting_ != nullptr)
        waiting_->quit();
}

bool PortalShortcuts::bind(int id, const QString& trigger, const QString& description) {
    if (sessions_.contains(id))
        return false;
    QVariantMap results;
    const QVariantMap sessionOptions{
        {QStringLiteral("session_handle_token"), QStringLiteral("velmo_%1").arg(id)}};
    if (!request(QStringLiteral("CreateSession"), {sessionOptions}, results))
        return false;
    // Portals answer with a string, as documented, or with an object path.
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    const QString session = handle.canConvert<QDBusObjectPath>()
                                ? handle.value<QDBusObjectPath>().path()
                                : handle.toString();
    if (session.isEmpty())
        return false;
    sessions_.insert(id, session);

    const QList<PortalShortcut> shortcuts{{shortcutId(id),
                                           {{QStringLiteral("description"), description},
                                            {QStringLiteral("preferred_trigger"), trigger}}}};
    const QList<QVariant> bindArgs{QVariant::fromValue(QDBusObjectPath(session)),
                                   QVariant::fromValue(shortcuts), QString(), QVariantMap{}};
    if (!request(QStringLiteral("BindShortcuts"), bindArgs, results)) {
        release(id);
        return false;
    }
    return true;
}

bool PortalShortcuts::release(int id) {
    const auto it = sessions_.find(id);
    if (it == sessions_.end())
        return false;
    const QString session = it.value();
    sessions_.erase(it);
    const QDBusMessage message = QDBusMessage::createMethodCall(
        kService, session, QStringLiteral("org.freedesktop.portal.Session"),
        QStringLiteral("Close"));
    const QDBusMessage reply =
        QDBusConnection::sessionBus().call(message, QDBus::Block, kAnswerTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

void PortalShortcuts::onActivated(const QDBusObjectPath& session, const QString& shortcut,
                                  qulonglong /*timestamp*/, const QVariantMap& /*options*/) {
    for (auto it = sessions_.cbegin(); it != sessions_.cend(); ++it) {
        if (it.value() == session.path() && shortcut == shortcutId(it.key()))
            emit activated(it.key());
    }
}

}  // namespace velmo::platform
