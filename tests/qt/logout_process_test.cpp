// Real velmo processes ended by SIGTERM, as a log-out ends them, while their data folder
// takes no writes. They must end by themselves: with nothing edited without touching a
// byte, with an unsaved change after putting it into the rescue folder.

#include <sys/stat.h>
#include <unistd.h>

#include <QDate>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <filesystem>

#include "store/cp932.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

std::string readBytes(const fs::path& path) {
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path.string()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(bytes));
}

// True once velmo has its own handler for SIGTERM, i.e. its window is up. Before the
// exec the child is still a copy of this test, whose handlers it inherited.
bool catchesTermination(qint64 pid) {
    QFile name(QString("/proc/%1/comm").arg(pid));
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!name.open(QIODevice::ReadOnly) || name.readAll().trimmed() != "velmo" ||
        !status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    }
    return false;
}

// A user of its own: home, state and runtime folders and a start folder, all in one
// temporary folder. Permissions do not bind root, so as root velmo runs as "nobody".
class Sandbox {
public:
    Sandbox() {
        for (const char* sub : {"home", "state", "run"})
            fs::create_directories(path(sub));
        prepared = ::chmod(path("run").c_str(), 0700) == 0;
        if (asNobody) {
            prepared = ::chown(root.c_str(), kNobody, kNobody) == 0 && prepared;
            for (const auto& entry : fs::recursive_directory_iterator(root))
                prepared = ::chown(entry.path().c_str(), kNobody, kNobody) == 0 && prepared;
        }
    }

    fs::path path(const std::string& relative) const { return root / relative; }
    fs::path data() const { return path("start/Data/Files1"); }
    fs::path rescue() const { return path("state/velmo/rescue"); }

    // Starts velmo and waits until it would hear a termination signal.
    QProcess* start(QObject* parent) {
        auto* process = new QProcess(parent);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", QString::fromStdString(path("home").string()));
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(path("home/.config").string()));
        env.insert("XDG_DATA_HOME", QString::fromStdString(path("home/.local/share").string()));
        env.insert("XDG_STATE_HOME", QString::fromStdString(path("state").string()));
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(path("run").string()));
        env.insert("VELMO_COMPUTER_NAME",
                   QString("logout-test-%1").arg(QCoreApplication::applicationPid()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("VELMO_HOME");
        process->setProcessEnvironment(env);
        QStringList arguments{"--start-folder", QString::fromStdString(path("start").string())};
        if (asNobody) {
            arguments =
                QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", VELMO_EXE_PATH} +
                arguments;
            process->start("setpriv", arguments);
        } else {
            process->start(VELMO_EXE_PATH, arguments);
        }
        return process;
    }

    const bool asNobody = ::geteuid() == 0;
    bool prepared = false;

private:
    static constexpr uid_t kNobody = 65534;
    QTemporaryDir dir_;
    fs::path root = dir_.path().toStdString();
};

// Sends SIGTERM and gives the process time to save, rescue and end.
void terminate(QProcess* process, int timeoutMs) {
    process->terminate();
    if (!process->waitForFinished(timeoutMs)) {
        process->kill();
        process->waitForFinished();
        QFAIL("velmo did not end after SIGTERM");
    }
    if (process->exitStatus() != QProcess::NormalExit)
        QFAIL(process->readAllStandardError().constData());
    QCOMPARE(process->exitCode(), 0);
}

}  // namespace

class LogoutProcessTest : public QObject {
    Q_OBJECT

private slots:
    void aReadOnlyDataFolderNeverKeepsVelmoFromEnding() {
        Sandbox box;
        if (box.asNobody && QStandardPaths::findExecutable("setpriv").isEmpty())
            QSKIP("running as root without setpriv: a read-only folder would not bind velmo");
        QVERIFY(box.prepared);

        // The first start seeds the start folder; a plain SIGTERM ends it.
        QProcess* first = box.start(this);
        QTRY_VERIFY_WITH_TIMEOUT(catchesTermination(first->processId()), 30000);
        terminate(first, 30000);
        QVERIFY(fs::exists(box.data() / "CaFromTo.myc"));

        // This month in bytes the writer would have changed, records out of order, and a
        // data folder that takes no writes.
        const QDate today = QDate::currentDate();
        const std::string monthName = QString("Ca%1%2.myc")
                                          .arg(today.year(), 4, 10, QChar('0'))
                                          .arg(today.month(), 2, 10, QChar('0'))
                                          .toStdString();
        const std::string month =
            "15,1,,\xED\x40\x87\x90,,,,,,\n\x1A"
            "tail";
        const std::string periods = velmo::cp932::encode("***** FromTo予定 [Data\\Files1\\]") +
                                    "\n" + "2024, 1,20,M,2024, 1,21,E,2024, 1,20,1,,b,PC,,,,,\n" +
                                    "2024, 1, 2,M,2024, 1, 3,E,2024, 1, 2,1,,a,PC,,,,,\n";
        writeBytes(box.data() / monthName, month);
        writeBytes(box.data() / "CaFromTo.myc", periods);
        // A start that may write takes this ten days' period backup (a read-only folder
        // would have it ask about the failed backup before the window is up); with nothing
        // edited it leaves the data files alone.
        QProcess* writable = box.start(this);
        QTRY_VERIFY_WITH_TIMEOUT(catchesTermination(writable->processId()), 30000);
        terminate(writable, 30000);
        QCOMPARE(readBytes(box.data() / monthName), month);
        QCOMPARE(readBytes(box.data() / "CaFromTo.myc"), periods);
        QCOMPARE(::chmod(box.data().c_str(), 0555), 0);

        // Nothing edited: nothing to write, so it ends at once and every byte stays.
        QProcess* unedited = box.start(this);
        QTRY_VERIFY_WITH_TIMEOUT(catchesTermination(unedited->processId()), 30000);
        terminate(unedited, 30000);
        QCOMPARE(readBytes(box.data() / monthName), month);
        QCOMPARE(readBytes(box.data() / "CaFromTo.myc"), periods);
        QVERIFY(velmo::testing::TempFolder::subfolders(box.rescue()).empty());

        // A period file of zero bytes is due to get its header line, which the folder
        // refuses: the line goes to the rescue folder, and the process still ends.
        QCOMPARE(::chmod(box.data().c_str(), 0755), 0);
        writeBytes(box.data() / "CaFromTo.myc", "");
        QCOMPARE(::chmod(box.data().c_str(), 0555), 0);
        QProcess* pending = box.start(this);
        QTRY_VERIFY_WITH_TIMEOUT(catchesTermination(pending->processId()), 30000);
        terminate(pending, 60000);
        QCOMPARE(readBytes(box.data() / "CaFromTo.myc"), std::string());
        const std::vector<fs::path> folders = velmo::testing::TempFolder::subfolders(box.rescue());
        QCOMPARE(folders.size(), std::size_t{1});
        QCOMPARE(readBytes(folders[0] / "CaFromTo.myc"),
                 velmo::cp932::encode("***** FromTo予定 [Data\\Files1\\]") + "\r\n");
        QVERIFY(!fs::exists(folders[0] / monthName));
        const QString log = QString::fromUtf8(pending->readAllStandardError());
        QVERIFY2(log.contains(QString::fromStdString("保存できなかった予定を" +
                                                     folders[0].string() + "/に退避しました。")),
                 qPrintable(log));
        QVERIFY(fs::exists(box.rescue() / ".pending-notice"));
        QCOMPARE(::chmod(box.data().c_str(), 0755), 0);
    }
};

QTEST_MAIN(LogoutProcessTest)
#include "logout_process_test.moc"
