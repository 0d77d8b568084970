#include "app/navigation/date_change.h"

#include <chrono>
#include <exception>
#include <utility>

#include "calendar/julius_day.h"

namespace velmo {

namespace {

constexpr std::chrono::milliseconds kSettlePause{1000};

bool sameMonth(std::int32_t a, std::int32_t b) {
    const Ymd x = juliusDayToYmd(a);
    const Ymd y = juliusDayToYmd(b);
    return x.year == y.year && x.month == y.month;
}

// A throwing step counts as a failed one: the date change must still give the window back.
bool succeeded(const std::function<bool()>& step) {
    try {
        return step();
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

DateChange::DateChange(const Clock& clock, Sleeper& sleeper, UserInterface& ui,
                       DateChangeHooks hooks)
    : clock_(clock), sleeper_(sleeper), ui_(ui), hooks_(std::move(hooks)) {}

void DateChange::tick() {
    // A sleeper that lets events through could bring the next tick in mid-change.
    if (running_)
        return;
    const std::int32_t today = dateTimeToJuliusDay(clock_.today());
    const std::int32_t runToday = hooks_.runToday();
    if (today == runToday || !hooks_.windowVisible())
        return;
    // Rebuilding under an open editor or on the memo page would pull data from under
    // the user; a later tick catches up.
    if (hooks_.editingOrTimeCorrectionRunning() || hooks_.editorWindowOpen() ||
        !hooks_.monthOrYearPageActive())
        return;

    running_ = true;
    Result result = Result::Done;
    try {
        result = change(today, runToday);
    } catch (...) {
        restoreWindow();
        throw;
    }
    restoreWindow();
    if (result == Result::InitialisationFailed)
        hooks_.terminate();
}

DateChange::Result DateChange::change(std::int32_t today, std::int32_t runToday) {
    hooks_.goToCurrentMonth();
    hooks_.showChanging(true);
    hooks_.setWindowEnabled(false);
    hooks_.setToday(today);
    // Compared by month rather than "today is the 1st": after a suspend the first tick
    // may come days after the month ended.
    if (sameMonth(today, runToday)) {
        hooks_.takeRunToday(today);
        hooks_.redrawMonthView();
    } else if (succeeded(hooks_.fullSave)) {
        sleeper_.sleep(kSettlePause);
        hooks_.emptyAll();
        const bool initialised = succeeded(hooks_.initialiseMonths);
        sleeper_.sleep(kSettlePause);
        if (!initialised) {
            ui_.error(kMonthInitialisationFailedText, kMainInformationCaption);
            return Result::InitialisationFailed;
        }
        hooks_.takeRunToday(today);
    }
    // A failed save rebuilds nothing, since emptying the slots would lose the unsaved
    // edits; the window keeps standing for the old day, so the next tick tries again.
    hooks_.refreshYearPage();
    return Result::Done;
}

void DateChange::restoreWindow() {
    running_ = false;
    hooks_.setWindowEnabled(true);
    hooks_.showChanging(false);
}

}  // namespace velmo
