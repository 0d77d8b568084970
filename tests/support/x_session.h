#pragma once
// A private X server (Xvfb) for desktop tests, with an optional tray host (trayer). The
// test program runs its X11 cases by starting itself again on that display with the
// xcb platform, since the platform is fixed once the application exists.

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QThread>

namespace velmo::testing {

// The argument that makes a test program run its X11 cases.
inline constexpr const char* kUnderXFlag = "--under-x";

inline bool haveProgram(const QString& name) {
    return !QStandardPaths::findExecutable(name).isEmpty();
}

class XSession {
public:
    XSession() = default;
    ~XSession() {
        stop(trayer_);
        stop(server_);
    }
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts Xvfb on the first free display from :97 on; false when it did not come up.
    bool start() {
        for (int number = 97; number < 140; ++number) {
            if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) ||
                QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
                continue;
            display_ = QStringLiteral(":%1").arg(number);
            server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            server_.start(
                QStringLiteral("Xvfb"),
                {display_, QStringLiteral("-screen"), QStringLiteral("0"),
                 QStringLiteral("640x480x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            if (!server_.waitForStarted(3000))
                return false;
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
            for (int i = 0; i < 100 && server_.state() == QProcess::Running; ++i) {
                if (QFile::exists(socket))
                    return true;
                QThread::msleep(30);
            }
            // Another server may have taken the number meanwhile: try the next.
            stop(server_);
        }
        return false;
    }

    // Starts trayer, a panel holding a system tray, at the top of the screen.
    bool startTrayer() {
        trayer_.setProcessEnvironment(environment());
        trayer_.start(QStringLiteral("trayer"),
                      {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                       QStringLiteral("left"), QStringLiteral("--widthtype"),
                       QStringLiteral("pixel"), QStringLiteral("--width"), QStringLiteral("200"),
                       QStringLiteral("--height"), QStringLiteral("32")});
        return trayer_.waitForStarted(3000);
    }

    const QString& display() const { return display_; }

    // The environment of a client on this display, without a session bus so no desktop
    // service of the caller's session answers.
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        return env;
    }

    // Runs a program on this display; its exit code, or -1 when it did not end in time.
    int run(const QString& program, const QStringList& arguments, QString* output = nullptr,
            int timeoutMs = 20000) const {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        const bool ended = process.waitForFinished(timeoutMs);
        if (!ended) {
            process.kill();
            process.waitForFinished(1000);
        }
        if (output != nullptr)
            *output = QString::fromLocal8Bit(process.readAll());
        if (!ended || process.exitStatus() != QProcess::NormalExit)
            return -1;
        return process.exitCode();
    }

private:
    static void stop(QProcess& process) {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(2000)) {
            process.kill();
            process.waitForFinished(1000);
        }
    }

    QString display_;
    QProcess server_;
    QProcess trayer_;
};

// What became of this program's X11 cases run on a fresh Xvfb.
struct UnderXResult {
    bool skipped = false;
    bool passed = false;
    QString message;  // why they were skipped, or their output
};

// Starts Xvfb (and trayer when `trayHost`), then this program with kUnderXFlag on it.
// Skipped when one of `programs` is not installed.
inline UnderXResult runCasesUnderX(const QStringList& programs, bool trayHost) {
    for (const QString& program : programs) {
        if (!haveProgram(program))
            return {true, false, program + QStringLiteral(" is not installed")};
    }
    XSession x;
    if (!x.start())
        return {false, false, QStringLiteral("Xvfb did not start")};
    if (trayHost && !x.startTrayer())
        return {false, false, QStringLiteral("trayer did not start")};
    QString output;
    const int code =
        x.run(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kUnderXFlag)}, &output);
    return {false, code == 0, output};
}

// main() of a test program with cases for any platform and cases for a real X server.
template <class Cases, class CasesUnderX>
int runTestsWithCasesUnderX(int argc, char** argv) {
    const bool underX = argc > 1 && qstrcmp(argv[1], kUnderXFlag) == 0;
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments();
    if (underX) {
        arguments.removeAt(1);
        CasesUnderX test;
        return QTest::qExec(&test, arguments);
    }
    Cases test;
    return QTest::qExec(&test, arguments);
}

}  // namespace velmo::testing

// The body of the test case that runs the X11 cases.
#define VELMO_RUN_CASES_UNDER_X(programs, trayHost)                             \
    do {                                                                        \
        const auto result = velmo::testing::runCasesUnderX(programs, trayHost); \
        if (result.skipped)                                                     \
            QSKIP(qPrintable(result.message));                                  \
        qInfo().noquote() << result.message;                                    \
        QVERIFY2(result.passed, "the cases on Xvfb failed");                    \
    } while (false)
