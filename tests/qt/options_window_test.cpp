// The options dialog as the main window opens it: its menu items and button, what a
// page applies to the window while the dialog is still open, what closing keeps, the
// network form of a first start from a shared folder, and an option that outlives the
// run.

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/main_window.h"
#include "app/month_page.h"
#include "app/network_actions.h"
#include "app/options_actions.h"
#include "app/startup/launch_options.h"
#include "store/cp932.h"
#include "store/options_dialog_sections.h"
#include "tests/support/cp932_file.h"
#include "tests/support/fake_clock.h"
#include "tests/support/named_child.h"
#include "tests/support/office_folders.h"
#include "tests/support/scripted_user_interface.h"

using namespace velmo;
using velmo::testing::FakeClock;
using velmo::testing::Office;
using velmo::testing::RecordingSleeper;
using velmo::testing::ScriptedUserInterface;

namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& text) {
    testing::writeCp932File(path, text);
}

struct Run {
    explicit Run(const Office& office)
        : clock({2024, 1, 15, 9, 0, 0, 0}), window({office.folders(), {}, ui, clock, sleeper}) {}

    NetworkActions& network() { return *window.findChild<NetworkActions*>(); }
    QAction* item(const char* name) { return window.findChild<QAction*>(name); }
    // Opens the dialog through `open` and runs `whileOpen` on it before closing it with
    // the close box.
    void withDialog(const std::function<void()>& open,
                    const std::function<void(TfmOption&)>& whileOpen) {
        bool seen = false;
        auto connection = QObject::connect(&window.options(), &OptionsActions::dialogOpened,
                                           &window, [&](TfmOption* dialog) {
                                               QTimer::singleShot(0, dialog, [&, dialog] {
                                                   seen = true;
                                                   whileOpen(*dialog);
                                                   dialog->close();
                                               });
                                           });
        open();
        QObject::disconnect(connection);
        QVERIFY(seen);
    }
    template <class T>
    static T* control(TfmOption& dialog, const char* name) {
        return velmo::testing::namedChild<T>(dialog, name);
    }

    ScriptedUserInterface ui;
    FakeClock clock;
    RecordingSleeper sleeper;
    TfmC21 window;
};

QString currentPage(TfmOption& dialog) {
    return dialog.pageControl()->currentWidget()->objectName();
}

}  // namespace

class OptionsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void openingAndClosingChangesNoOption() {
        Office office(0);
        Run run(office);
        const TorkaSettings before = run.window.runSettings().settings();
        run.withDialog(
            [&] { run.item("miSetteiHyouji")->trigger(); },
            [](TfmOption& dialog) { QCOMPARE(currentPage(dialog), QString("tsSetAll")); });
        TorkaSettings after = run.window.runSettings().settings();
        // Without a clock companion the correction switch and cbClock are turned off.
        QCOMPARE(after.correction.cbTShuusei, false);
        after.correction = before.correction;
        after.correction.pTTime = run.window.runSettings().settings().correction.pTTime;
        QCOMPARE(after.behaviour, before.behaviour);
        QCOMPARE(after.calendar, before.calendar);
        QCOMPARE(after.colours, before.colours);
        QCOMPARE(after.network, before.network);
        QCOMPARE(after.data, before.data);
        QCOMPARE(after.display.cbMonthBtn, before.display.cbMonthBtn);
        QCOMPARE(after.companions, before.companions);
    }

    void theButtonTheOptionItemAndTheCorrectionItemOpenTheirForms() {
        Office office(0);
        Run run(office);
        run.withDialog(
            [&] { QTest::mouseClick(run.window.monthPage()->button("btnSettei"), Qt::LeftButton); },
            [](TfmOption& dialog) {
                QCOMPARE(currentPage(dialog), QString("tsSetAll"));
                QVERIFY(!dialog.pageControl()->isTabVisible(
                    dialog.pageControl()->indexOf(dialog.page("tsNet2"))));
            });
        run.window.pages()->setCurrentIndex(1);
        run.withDialog([&] { run.item("miOption")->trigger(); }, [](TfmOption&) {});
        // The option item leaves the year page first.
        QCOMPARE(run.window.pages()->currentIndex(), 0);
        run.withDialog(
            [&] { run.window.options().openTimeCorrection(); },
            [](TfmOption& dialog) { QCOMPARE(currentPage(dialog), QString("tsKinou")); });
    }

    void theNetworkPageActsOnTheWindowWhileTheDialogIsOpen() {
        Office office(0);
        Run run(office);
        QTest::mouseClick(run.window.monthPage()->button("btnNetOn"), Qt::LeftButton);
        QVERIFY(run.network().networkOn());
        QCOMPARE(run.network().changeCheckInterval(), 0);
        run.withDialog([&] { run.item("miSetteiHyouji")->trigger(); },
                       [&](TfmOption& dialog) {
                           dialog.pageControl()->setCurrentWidget(dialog.page("tsNet1"));
                           Run::control<QRadioButton>(dialog, "rbNetKoushin2")->click();
                           QCOMPARE(run.network().changeCheckInterval(), 10000);
                           Run::control<QCheckBox>(dialog, "cbNet")->click();
                           QVERIFY(!run.network().networkOn());
                           QVERIFY(!run.window.monthPage()->button("btnNetOn")->isEnabled());
                       });
        QVERIFY(!run.network().networkOn());
        QVERIFY(!run.window.runSettings().settings().network.cbNet);
        QCOMPARE(run.window.runSettings().settings().network.rbNetKoushin, 1);
    }

    void theScheduleChoiceIsWrittenAtOnceWhenTheDialogCloses() {
        Office office(0);
        // The schedule can be chosen only while a clock companion is there.
        const fs::path clock = office.start() / "Velclock.exe";
        writeFile(clock, "#!/bin/sh\n");
        fs::permissions(clock, fs::perms::owner_all);
        Run run(office);
        run.withDialog(
            [&] { run.window.options().openTimeCorrection(); },
            [&](TfmOption& dialog) { Run::control<QRadioButton>(dialog, "rbWeek")->click(); });
        QCOMPARE(run.window.runSettings().settings().correction.pTAccess, 1);
        const JikokuSection written = readJikokuSection(office.start() / "Torka.ini", run.sleeper);
        QVERIFY(!written.rbDay && written.rbWeek && !written.rbShitei);
    }

    void aFirstStartFromASharedFolderShowsTheNetworkPageThenEndsTheRun() {
        QTemporaryDir dir;
        const StartFolders f = velmo::testing::startedFromShare(dir.path().toStdString());
        ScriptedUserInterface ui;
        FakeClock clock({2026, 12, 10, 9, 0, 0, 0});
        RecordingSleeper sleeper;
        TfmC21 window({f, parseLaunchOptions({"/F"}), ui, clock, sleeper});
        QStringList tabs;
        bool sharingChecked = false;
        QObject::connect(
            &window.options(), &OptionsActions::dialogOpened, &window, [&](TfmOption* dialog) {
                QTimer::singleShot(0, dialog, [&, dialog] {
                    QTabWidget* control = dialog->pageControl();
                    for (int i = 0; i < control->count(); ++i) {
                        if (control->isTabVisible(i))
                            tabs << control->tabText(i);
                    }
                    sharingChecked = Run::control<QCheckBox>(*dialog, "cbNet")->isChecked();
                    dialog->close();
                });
            });
        bool ended = false;
        QObject::connect(&window, &TfmC21::closed, &window, [&] { ended = true; });
        window.show();
        QTRY_VERIFY(ended);
        QCOMPARE(tabs, QStringList({" ネット１ "}));
        QVERIFY(sharingChecked);
        QCOMPARE(window.runSettings().settings().network.rbNetKoushin, 2);
        QVERIFY(window.runSettings().settings().network.cbLNetf);
        QVERIFY(ui.texts().back().starts_with("一度終了します。"));
    }

    void anOptionChangedInTheDialogOutlivesTheRun() {
        Office office(0);
        {
            Run run(office);
            QVERIFY(!run.window.runSettings().settings().behaviour.cb24ji);
            run.withDialog([&] { run.item("miSetteiHyouji")->trigger(); },
                           [](TfmOption& dialog) {
                               dialog.pageControl()->setCurrentWidget(dialog.page("tsHyouji"));
                               Run::control<QCheckBox>(dialog, "cb24ji")->click();
                           });
            QVERIFY(run.window.runSettings().settings().behaviour.cb24ji);
            QVERIFY(run.window.close());
        }
        Run again(office);
        QVERIFY(again.window.runSettings().settings().behaviour.cb24ji);
    }
};

QTEST_MAIN(OptionsWindowTest)
#include "options_window_test.moc"
