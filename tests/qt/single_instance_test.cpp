// The single-instance socket, in process and with real velmo processes, and their
// orderly end on a termination signal.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <thread>

#include "platform/single_instance.h"

using velmo::platform::SingleInstance;

class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // Our own simulated computer, so a velmo the developer runs is never disturbed.
        qputenv("VELMO_COMPUTER_NAME", QByteArray("single-instance-test-") +
                                           QByteArray::number(QCoreApplication::applicationPid()));
    }

    void showRequestCarriesTheActivationToken() {
        const QString title = "test-show";
        SingleInstance running(title);
        QVERIFY(!SingleInstance::isRunning(title));
        QVERIFY(running.listen());
        QSignalSpy spy(&running, &SingleInstance::showRequested);
        QVERIFY(SingleInstance::isRunning(title));
        // The requester blocks until answered, so it runs beside this thread's event loop.
        std::atomic<bool> delivered = false;
        std::thread requester([&] { delivered = SingleInstance::requestShow(title, "token-42"); });
        QTRY_COMPARE(spy.count(), 1);
        requester.join();
        QVERIFY(delivered);
        QCOMPARE(spy.at(0).at(0).toByteArray(), QByteArray("token-42"));
    }

    void staleSocketIsReplacedButALiveOneIsNot() {
        const QString title = "test-stale";
        const QString path = SingleInstance::socketPath(title);
        QFile stale(path);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SingleInstance first(title);
        QVERIFY(first.listen());
        SingleInstance second(title);
        QVERIFY(!second.listen());
        QVERIFY(first.isListening());
    }

    void secondStartHandsOverAndSecondCopySwitchStarts() {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        // A folder the program has used (it holds a settings file) is not seeded, and
        // without the local-operation marker no notice box blocks the second start.
        QFile keep(home.path() + "/Torka.ini");
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.close();

        auto start = [&](const QStringList& extra) {
            auto* process = new QProcess(this);
            QStringList arguments{"--start-folder", home.path()};
            process->start(VELMO_EXE_PATH, arguments + extra);
            return process;
        };
        QProcess* first = start({});
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(SingleInstance::isRunning("ベルモ - Velmo -"), 10000);

        QProcess* second = start({});
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);

        QProcess* third = start({"/2"});
        QVERIFY(third->waitForStarted());
        QVERIFY(!third->waitForFinished(2000));  // still running beside the first
        for (QProcess* p : {first, third}) {
            p->terminate();
            if (!p->waitForFinished(5000))
                p->kill();
        }
        // The /2 copy never touched the socket: it is gone only because the first ended.
        QTRY_VERIFY(!SingleInstance::isRunning("ベルモ - Velmo -"));
        // A termination signal closes the window normally instead of killing the process.
        for (QProcess* p : {first, third}) {
            QCOMPARE(p->exitStatus(), QProcess::NormalExit);
            QCOMPARE(p->exitCode(), 0);
        }
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
