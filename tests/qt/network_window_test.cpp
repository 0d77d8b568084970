// The main window in network mode as a user meets it: NetOn and NetOff, a day another
// computer holds, and another computer's write noticed by the update check.

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "app/main_window.h"
#include "app/month_page.h"
#include "app/month_view_actions.h"
#include "app/network_actions.h"
#include "calendar/julius_day.h"
#include "dialogs/day_editor.h"
#include "shared/update_counter.h"
#include "store/cp932.h"
#include "store/line_file.h"
#include "tests/support/cp932_file.h"
#include "tests/support/fake_clock.h"
#include "tests/support/office_folders.h"
#include "tests/support/scripted_user_interface.h"

using namespace velmo;
using velmo::testing::FakeClock;
using velmo::testing::Office;
using velmo::testing::RecordingSleeper;
using velmo::testing::ScriptedUserInterface;

namespace {

void writeFile(const std::filesystem::path& path, const std::string& text) {
    velmo::testing::writeCp932File(path, text);
}

struct Run {
    explicit Run(const Office& office)
        : clock({2024, 1, 15, 9, 0, 0, 0}), window({office.folders(), {}, ui, clock, sleeper}) {}

    MonthPage& page() { return *window.monthPage(); }
    QPushButton* button(const char* name) { return page().button(name); }
    NetworkActions& network() { return *window.findChild<NetworkActions*>(); }
    bool shared() { return window.runSettings().dataFolders().current().isShared(); }
    // The texts of the shown month's day 15.
    std::vector<std::string> day15() {
        const MonthSlot& slot = page().view()->model().monthSlots()[kCurrentMonthSlot];
        std::vector<std::string> lines;
        for (const std::string& line : slot.lines) {
            if (line.starts_with("15,"))
                lines.push_back(line);
        }
        return lines;
    }

    ScriptedUserInterface ui;
    FakeClock clock;
    RecordingSleeper sleeper;
    TfmC21 window;
};

}  // namespace

class NetworkWindowTest : public QObject {
    Q_OBJECT

private slots:
    void netOnLoadsTheSharedFolderAndADayAnotherComputerHoldsIsRefused() {
        Office office;
        Run run(office);
        QVERIFY(!run.shared());
        QVERIFY(run.button("btnNetOn")->isEnabled());
        QCOMPARE(run.button("btnNetOn")->text(), QString("NetOn"));

        QTest::mouseClick(run.button("btnNetOn"), Qt::LeftButton);
        QVERIFY(run.shared());
        QCOMPARE(run.button("btnNetOn")->text(), QString("NetOff"));
        QVERIFY(!run.button("btnFiles1")->isEnabled());
        QCOMPARE(run.network().netOnItem()->text(), QString("ネットＯｆｆ"));
        QCOMPARE(run.day15(), std::vector<std::string>{"15,1,,共有の会議,,,,,,"});

        writeFile(office.sharedFile("Ca202401.lock"), "PC9\r\n");
        run.window.monthViewActions()->openDayEditor(ymdToJuliusDay(2024, 1, 15));
        QCOMPARE(run.ui.texts().back(), std::string("他のコンピュータ【PC9】がデータをロックしてい"
                                                    "ます。\r\nしばらくしてから、もう一度お願いい"
                                                    "たします。"));
        QVERIFY(!run.window.dayEditor()->isVisible());
        QVERIFY(std::filesystem::exists(office.sharedFile("Ca202401.lock")));

        QTest::mouseClick(run.button("btnNetOn"), Qt::LeftButton);
        QVERIFY(!run.shared());
        QVERIFY(run.button("btnFiles1")->isEnabled());
        QVERIFY(run.day15().empty());  // the local data set has no such line
        // Nothing of the shared folder was written into the local one.
        QVERIFY(!std::filesystem::exists(office.start() / "Ca202401.myc"));
    }

    void aSharedFolderThatWentAwaySwitchesOffAndWritesNothingLocally() {
        Office office;
        writeFile(office.start() / "Ca202401.myc", "3,1,,ローカルの予定,,,,,,\r\n");
        const auto localBytes = [&] {
            std::ifstream in(office.start() / "Ca202401.myc", std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(in), {});
        };
        const std::string before = localBytes();
        Run run(office);
        QTest::mouseClick(run.button("btnNetOn"), Qt::LeftButton);
        QVERIFY(run.shared());

        std::filesystem::rename(office.share(), office.dir.path().toStdString() + "/moved");
        run.network().reloadFromShared();
        QVERIFY(!run.shared());
        QCOMPARE(run.ui.texts().back(),
                 "ネットフォルダ[" + office.share().string() +
                     "Data/Files1/]が確認できません。\r\nローカルフォルダに設定を戻します（ネッ"
                     "トＯｆｆ）。[n030]");
        QCOMPARE(run.button("btnNetOn")->text(), QString("NetOn"));
        // The local month is shown again, and the shared one never reached the local file.
        QVERIFY(run.window.close());
        QCOMPARE(localBytes(), before);
    }

    void anotherComputersWriteIsReadAtTheNextCheckOnce() {
        Office office;
        Run run(office);
        QTest::mouseClick(run.button("btnNetOn"), Qt::LeftButton);
        run.network().checkForUpdates();  // learns the counter as it stands

        writeFile(office.sharedFile("Ca202401.myc"),
                  "15,1,,共有の会議,,,,,,\r\n15,2,,PC2の追加,,,,,,\r\n");
        RecordingSleeper sleeper;
        QVERIFY(bumpUpdateCounter(office.share() / kUpdateCounterName, 1,
                                  std::chrono::milliseconds(0), sleeper)
                    .succeeded());
        run.network().checkForUpdates();
        QCOMPARE(run.day15().size(), std::size_t{2});

        // Without a new counter value the file is not read again.
        writeFile(office.sharedFile("Ca202401.myc"), "15,1,,共有の会議,,,,,,\r\n");
        run.network().checkForUpdates();
        QCOMPARE(run.day15().size(), std::size_t{2});
    }
};

QTEST_MAIN(NetworkWindowTest)
#include "network_window_test.moc"
