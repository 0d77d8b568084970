// A real velmo process from start to its first paint: the benchmark switch and the
// clean-up of what killed saves left behind.

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class StartupProcessTest : public QObject {
    Q_OBJECT

    static void writeFile(const QString& path, const QByteArray& bytes, qint64 ageSeconds) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        QVERIFY(file.flush());  // a later flush would make the file new again
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                 QFileDevice::FileModificationTime));
    }

private slots:
    void initTestCase() {
        // Our own simulated computer, so a velmo the developer runs is never disturbed.
        qputenv("VELMO_COMPUTER_NAME", QByteArray("startup-process-test-") +
                                           QByteArray::number(QCoreApplication::applicationPid()));
    }

    void quitsAfterTheFirstPaintAndLeftoversOfKilledSavesAreGone() {
        QTemporaryDir start;
        QVERIFY(start.isValid());
        const QDir folder(start.path());
        QVERIFY(folder.mkpath("Data/Files1"));
        // Local operation without the first-run question.
        writeFile(folder.filePath("localfol.myc"), "[Set]\r\nFirst=0\r\n", 0);
        const QString stale = folder.filePath("Data/Files1/.Ca202611.myc.Ab12Cd.tmp");
        const QString staleIni = folder.filePath(".Torka.ini.x7Kq2B.tmp");
        const QString fresh = folder.filePath("Data/Files1/.Ca202612.myc.Zz09Yy.tmp");
        const QString foreign = folder.filePath("Data/Files1/notes.tmp");
        writeFile(stale, QByteArray(640 * 1024, 'x'), 2 * 3600);
        writeFile(staleIni, "[Settei]\r\n", 2 * 3600);
        writeFile(fresh, "saving", 60);
        writeFile(foreign, "mine", 2 * 3600);

        QProcess velmo;
        velmo.start(VELMO_EXE_PATH,
                    {"--start-folder", start.path(), "/2", "--quit-after-first-paint"});
        QVERIFY(velmo.waitForFinished(60000));
        QCOMPARE(velmo.exitStatus(), QProcess::NormalExit);
        QCOMPARE(velmo.exitCode(), 0);

        QVERIFY(!QFile::exists(stale));
        QVERIFY(!QFile::exists(staleIni));
        QVERIFY(QFile::exists(fresh));
        QVERIFY(QFile::exists(foreign));
        // The run ended before any save: no settings file was written.
        QVERIFY(!QFile::exists(folder.filePath("Torka.ini")));
    }
};

QTEST_MAIN(StartupProcessTest)
#include "startup_process_test.moc"
