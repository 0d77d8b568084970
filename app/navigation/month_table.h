#pragma once
// The month table of the month page: five months around today (the month window) and
// the free month, with their tab labels and file names, and the decision of where a
// "YYYYMM" goes when the user asks for it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmo {

inline constexpr int kWindowSlots = 5;  // slots 0..4: current month − 1 … + 3
inline constexpr int kFreeSlot = 5;     // slot 5: a month outside the window
inline constexpr int kCurrentMonthSlot = 1;
// How far outside the window a free month may lie (about 300 years).
inline constexpr int kFreeMonthReachDays = 109500;

struct MonthRecord {
    int year = 0;
    int month = 0;
    std::string label;
    std::string fileName;
};

// "１２月" for the window's tabs.
std::string windowTabLabel(int month);
// "2024. 3" for the free month's tab.
std::string freeMonthLabel(int year, int month);
// "%.4d%.2d" after bringing the month into 1..12 by moving the year.
std::string yearMonthText(int year, int month);

class MonthTable {
public:
    // Fills the six records from the month before the current month on.
    void fill(int currentYear, int currentMonth);

    const MonthRecord& record(int slot) const { return records_.at(slot); }
    // Day number of the 1st of slot 0's month, and of the day before slot 5's first month.
    std::int32_t windowStart() const { return windowStart_; }
    std::int32_t windowEnd() const { return windowEnd_; }
    // The window slot 0..4 holding the month, if any.
    std::optional<int> windowSlotOf(int year, int month) const;
    // Puts a month into the free slot 5.
    void setFreeMonth(int year, int month);

private:
    std::array<MonthRecord, 6> records_{};
    std::int32_t windowStart_ = 0;
    std::int32_t windowEnd_ = 0;
};

// Where a show-month request goes. Out-of-reach and malformed requests are decided
// before anything changes, so a refused request leaves the view as it was.
struct ShowMonthTarget {
    enum class Kind { WindowSlot, FreeMonth, TooOld, TooFar };
    Kind kind = Kind::WindowSlot;
    int slot = 0;  // for WindowSlot
    int year = 0;
    int month = 0;
};

// Reads "YYYYMM" as the show-month command does: the first four characters as the year,
// characters 5-6 as the month (0 when not a number; the month is then brought into range).
ShowMonthTarget showMonthTarget(const MonthTable& table, std::string_view yyyymm);

// Messages of a refused show-month request.
inline constexpr const char* kTooOldText = "日付がむかしすぎます。";
inline constexpr const char* kTooFarText = "日付が未来すぎます。";

// The year-month entry box: true when characters 5-6 name a month 1..12.
bool validYearMonthEntry(std::string_view text);
inline constexpr const char* kYearMonthEntryText = "[YYYYMM]形式で、指定してください。";

}  // namespace velmo
