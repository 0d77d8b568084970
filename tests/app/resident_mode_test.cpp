#include "app/navigation/resident_mode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/fake_clock.h"

namespace velmo {
namespace {

using Log = std::vector<std::string>;

class ResidentModeTest : public ::testing::Test {
protected:
    ResidentHooks hooks() {
        ResidentHooks h;
        h.closeButton = closeButton;
        const auto step = [this](const char* name) {
            return [this, name] { log.push_back(name); };
        };
        h.enableGoMenu = step("go menu");
        h.closeProgram = step("close");
        h.hideWindow = [this] {
            visible = false;
            log.push_back("hide");
        };
        h.minimiseWindow = step("minimise");
        h.trayAvailable = [this] { return trayAvailable; };
        h.reportTrayError = [this](const std::string& text) { reported.push_back(text); };
        h.clearMonthViewMarks = step("marks");
        h.closeTextWindows = step("text windows");
        h.saveBeforeLeaving = step("save");
        h.showTrayIcon = [this] {
            log.push_back("tray");
            if (trayFailures-- > 0)
                throw TrayError(kTrayShowError);
        };
        h.automaticBackup = step("backup");
        h.editorLaunching = [this] { return launching; };
        h.endEditorLaunch = step("end launch");
        h.windowVisible = [this] { return visible; };
        h.showWindow = [this] {
            visible = true;
            log.push_back("show");
        };
        h.bringToFront = step("front");
        h.memoPageActive = [this] { return memoPage; };
        h.showMonthPage = step("month page");
        h.functionTick = step("tick");
        h.selectDataSet1 = step("data set 1");
        h.networkMode = [this] { return network; };
        h.checkSharedChanges = step("shared check");
        return h;
    }

    ResidentMode mode() { return ResidentMode(hooks(), sleeper); }

    bool closeButton = false;
    bool visible = true;
    bool launching = false;
    bool memoPage = false;
    bool network = false;
    int trayFailures = 0;
    bool trayAvailable = true;
    Log reported;
    testing::RecordingSleeper sleeper;
    Log log;
};

TEST_F(ResidentModeTest, TheTrayIconIsShownBeforeTheWindowHidesThenEverythingIsSaved) {
    mode().goResident(ResidentRequest::Command);
    EXPECT_EQ(log, (Log{"go menu", "tray", "hide", "marks", "text windows", "save", "backup"}));
}

TEST_F(ResidentModeTest, TheCloseButtonSettingEndsTheProgramOnlyFromItsOwnCommands) {
    closeButton = true;
    mode().goResident(ResidentRequest::Command);
    EXPECT_EQ(log, (Log{"go menu", "close"}));
    // The file menu's item, the /J countdown and Ctrl+F12 still go resident.
    for (ResidentRequest request : {ResidentRequest::FileMenu, ResidentRequest::Automatic}) {
        log.clear();
        visible = true;
        mode().goResident(request);
        EXPECT_EQ(log.back(), "backup");
        EXPECT_FALSE(visible);
    }
}

TEST_F(ResidentModeTest, WithoutATrayTheWindowIsMinimisedAndStillSaved) {
    trayAvailable = false;
    mode().goResident(ResidentRequest::Command);
    EXPECT_EQ(log, (Log{"go menu", "minimise", "marks", "text windows", "save", "backup"}));
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(sleeper.total(), std::chrono::milliseconds(0));
}

TEST_F(ResidentModeTest, RestoringCatchesUpTheDayAndReturnsToDataSet1) {
    visible = false;
    memoPage = true;
    network = true;
    mode().restore();
    EXPECT_EQ(log, (Log{"show", "month page", "tick", "front", "data set 1", "shared check"}));
}

TEST_F(ResidentModeTest, AVisibleWindowOnlyComesToTheFrontAndALaunchingEditorIsStopped) {
    mode().restore();
    EXPECT_EQ(log, (Log{"front"}));
    log.clear();
    launching = true;
    visible = false;
    mode().restore();
    EXPECT_EQ(log, (Log{"end launch"}));
}

TEST_F(ResidentModeTest, CtrlF12HidesAnActiveWindowAndBringsBackAnyOther) {
    ResidentMode m = mode();
    m.toggle(true);
    EXPECT_FALSE(visible);
    m.toggle(false);
    EXPECT_TRUE(visible);
    log.clear();
    // Visible but behind another program's window: it comes forward.
    m.toggle(false);
    EXPECT_EQ(log, (Log{"front"}));
}

TEST_F(ResidentModeTest, TrayErrorsAreRetriedFiveTimesHalfASecondApart) {
    trayFailures = 4;
    mode().goResident(ResidentRequest::Command);
    EXPECT_EQ(std::count(log.begin(), log.end(), "tray"), 5);
    EXPECT_EQ(log.back(), "backup");
    EXPECT_FALSE(visible);
    EXPECT_EQ(sleeper.total(), 4 * kTrayRetryPause);
    EXPECT_TRUE(reported.empty());
}

TEST_F(ResidentModeTest, ATrayThatKeepsRefusingIsReportedAndTheWindowIsMinimisedNotHidden) {
    trayFailures = 5;
    mode().goResident(ResidentRequest::Command);
    EXPECT_EQ(std::count(log.begin(), log.end(), "tray"), 5);
    EXPECT_EQ(reported, (Log{kTrayShowError}));
    EXPECT_TRUE(visible);
    EXPECT_EQ(std::count(log.begin(), log.end(), "minimise"), 1);
    // What was typed is saved all the same.
    EXPECT_EQ(log.back(), "backup");
    EXPECT_EQ(sleeper.total(), 4 * kTrayRetryPause);
}

TEST(TrayRetries, OtherErrorsPassAtOnce) {
    testing::RecordingSleeper sleeper;
    int calls = 0;
    EXPECT_THROW(withTrayRetries(
                     [&] {
                         ++calls;
                         throw std::logic_error("x");
                     },
                     sleeper),
                 std::logic_error);
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace velmo
