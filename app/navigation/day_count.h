#pragma once
// The day-count calculator of the year page: two dates held as year, month and day
// fields, a number of days, how the days are counted and which of the three is the
// result. The widgets mirror this state; every rule lives here.

#include <string>

#include "calendar/julius_day.h"
#include "core/user_interface.h"

namespace velmo {

inline constexpr int kDayCountMinYear = 0;
inline constexpr int kDayCountMaxYear = 9999;
inline constexpr int kDayCountMaxDay = 31;
// Days from 0000-01-01 to 9999-12-31, both ends counted: every span of the two dates
// fits, so a result is never cut short.
inline constexpr int kDayCountMaxDays = 3652427;

inline constexpr const char* kDayCountOutOfRangeMessage =
    "計算結果が0年～9999年の範囲外になります。";
inline constexpr const char* kNotComputedText = "未計算([Return]キーにて計算)";

// Count mode (rgNissuu): 0 counts one end ("日数(片端入)"), 1 both ends ("期間(両端入)").
inline constexpr int kCountOneEnd = 0;
inline constexpr int kCountBothEnds = 1;
// Result mode (rgKekka): which value the computation fills.
inline constexpr int kResultStart = 0;
inline constexpr int kResultEnd = 1;
inline constexpr int kResultDays = 2;

enum class DateField { Year, Month, Day };

// One arrow (step ±1) of a date's up-down: past the field's end it wraps and carries into the
// next larger field; the year wraps between 9999 and 0 on its own.
Ymd steppedDate(Ymd date, DateField field, int step);

// Captions, weights and enabling of the controls for the current modes.
struct DayCountLook {
    std::string startCaption;  // rbSt
    std::string endCaption;    // rbEd
    std::string daysCaption;   // lblDays
    bool startBold = false;
    bool endBold = false;
    bool daysBold = false;
    bool startEnabled = true;  // rbSt and the start date's fields
    bool endEnabled = true;    // rbEd and the end date's fields
    bool daysEnabled = true;   // lblDays and the number of days
};

class DayCount {
public:
    explicit DayCount(UserInterface& ui) : ui_(ui) {}

    Ymd start;
    Ymd end;
    int days = 1;
    int countMode = kCountOneEnd;
    int resultMode = kResultDays;
    bool autoCompute = true;  // cbKeisan
    bool fillsStart = true;   // rbSt checked: a calendar click fills the start date

    // The compute button is highlighted: a change waits for the computation.
    bool pending() const { return pending_; }
    // lblMikeisan is shown: an edit box was typed in since the last computation.
    bool notComputedShown() const { return notComputedShown_; }

    // Fills the result. A date in the 1582 gap, or a result outside years 0..9999, is
    // refused with a message and leaves every field as it was; false then.
    bool compute();

    // An arrow of an up-down or Enter in an edit box: compute, or wait when the
    // automatic computation is off.
    void changed();
    // `steps` arrows of a date's up-down at once (PageUp, the wheel), then as changed().
    void step(bool startDate, DateField field, int steps);
    // A click on a small calendar puts its date into the date rbSt/rbEd names.
    void fillFromCalendar(int year, int month, int day);
    void typed() { notComputedShown_ = true; }

    void setCountMode(int mode);
    void setAutoCompute(bool on);
    // Checks the date the result is not, so a click never overwrites the result.
    void setResultMode(int mode);

    DayCountLook look() const;

private:
    UserInterface& ui_;
    bool pending_ = false;
    bool notComputedShown_ = false;
};

}  // namespace velmo
