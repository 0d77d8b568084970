#pragma once
// Memorial days (記念日): special days the user enters for one date through the day
// editor's memorial-day page, or for many at once in the setup window's grid, both
// stored in Sday.myc in the common data folder.
//
// Every line written here reads back as the 7-field form with the values entered:
// years must be integers or empty, and a name is stored so that it stays one field
// (spaces as "　", commas as "，", control characters as "　", a leading double quote
// as "＂"). A bad line would stop the rule list there and every later memorial day
// would vanish from the calendar, so input that cannot be stored that way is refused.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/day_rules.h"
#include "core/clock.h"
#include "core/user_interface.h"

namespace velmo {

inline constexpr const char* kMemorialYearRefusal = "年は空欄にするか整数で入力してください。";

// The first 7-field line for a month and day (fields cut at every comma, month and day
// compared as numbers), with its years (0 when empty or not a number) and stored name.
struct MemorialDayEntry {
    std::optional<std::size_t> lineIndex;
    std::int32_t fromYear = 0;
    std::int32_t toYear = 0;
    std::string name;

    bool operator==(const MemorialDayEntry&) const = default;
};
MemorialDayEntry findMemorialDay(const std::vector<std::string>& specialDays, int month, int day);

// The stored name as the editor shows it: a "，" between two ASCII digits (the first
// "，" only) becomes ",", every "　" a space.
std::string memorialNameForEditing(std::string_view storedName);

// The typed name as it is stored (see above).
std::string memorialNameForStorage(std::string_view typedName);

// True for an empty year box or a whole 32-bit integer (surrounding spaces allowed).
bool isMemorialYearText(std::string_view text);

// Why the input cannot be stored, or an empty text when it can.
std::string memorialInputProblem(std::string_view fromYearText, std::string_view toYearText,
                                 std::string_view name);

// The day editor's memorial-day page as the logic needs it: shown modal with the
// values, it returns what the user left in the boxes.
struct MemorialDayRequest {
    std::string name;
    std::string fromYearText;  // "" for year 0
    std::string toYearText;
    int weekday = 0;           // 1 = Sunday .. 7 = Saturday (red, blue, plain)
    std::string weekdayLabel;  // "（ 日曜日 ）"
    std::string dateLabel;     // "2024年3月5日": the day being edited, beside the weekday
};
struct MemorialDayAnswer {
    bool writeBack = false;  // the user confirmed the page
    std::string name;
    std::string fromYearText;
    std::string toYearText;
};
class MemorialDayDialog {
public:
    virtual ~MemorialDayDialog() = default;
    virtual MemorialDayAnswer run(const MemorialDayRequest& request) = 0;
};

// "（ " + short weekday name + "曜日 ）".
std::string memorialWeekdayLabel(int weekday);

enum class MemorialDayEditOutcome { Unchanged, Saved, Refused, WriteFailed };

// The "記念日編集" command after the view selected the day: finds the day's memorial
// line, runs the dialog and, on a change, replaces the line (or deletes it when the
// name was cleared) and writes Sday.myc (five tries 500 ms apart). Refused input shows
// why and changes nothing; a failed write keeps the change in memory. The caller clears
// the clicked-cell mark and redraws afterwards.
MemorialDayEditOutcome editMemorialDay(DayRules& rules, std::int32_t juliusDay,
                                       MemorialDayDialog& dialog, const std::string& commonFolder,
                                       UserInterface& ui, Sleeper& sleeper);

// The setup window's grid of special days: "年１～", "～年２", "月", "日", "曜日",
// "何週", "記念日等". The weekday shows as "日曜日".."土曜日".
inline constexpr std::size_t kMemorialGridColumns = 7;
using MemorialGridRow = std::array<std::string, kMemorialGridColumns>;
const std::array<const char*, kMemorialGridColumns>& memorialGridTitles();

struct MemorialGrid {
    std::vector<MemorialGridRow> rows;
    // Lines that are neither 7-field lines nor a readable shorter form, in file order.
    std::vector<std::string> unreadLines;
};
// 7-field lines as they are; the 3- to 6-field forms as their 7-field equivalents.
MemorialGrid readMemorialGrid(const std::vector<std::string>& lines);

// The file lines of the grid: rows with a blank name are dropped, the others become
// their seven trimmed cells joined by commas. A cell that cannot be stored gives a
// problem text naming the row (numbered from 1) and no lines.
struct MemorialGridLines {
    std::vector<std::string> lines;
    std::string problem;
};
MemorialGridLines memorialGridLines(const std::vector<MemorialGridRow>& rows);

// Writes the grid to common folder + "Sday.myc" in one try; shows the problem or the
// write failure. True when written.
bool writeMemorialGrid(const std::vector<MemorialGridRow>& rows, const std::string& commonFolder,
                       UserInterface& ui, Sleeper& sleeper);

// After the setup window closes: reads Sday.myc again into the calendar; a bad line
// shows the special-day load message in the main window's information box.
void reloadSpecialDays(DayRules& rules, const std::string& commonFolder, UserInterface& ui,
                       Sleeper& sleeper);

}  // namespace velmo
