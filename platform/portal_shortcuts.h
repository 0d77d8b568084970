#pragma once
// Global hot keys on Wayland: the desktop portal's GlobalShortcuts interface, one portal
// session per key so each can be released on its own.

#include <QDBusObjectPath>
#include <QEventLoop>
#include <QMap>
#include <QObject>
#include <QString>
#include <QVariantMap>

namespace velmo::platform {

class PortalShortcuts : public QObject {
    Q_OBJECT

public:
    explicit PortalShortcuts(QObject* parent = nullptr);
    ~PortalShortcuts() override;

    // True when the portal bound the shortcut; `trigger` is the preferred key in the
    // portal's notation ("CTRL+F12"). Waits about three seconds at most for the answer.
    bool bind(int id, const QString& trigger, const QString& description);
    bool release(int id);

signals:
    void activated(int id);

private:
    Q_SLOT void onResponse(uint response, const QVariantMap& results);
    Q_SLOT void onActivated(const QDBusObjectPath& session, const QString& shortcutId,
                            qulonglong timestamp, const QVariantMap& options);

    // Calls a portal method whose answer comes as the Response signal of a request
    // object; false when the call failed, timed out or the user refused.
    bool request(const QString& method, QList<QVariant> args, QVariantMap& results);

    QMap<int, QString> sessions_;  // id -> session handle
    uint lastResponse_ = 2;
    QVariantMap lastResults_;
    bool answered_ = false;
    QEventLoop* waiting_ = nullptr;
    int tokenCounter_ = 0;
};

}  // namespace velmo::platform
