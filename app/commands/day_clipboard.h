#pragma once
// Copying one day's entries through the clipboard: the text a day copy puts there, what
// a paste makes of a clipboard text, and when leaving the program may empty the
// clipboard again. The clipboard itself belongs to the window side.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/julius_day.h"
#include "store/month_file.h"

namespace velmo {

// The first line of every day copy.
inline constexpr std::string_view kDayCopyMarker = "--- Torka&Velmo [DayCopy] ---";

// The refusals of a paste, shown as they are.
inline constexpr std::string_view kPasteNoText = "クリップボードに、テキストデータがありません。";
inline constexpr std::string_view kPasteNoData = "クリップボードに、データがありません。";
inline constexpr std::string_view kPasteForeign =
    "クリップボードのデータは、貼り付けに適するデータではありません。\r\n"
    "この貼付は中止いたします。";
inline constexpr std::string_view kPasteBadLines =
    "クリップボードのデータ変換エラー。\r\nこの貼付は中止いたします。";

// The clipboard text of a copy of `date` from the slot: the marker and the day's lines
// as stored, each ended by CR LF. Nothing when the slot holds another month or none of
// the day's lines has a text, since such a copy would paste nothing worth having.
std::optional<std::string> dayCopyText(const MonthSlot& slot, const Ymd& date);

// What a paste makes of the clipboard: the lines to append, or why nothing is pasted.
struct DayPaste {
    std::vector<std::string> lines;
    std::string refusal;  // empty when the lines are to be pasted

    bool refused() const { return !refusal.empty(); }
};

// Reads a clipboard text (nothing: the clipboard holds no text) as a day copy and
// rebuilds its lines for `day`. Every line after the marker must be an entry line
// another program could not have smuggled in: nine fields or more, a day 1..31, a
// position 0..999, a colour this program reads, no control character but tab and only
// characters CP932 holds. One bad line refuses the whole paste.
DayPaste readDayPaste(const std::optional<std::string>& clipboardText, int day);

// True while the clipboard text is still a day copy (its first line is the marker), so
// emptying the clipboard can never wipe what the user copied elsewhere since.
bool holdsDayCopy(std::string_view clipboardText);

}  // namespace velmo
