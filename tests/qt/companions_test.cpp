// The companion programs as the main window starts them: the editor for the memo, its
// failed start, and the print program's missing file.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "app/commands/main_commands.h"
#include "app/main_window.h"
#include "tests/support/fake_clock.h"
#include "tests/support/local_start_folders.h"
#include "tests/support/scripted_user_interface.h"

namespace {

using velmo::testing::ScriptedUserInterface;

struct Run {
    explicit Run(const QTemporaryDir& dir)
        : window({velmo::testing::localStartFolders(dir.path().toStdString()),
                  {},
                  ui,
                  clock,
                  sleeper}) {}
    ScriptedUserInterface ui;
    velmo::testing::FakeClock clock;
    velmo::testing::RecordingSleeper sleeper;
    velmo::TfmC21 window;
};

void writeSettings(const QTemporaryDir& dir, const QByteArray& lines) {
    QFile ini(dir.path() + "/Torka.ini");
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(lines);
}

// A stand-in editor that writes its arguments into a file next to itself.
QString writeEditor(const QTemporaryDir& dir) {
    const QString path = dir.path() + "/Ruvon";
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return {};
    script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.txt\"\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    return path;
}

}  // namespace

class CompanionsTest : public QObject {
    Q_OBJECT

private slots:
    void theMemoCommandHandsTheMemoFileToTheEditor() {
        QTemporaryDir dir;
        const QString editor = writeEditor(dir);
        QVERIFY(!editor.isEmpty());
        writeSettings(dir, "[Settei]\r\ncbEditor=1\r\ncbVelmoM=1\r\nedtEditorFolder=" +
                               editor.toUtf8() + "\r\n");
        Run run(dir);
        run.window.show();
        // The editor serves the memo: no memo tab then.
        QVERIFY(!run.window.pages()->isTabVisible(2));
        run.window.commands().run(velmo::MonthMenuCommand::Memo);
        QFile args(dir.path() + "/args.txt");
        QTRY_VERIFY(args.exists() && args.size() > 0);
        QVERIFY(args.open(QIODevice::ReadOnly));
        const QString common =
            QString::fromStdString(run.window.runSettings().dataFolders().commonFolder);
        QCOMPARE(QString::fromUtf8(args.readAll()).trimmed(),
                 "CaMemo.myc," + QString(common).replace(" ", "_\\Sp\\_") + ",1,0,0,,,0,0,,,");
        QVERIFY(QFile::exists(common + "CaMemo.myc"));
        QVERIFY(run.ui.texts().empty());
    }

    void aCompanionThatCannotStartIsReported() {
        QTemporaryDir dir;
        writeSettings(dir, "[Settei]\r\ncbEditor=1\r\nedtEditorFolder=" + dir.path().toUtf8() +
                               "/missing/Ruvon\r\n");
        Run run(dir);
        run.window.show();
        run.window.commands().run(velmo::MonthMenuCommand::Memo);
        QCOMPARE(run.ui.texts(),
                 (std::vector<std::string>{
                     "「ルボン」が起動できません。\r\n「ルボン」の場所をチェックしてください。"}));
    }

    void printWithoutTheProgramSaysWhereToLook() {
        QTemporaryDir dir;
        writeSettings(dir, "[Velprin]\r\ncbPrint=1\r\nedtPrintFolder=" + dir.path().toUtf8() +
                               "/missing/Velprin\r\n");
        Run run(dir);
        run.window.show();
        run.window.commands().run(velmo::MonthMenuCommand::Print);
        QCOMPARE(run.ui.texts(),
                 (std::vector<std::string>{"「ベルプリン」が起動できません。\r\n「ベルプリン」"
                                           "の場所をチェックしてください。"}));
        // Everything was saved before the print program would have read it.
        QFile ini(dir.path() + "/Torka.ini");
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("\r\n[Header]\r\n"));
    }
};

QTEST_MAIN(CompanionsTest)
#include "companions_test.moc"
