#include "app/navigation/date_change.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "calendar/julius_day.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"

namespace velmo {
namespace {

using namespace std::chrono_literals;
using Log = std::vector<std::string>;

std::string day(int year, int month, int d) {
    return std::to_string(ymdToJuliusDay(year, month, d));
}

class DateChangeTest : public ::testing::Test {
protected:
    DateChangeTest() { build(hooks()); }

    // Fakes that log every step the window would take.
    DateChangeHooks hooks() {
        DateChangeHooks h;
        h.windowVisible = [this] { return visible; };
        h.editorWindowOpen = [this] { return editorOpen; };
        h.monthOrYearPageActive = [this] { return monthOrYearPage; };
        h.editingOrTimeCorrectionRunning = [this] { return editing; };
        h.runToday = [this] { return runToday; };
        h.takeRunToday = [this](std::int32_t d) {
            runToday = d;
            log.push_back("takeRunToday " + std::to_string(d));
        };
        h.goToCurrentMonth = [this] { log.push_back("goToCurrentMonth"); };
        h.showChanging = [this](bool on) { log.push_back(on ? "changing" : "changed"); };
        h.setWindowEnabled = [this](bool on) { log.push_back(on ? "enable" : "disable"); };
        h.setToday = [this](std::int32_t d) { log.push_back("setToday " + std::to_string(d)); };
        h.redrawMonthView = [this] { log.push_back("redraw"); };
        h.fullSave = [this] {
            log.push_back(std::string("fullSave") + (change->running() ? " running" : ""));
            return saveWorks;
        };
        h.emptyAll = [this] { log.push_back("emptyAll after " + pauses()); };
        h.initialiseMonths = [this] {
            log.push_back("initialise after " + pauses());
            if (initialiseWorks)
                runToday = dateTimeToJuliusDay(clock.today());
            return initialiseWorks;
        };
        h.refreshYearPage = [this] { log.push_back("refreshYearPage"); };
        h.terminate = [this] {
            log.push_back(std::string("terminate") + (change->running() ? " running" : ""));
        };
        return h;
    }
    void build(DateChangeHooks h) { change.emplace(clock, sleeper, ui, std::move(h)); }
    bool logged(const std::string& entry) const {
        return std::find(log.begin(), log.end(), entry) != log.end();
    }

    std::string pauses() const { return std::to_string(sleeper.pauses().size()) + " pauses"; }

    void startOn(int year, int month, int d) {
        runToday = ymdToJuliusDay(year, month, d);
        clock.set({year, month, d, 23, 59, 50, 0});
    }
    void moveTo(int year, int month, int d) { clock.set({year, month, d, 0, 0, 5, 0}); }

    testing::FakeClock clock;
    testing::RecordingSleeper sleeper;
    testing::ScriptedUserInterface ui;
    std::int32_t runToday = 0;
    bool visible = true;
    bool editorOpen = false;
    bool monthOrYearPage = true;
    bool editing = false;
    bool saveWorks = true;
    bool initialiseWorks = true;
    Log log;
    std::optional<DateChange> change;
};

TEST_F(DateChangeTest, MidnightBeforeTheFirstSavesEmptiesAndRebuildsInOrder) {
    startOn(2024, 9, 30);
    change->tick();
    EXPECT_TRUE(log.empty());

    moveTo(2024, 10, 1);
    change->tick();
    const std::string today = day(2024, 10, 1);
    EXPECT_EQ(log, (Log{"goToCurrentMonth", "changing", "disable", "setToday " + today,
                        "fullSave running", "emptyAll after 1 pauses", "initialise after 1 pauses",
                        "takeRunToday " + today, "refreshYearPage", "enable", "changed"}));
    EXPECT_EQ(sleeper.pauses(), (std::vector<std::chrono::milliseconds>{1000ms, 1000ms}));
    EXPECT_FALSE(change->running());
    EXPECT_TRUE(ui.shown().empty());

    // The new day is taken: later ticks of the same day do nothing.
    log.clear();
    clock.set({2024, 10, 1, 12, 0, 0, 0});
    change->tick();
    EXPECT_TRUE(log.empty());
}

TEST_F(DateChangeTest, MidnightInsideTheMonthOnlyMovesToday) {
    startOn(2024, 9, 10);
    moveTo(2024, 9, 11);
    change->tick();
    const std::string today = day(2024, 9, 11);
    EXPECT_EQ(log,
              (Log{"goToCurrentMonth", "changing", "disable", "setToday " + today,
                   "takeRunToday " + today, "redraw", "refreshYearPage", "enable", "changed"}));
    EXPECT_TRUE(sleeper.pauses().empty());
}

TEST_F(DateChangeTest, ALateTickAfterTheMonthEndedStillRebuilds) {
    struct Case {
        Ymd from, to;
    };
    // Days after a suspend, and a whole year later in the same calendar month.
    for (const Case& c : {Case{{2024, 9, 30}, {2024, 10, 3}}, Case{{2024, 12, 28}, {2025, 1, 2}},
                          Case{{2024, 1, 15}, {2025, 1, 15}}}) {
        log.clear();
        startOn(c.from.year, c.from.month, c.from.day);
        moveTo(c.to.year, c.to.month, c.to.day);
        change->tick();
        EXPECT_TRUE(logged("fullSave running")) << c.to.year << "-" << c.to.month;
        EXPECT_EQ(runToday, ymdToJuliusDay(c.to.year, c.to.month, c.to.day));
    }
}

TEST_F(DateChangeTest, AFailedSaveKeepsTheWindowAndTheNextTickRetries) {
    startOn(2024, 9, 30);
    moveTo(2024, 10, 1);
    saveWorks = false;
    change->tick();
    const std::string today = day(2024, 10, 1);
    EXPECT_EQ(log, (Log{"goToCurrentMonth", "changing", "disable", "setToday " + today,
                        "fullSave running", "refreshYearPage", "enable", "changed"}));
    EXPECT_EQ(runToday, ymdToJuliusDay(2024, 9, 30));
    EXPECT_TRUE(sleeper.pauses().empty());

    log.clear();
    change->tick();
    EXPECT_EQ(log.at(4), "fullSave running");
    EXPECT_EQ(log.size(), 8u);

    log.clear();
    saveWorks = true;
    change->tick();
    EXPECT_EQ(log.at(5), "emptyAll after 1 pauses");
    EXPECT_EQ(runToday, ymdToJuliusDay(2024, 10, 1));

    // A save that throws counts as failed and still gives the window back.
    log.clear();
    startOn(2024, 10, 31);
    moveTo(2024, 11, 1);
    DateChangeHooks throwing = hooks();
    throwing.fullSave = []() -> bool { throw std::runtime_error("disk full"); };
    build(std::move(throwing));
    change->tick();
    EXPECT_EQ(log, (Log{"goToCurrentMonth", "changing", "disable", "setToday " + day(2024, 11, 1),
                        "refreshYearPage", "enable", "changed"}));
    EXPECT_EQ(runToday, ymdToJuliusDay(2024, 10, 31));
    EXPECT_FALSE(change->running());
}

TEST_F(DateChangeTest, WaitsWhileAnEditorOrAnotherPageOrEditingIsInTheWay) {
    startOn(2024, 9, 30);
    moveTo(2024, 10, 1);
    editorOpen = true;
    change->tick();
    editorOpen = false;
    monthOrYearPage = false;  // the memo page
    change->tick();
    monthOrYearPage = true;
    editing = true;
    change->tick();
    editing = false;
    visible = false;
    change->tick();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(runToday, ymdToJuliusDay(2024, 9, 30));

    visible = true;
    change->tick();
    EXPECT_EQ(runToday, ymdToJuliusDay(2024, 10, 1));
}

TEST_F(DateChangeTest, AFailedInitialisationTellsTheUserAndTerminatesLast) {
    startOn(2024, 9, 30);
    moveTo(2024, 10, 1);
    initialiseWorks = false;
    change->tick();
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].kind, testing::ShownBox::Kind::Error);
    EXPECT_EQ(ui.shown()[0].text,
              "月の初期設定に失敗しました。\r\n一旦、終了させますので\r\nもう一度、立ち上げ直してく"
              "ださい。");
    // The close query must not see a running change when terminate closes the window.
    EXPECT_EQ(Log(log.end() - 4, log.end()),
              (Log{"initialise after 1 pauses", "enable", "changed", "terminate"}));
    EXPECT_EQ(sleeper.pauses().size(), 2u);
}

TEST_F(DateChangeTest, AHookThatThrowsStillGivesTheWindowBack) {
    startOn(2024, 9, 10);
    moveTo(2024, 9, 11);
    DateChangeHooks throwing = hooks();
    throwing.redrawMonthView = [] { throw std::runtime_error("paint"); };
    build(std::move(throwing));
    EXPECT_THROW(change->tick(), std::runtime_error);
    EXPECT_EQ(Log(log.end() - 2, log.end()), (Log{"enable", "changed"}));
    EXPECT_FALSE(change->running());
}

}  // namespace
}  // namespace velmo
