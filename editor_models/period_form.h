#pragma once
// The period editor's fields without the widgets: filled from a marked range of days or
// from a stored record, checked, and turned into the record the period list stores.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/julius_day.h"
#include "core/user_interface.h"
#include "store/colour_text.h"
#include "store/period_record.h"

namespace velmo {

inline constexpr const char* kInvalidDatePrefix = "不正な日付：";
inline constexpr const char* kNotStoredMessage = "登録いたしません。";
inline constexpr const char* kPeriodReversedMessage =
    "期間の終わりが始まりより前になっています。\r\n日付を確認してください。";

inline constexpr int kMinFormYear = 0;
inline constexpr int kMaxFormYear = 9999;

struct PeriodForm {
    bool isNew = true;  // "追加"; false for "修正"
    Ymd start{};
    DayPart startPart = DayPart::Morning;
    Ymd end{};
    DayPart endPart = DayPart::Evening;
    Ymd summaryDate{};
    std::string summary;  // as shown: "," where the file has "，"
    int thickness = 1;
    Colour colour = 0;
    // The owner of the record being changed, kept for it; empty for a new period.
    std::string owner;

    bool operator==(const PeriodForm&) const = default;
};

// The month view's part-of-day values: 1 morning, 2 daytime, 3 evening. A start value
// other than 2 or 3 is the morning, an end value other than 1 or 2 the evening.
DayPart startPartOfValue(int value);
DayPart endPartOfValue(int value);

// A new period over the marked days s..e (Julius day numbers) with the month view's
// part values. A range marked backwards is turned round, parts included, so the start
// never comes after the end. The summary date is the middle day, (s + e) / 2.
PeriodForm newPeriodForm(std::int32_t s, std::int32_t e, int startPartValue, int endPartValue,
                         int defaultThickness, Colour defaultColour);

// The fields of a stored record. Its colour is the named one when field 12 has more
// than two characters, the standard schedule colour when it has fewer, and the default
// line colour when the name cannot be read. A thickness outside 1..3 shows as 1.
PeriodForm periodFormOf(std::string_view recordLine, Colour standardColour,
                        Colour defaultLineColour);

// "%.4d/%.2d/%.2d", the form dates are checked and compared in.
std::string formDateText(const Ymd& date);

// True for a calendar date of years 1..9999; the missing days of October 1582 are
// not dates.
bool isFormDate(const Ymd& date);

// The text of the first of start, end and summary date that is not a calendar date.
std::optional<std::string> firstInvalidDate(const PeriodForm& form);

// True when the end (date and part of day) comes before the start. Dates must be valid.
bool endsBeforeStart(const PeriodForm& form);

// The write button's rule: a summary date before the start or after the end becomes
// the middle day of the period. Dates must be valid.
void settleSummaryDate(PeriodForm& form);

// Every line break (CR LF, CR, LF and the Unicode line and paragraph separators) becomes
// one space, so the text fits in one field of one line.
std::string oneLineText(std::string_view text);

// The record to store. The summary is made one line; the owner is the form's (the
// period list operations set it for new and changed periods).
PeriodRecord periodRecordOf(const PeriodForm& form);

// The check after the editor closed: each date in turn, and for the first that is not
// a date "不正な日付：" + its text, then "登録いたしません。". True when it may be stored.
bool confirmPeriodDates(const PeriodForm& form, UserInterface& ui);

enum class DateField { Year, Month, Day };

// One step of a date field's up-down buttons. A day or month leaving its range wraps
// round and carries into the next larger field; the day range is 1..31 whatever the
// month. The year stays within 0..9999: a step that would carry beyond changes nothing.
Ymd stepDateField(const Ymd& date, DateField field, int step);

}  // namespace velmo
