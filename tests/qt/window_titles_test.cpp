// The program on a real X server: the window manager sees exactly the window's caption,
// with nothing of Qt's appended.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A private X server for the test, on the first free display from 90 on.
class XServer {
public:
    bool start() {
        for (int number = 90; number < 140; ++number) {
            if (QFile::exists(QString("/tmp/.X11-unix/X%1").arg(number)) ||
                QFile::exists(QString("/tmp/.X%1-lock").arg(number))) {
                continue;
            }
            display_ = QString(":%1").arg(number);
            server_.start("Xvfb", {display_, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
            if (!server_.waitForStarted())
                return false;
            for (int i = 0; i < 100 && !QFile::exists(socket(number)); ++i)
                QTest::qWait(50);
            return QFile::exists(socket(number)) && server_.state() == QProcess::Running;
        }
        return false;
    }
    ~XServer() {
        server_.terminate();
        server_.waitForFinished(5000);
    }
    const QString& display() const { return display_; }

private:
    static QString socket(int number) { return QString("/tmp/.X11-unix/X%1").arg(number); }
    QProcess server_;
    QString display_;
};

QString run(const QString& program, const QStringList& arguments,
            const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(15000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

}  // namespace

class WindowTitlesTest : public QObject {
    Q_OBJECT

private slots:
    void theMainWindowShowsExactlyItsCaption() {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty() ||
            QStandardPaths::findExecutable("xdotool").isEmpty()) {
            QFAIL("Xvfb and xdotool are needed (scripts/setup.sh installs them)");
        }
        XServer x;
        QVERIFY(x.start());
        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", x.display());
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("HOME", home.path());
        environment.insert("XDG_RUNTIME_DIR", home.path());
        environment.remove("XDG_DATA_HOME");
        environment.remove("VELMO_HOME");

        QProcess velmo;
        velmo.setProcessEnvironment(environment);
        velmo.start(VELMO_EXE_PATH, {});
        QVERIFY(velmo.waitForStarted());
        const QString window =
            run("xdotool", {"search", "--sync", "--onlyvisible", "--name", "Velmo"}, environment)
                .section('\n', 0, 0);
        QVERIFY(!window.isEmpty());
        QCOMPARE(run("xdotool", {"getwindowname", window}, environment),
                 QString("ベルモ - Velmo -"));
        velmo.terminate();
        QVERIFY(velmo.waitForFinished(10000));
        QCOMPARE(velmo.exitCode(), 0);
        // A first start on a fresh home seeded the default start folder.
        QVERIFY(QFile::exists(home.path() + "/.local/share/velmo/localfol.myc"));
    }
};

QTEST_MAIN(WindowTitlesTest)
#include "window_titles_test.moc"
