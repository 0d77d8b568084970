// The end of a run on a data folder that cannot be written: a termination signal saves
// what it can, puts the rest into a rescue folder and ends; a close by the user is
// refused unless the user chooses the rescue; the next start says where the copies are.

#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <filesystem>

#include "app/main_window.h"
#include "app/month_page.h"
#include "app/startup/rescue_copies.h"
#include "app/startup/session_ending.h"
#include "editor_models/day_editor_lines.h"
#include "platform/termination_signals.h"
#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/store_fakes.h"
#include "tests/support/temp_folder.h"

using namespace velmo;
namespace fs = std::filesystem;
using velmo::testing::FakeClock;
using velmo::testing::fileBytes;
using velmo::testing::RecordingSleeper;
using velmo::testing::ScriptedUserInterface;
using velmo::testing::ShownBox;

namespace {

std::string readBytes(const fs::path& path) {
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// A start folder in data set format with January's file and the period file, and a
// rescue folder of its own.
struct Home {
    QTemporaryDir dir;
    fs::path root = dir.path().toStdString();
    fs::path data = root / "Data/Files1";
    fs::path rescue = root / "state/velmo/rescue";

    Home() {
        fs::create_directories(data);
        write("Ca202401.myc", cp932::encode("15,1,,定例会議,,,,,,\r\n"));
        write("CaFromTo.myc", cp932::encode("***** FromTo予定 [Data\\Files1\\]\r\n"));
    }
    void write(const std::string& name, const std::string& bytes) const {
        QFile file(QString::fromStdString((data / name).string()));
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray::fromStdString(bytes));
    }
    StartFolders folders() const {
        StartFolders f;
        f.startFolder = root.string() + "/";
        f.settingsFolder = f.startFolder;
        f.settingsFile = f.startFolder + "Torka.ini";
        f.localOperation = true;
        f.computerName = "PC-01";
        f.rescueFolder = rescue.string() + "/";
        return f;
    }
    // Nothing can be written into the data folder any more: a plain file stands at its
    // name (permissions would not stop a test run as root).
    void block() const {
        fs::rename(data, root / "Data/Moved");
        QFile blocker(QString::fromStdString(data.string()));
        blocker.open(QIODevice::WriteOnly);
    }
    void unblock() const {
        fs::remove(data);
        fs::rename(root / "Data/Moved", data);
    }
    std::vector<fs::path> rescueFolders() const {
        return velmo::testing::TempFolder::subfolders(rescue);
    }
};

struct Run {
    explicit Run(const Home& home) : window({home.folders(), {}, ui, clock, sleeper}) {
        window.sessionEnding().setQuit([this] { ++quits; });
    }
    MonthSlot& january() {
        return window.monthPage()->view()->model().monthSlots()[kCurrentMonthSlot];
    }
    void edit() {
        writeBackDayEditorLines(january(), kCurrentMonthSlot, 2024, 1, 20, {"出張"}, {}, false,
                                LocalFolderHooks{});
    }

    ScriptedUserInterface ui;
    FakeClock clock{{2024, 1, 15, 9, 0, 0, 0}};
    RecordingSleeper sleeper;
    TfmC21 window;
    int quits = 0;
};

}  // namespace

class TerminationTest : public QObject {
    Q_OBJECT

private slots:
    void aSignalRescuesWhatCannotBeSavedAndTheNextStartSaysWhere() {
        Home home;
        std::string folder;
        {
            Run run(home);
            run.edit();
            const LineList edited = run.january().lines;
            home.block();
            run.window.show();
            // Wired as the process entry wires it, and a real signal.
            platform::TerminationSignals termination;
            connect(&termination, &platform::TerminationSignals::terminationRequested, &run.window,
                    [&] { run.window.sessionEnding().endOnSignal(); });
            QVERIFY(::raise(SIGTERM) == 0);
            QTRY_COMPARE(run.quits, 1);
            QVERIFY(!run.window.isVisible());
            // Nobody was asked or shown anything: the boxes went to the log.
            QCOMPARE(run.ui.shown().size(), std::size_t{0});
            const std::vector<fs::path> folders = home.rescueFolders();
            QCOMPARE(folders.size(), std::size_t{1});
            QCOMPARE(folders[0].filename().string(), std::string("20240115-090000"));
            QCOMPARE(readBytes(folders[0] / "Ca202401.myc"), fileBytes(edited));
            // The period list was not edited, so it is not among the copies.
            QVERIFY(!fs::exists(folders[0] / "CaFromTo.myc"));
            folder = folders[0].string() + "/";
        }
        home.unblock();
        QVERIFY(readBytes(home.data / "Ca202401.myc").find(cp932::encode("出張")) ==
                std::string::npos);

        Run next(home);
        next.window.show();
        QTRY_COMPARE(next.ui.shown().size(), std::size_t{1});
        QCOMPARE(next.ui.shown()[0].text, rescueNoticeText(folder));
        QCOMPARE(next.ui.shown()[0].caption, std::string(kMainInformationCaption));
        QVERIFY(next.window.close());

        Run third(home);
        third.window.show();
        QTest::qWait(50);
        QCOMPARE(third.ui.shown().size(), std::size_t{0});
    }

    void theUserMayQuitAfterAFailedSaveOnlyThroughTheRescue() {
        Home home;
        Run run(home);
        run.edit();
        home.block();
        run.window.show();
        run.ui.answer(false);
        QVERIFY(!run.window.close());
        QVERIFY(run.window.isVisible());
        const ShownBox& offer = run.ui.shown().back();
        QCOMPARE(offer.kind, ShownBox::Kind::Question);
        QCOMPARE(offer.defaultButton, DefaultButton::No);
        QVERIFY(offer.text.starts_with("データを保存できなかったため、終了を取り止めました。"));
        QVERIFY(offer.text.ends_with("退避して終了しますか？"));
        QVERIFY(home.rescueFolders().empty());

        run.ui.answer(true);
        QVERIFY(run.window.close());
        QCOMPARE(home.rescueFolders().size(), std::size_t{1});
        QCOMPARE(readBytes(home.rescueFolders()[0] / "Ca202401.myc"),
                 fileBytes(run.january().lines));
        QCOMPARE(run.quits, 0);
        home.unblock();
    }

    // Nothing edited: closing needs no write at all, so a folder that takes none (and
    // every quirk the writer would have smoothed away) is no obstacle.
    void nothingEditedClosesAndKeepsEveryByte() {
        Home home;
        const std::string january =
            "15,1,,\xED\x40\x87\x90,,,,,,\n\x1A"
            "tail";
        const std::string periods = cp932::encode("***** FromTo予定 [Data\\Files1\\]") + "\n" +
                                    "2024, 1,20,M,2024, 1,21,E,2024, 1,20,1,,b,PC,,,,,\n" +
                                    "2024, 1, 2,M,2024, 1, 3,E,2024, 1, 2,1,,a,PC,,,,,\n";
        home.write("Ca202401.myc", january);
        home.write("CaFromTo.myc", periods);
        Run run(home);
        run.window.show();
        home.block();
        QVERIFY(run.window.close());
        QCOMPARE(run.ui.shown().size(), std::size_t{0});
        home.unblock();
        QCOMPARE(readBytes(home.data / "Ca202401.myc"), january);
        QCOMPARE(readBytes(home.data / "CaFromTo.myc"), periods);
        QVERIFY(home.rescueFolders().empty());
    }
};

QTEST_MAIN(TerminationTest)
#include "termination_test.moc"
