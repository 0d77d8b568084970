#include "platform/desktop_notifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using velmo::platform::DesktopNotifications;

namespace {

const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

// A bus of its own, with no service that could be started on demand.
class PrivateBus {
public:
    bool start() {
        const QString config = folder_.filePath(QStringLiteral("bus.conf"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(
            QStringLiteral(
                "<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                "<auth>EXTERNAL</auth><policy context=\"default\"><allow send_destination=\"*\"/>"
                "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>")
                .arg(folder_.path())
                .toUtf8());
        file.close();
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
        if (!daemon_.waitForStarted(3000) || !daemon_.waitForReadyRead(3000))
            return false;
        address_ = QString::fromUtf8(daemon_.readLine().trimmed());
        return !address_.isEmpty();
    }
    ~PrivateBus() {
        daemon_.terminate();
        if (!daemon_.waitForFinished(2000))
            daemon_.kill();
    }
    QDBusConnection connect(const QString& name) const {
        return QDBusConnection::connectToBus(address_, name);
    }

private:
    QTemporaryDir folder_;
    QProcess daemon_;
    QString address_;
};

// The notification service, answering from a thread of its own because the code under
// test waits for its answers.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call {
        QString appName;
        uint replacesId = 0;
        QString icon;
        QString summary;
        QString body;
        QStringList actions;
        int timeout = 0;
    };

    QList<Call> calls() const {
        QMutexLocker lock(&mutex_);
        return calls_;
    }
    QList<uint> closed() const {
        QMutexLocker lock(&mutex_);
        return closed_;
    }

    Q_SLOT uint Notify(const QString& appName, uint replacesId, const QString& icon,
                       const QString& summary, const QString& body, const QStringList& actions,
                       const QVariantMap& /*hints*/, int timeout) {
        QMutexLocker lock(&mutex_);
        calls_.append({appName, replacesId, icon, summary, body, actions, timeout});
        return replacesId != 0 ? replacesId : 40 + static_cast<uint>(calls_.size());
    }
    Q_SLOT void CloseNotification(uint id) {
        {
            QMutexLocker lock(&mutex_);
            closed_.append(id);
        }
        emit NotificationClosed(id, 3);
    }

signals:
    void NotificationClosed(uint id, uint reason);
    void ActionInvoked(uint id, const QString& actionKey);

private:
    mutable QMutex mutex_;
    QList<Call> calls_;
    QList<uint> closed_;
};

}  // namespace

class DesktopNotificationsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed");
        bus_ = std::make_unique<PrivateBus>();
        QVERIFY(bus_->start());
    }

    void cleanup() {
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        if (thread_.isRunning()) {
            thread_.quit();
            thread_.wait();
        }
        service_.reset();
        bus_.reset();
    }

    void unavailableUntilTheServiceRuns() {
        DesktopNotifications notifications(bus_->connect(QStringLiteral("client")));
        QVERIFY(!notifications.available());
        startService();
        QVERIFY(notifications.available());
    }

    void notifyCarriesTheBalloon() {
        startService();
        DesktopNotifications notifications(bus_->connect(QStringLiteral("client")));
        QVERIFY(notifications.show(QStringLiteral("2024/9/10 (火) 14 : 5"),
                                   QStringLiteral("\r\n会議\r\n"), 30000));
        QVERIFY(notifications.isOpen());
        const QList<FakeNotifications::Call> calls = service_->calls();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].appName, QStringLiteral("ベルモ"));
        QCOMPARE(calls[0].icon, QStringLiteral("dialog-information"));
        QCOMPARE(calls[0].summary, QStringLiteral("2024/9/10 (火) 14 : 5"));
        QCOMPARE(calls[0].body, QStringLiteral("\r\n会議\r\n"));
        QCOMPARE(calls[0].actions,
                 (QStringList{QStringLiteral("default"), QStringLiteral("開く")}));
        QCOMPARE(calls[0].timeout, 30000);
        QCOMPARE(calls[0].replacesId, 0u);

        // A second one takes the place of the first.
        QVERIFY(notifications.show(QStringLiteral("t"), QStringLiteral("x"), 30000));
        QCOMPARE(service_->calls().at(1).replacesId, notifications.notificationId());
    }

    void onlyOurNotificationsSignalsCount() {
        startService();
        DesktopNotifications notifications(bus_->connect(QStringLiteral("client")));
        QSignalSpy clicked(&notifications, &DesktopNotifications::clicked);
        QSignalSpy closed(&notifications, &DesktopNotifications::closed);
        QVERIFY(notifications.show(QStringLiteral("t"), QStringLiteral("x"), 30000));
        const uint id = notifications.notificationId();

        sendSignal(QStringLiteral("ActionInvoked"), {id + 1, QStringLiteral("default")});
        sendSignal(QStringLiteral("ActionInvoked"), {id, QStringLiteral("other")});
        sendSignal(QStringLiteral("NotificationClosed"), {id + 1, 1u});
        sendSignal(QStringLiteral("ActionInvoked"), {id, QStringLiteral("default")});
        QTRY_COMPARE(clicked.count(), 1);
        QCOMPARE(closed.count(), 0);

        sendSignal(QStringLiteral("NotificationClosed"), {id, 1u});
        QTRY_COMPARE(closed.count(), 1);
        QVERIFY(!notifications.isOpen());
    }

    void closeAsksTheService() {
        startService();
        DesktopNotifications notifications(bus_->connect(QStringLiteral("client")));
        QSignalSpy closed(&notifications, &DesktopNotifications::closed);
        notifications.close();  // none open: no call
        QVERIFY(notifications.show(QStringLiteral("t"), QStringLiteral("x"), 30000));
        const uint id = notifications.notificationId();
        notifications.close();
        QCOMPARE(service_->closed(), QList<uint>{id});
        QTRY_COMPARE(closed.count(), 1);
        QVERIFY(!notifications.isOpen());
    }

    void withoutABusNothingWaits() {
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("XDG_RUNTIME_DIR", QByteArray("/nonexistent/velmo"));
        QElapsedTimer timer;
        timer.start();
        DesktopNotifications notifications;
        QVERIFY(!notifications.available());
        QVERIFY(!notifications.show(QStringLiteral("t"), QStringLiteral("x"), 30000));
        QVERIFY(timer.elapsed() < 1000);
    }

private:
    void startService() {
        service_ = std::make_unique<FakeNotifications>();
        service_->moveToThread(&thread_);
        thread_.start();
        // Registered from its own thread: the bus relays the object's signals through
        // helpers that must live there too.
        bool registered = false;
        QMetaObject::invokeMethod(
            service_.get(),
            [this, &registered] {
                QDBusConnection connection = bus_->connect(QStringLiteral("service"));
                registered =
                    connection.registerObject(
                        kPath, service_.get(),
                        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals) &&
                    connection.registerService(QStringLiteral("org.freedesktop.Notifications"));
            },
            Qt::BlockingQueuedConnection);
        QVERIFY(registered);
    }

    void sendSignal(const QString& name, const QVariantList& arguments) {
        QDBusMessage message = QDBusMessage::createSignal(kPath, kInterface, name);
        message.setArguments(arguments);
        QVERIFY(QDBusConnection(QStringLiteral("service")).send(message));
    }

    std::unique_ptr<PrivateBus> bus_;
    std::unique_ptr<FakeNotifications> service_;
    QThread thread_;
};

QTEST_GUILESS_MAIN(DesktopNotificationsTest)

#include "desktop_notifications_test.moc"
