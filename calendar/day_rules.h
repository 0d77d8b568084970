#pragma once
// Holidays and special days: which kinds of day a date is (Sunday, Saturday, holiday,
// substitute holiday, special day) and the names printed in its cell.
//
// The rules come from two text lists of the same grammar (see rule_list.h): the holiday
// rules of Hday.dat and the special days (memorial days, anniversaries) of Sday.myc.
// Two holidays need no rule: the equinox days, by formula (equinox.h), and the Monday
// after a holiday that falls on a Sunday (振替休日). Each can be switched off.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "calendar/rule_list.h"
#include "calendar/rule_record.h"

namespace velmo {

enum DayFlag : unsigned {
    dfSunday = 0x01,
    dfSaturday = 0x02,
    dfHoliday = 0x04,     // a holiday rule or an equinox day
    dfSubstitute = 0x08,  // the built-in Monday substitute holiday
    dfSpecial = 0x10,     // a special-day rule
};
using TDayFlags = unsigned;

inline constexpr const char* kVernalEquinoxName = "春分の日";
inline constexpr const char* kAutumnalEquinoxName = "秋分の日";
inline constexpr const char* kSubstituteHolidayName = "振替休日";

// The names of a date in comma-text form and one letter per name: "S" for a special
// day, "H" for a holiday. The month view colours the names by the letters.
struct DayNameList {
    std::string names;
    std::string kinds;

    bool operator==(const DayNameList&) const = default;
};

class DayRules {
public:
    DayRules() = default;
    virtual ~DayRules() = default;
    DayRules(const DayRules&) = default;
    DayRules& operator=(const DayRules&) = default;

    // The rule files' lines. Setting a list rebuilds its rules and calls the change
    // hook; the result tells whether a line was bad (the caller shows the message).
    const std::vector<std::string>& holidayList() const { return holidayList_; }
    const std::vector<std::string>& specialDayList() const { return specialDayList_; }
    const RuleListBuild& setHolidayList(std::vector<std::string> lines);
    const RuleListBuild& setSpecialDayList(std::vector<std::string> lines);

    // The records in line order, with how the last rebuild went.
    const RuleListBuild& holidayBuild() const { return holidays_.build; }
    const RuleListBuild& specialDayBuild() const { return specialDays_.build; }

    bool autoEquinox() const { return autoEquinox_; }
    bool autoFurikae() const { return autoFurikae_; }
    void setAutoEquinox(bool on);
    void setAutoFurikae(bool on);

    // Called after every change that alters what a date is (the view redraws).
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    // The kinds of day a date is. The substitute rule evaluates the previous day through
    // this same function, so a subclass that overrides it is asked for that day too.
    // Throws EJuliusError for a date the calendar refuses.
    virtual TDayFlags dayFlags(int year, int month, int day) const;

    // Special-day names first, then holiday names, the equinox name and "振替休日".
    DayNameList dayNames(int year, int month, int day) const;

    // Holiday names only (holiday rules, equinox, substitute), for the holiday list.
    std::string holidayNames(int year, int month, int day) const;

    // "春分の日", "秋分の日" or nullptr; does not look at autoEquinox.
    const char* equinoxName(int year, int month, int day) const;

private:
    // The records with, for each month 1..12, the positions of the records that can hold
    // in it (their month or any month), in line order: a date needs only a few checks.
    struct RuleSet {
        RuleListBuild build;
        std::array<std::vector<std::uint32_t>, 13> byMonth;

        void rebuild(const std::vector<std::string>& lines);
        // Calls found(rule) for every rule that holds on the date, in line order.
        template <class Found>
        void forEachMatch(int year, int month, int day, int weekday, Found&& found) const;
    };

    // The month and day of both equinox days of the last year asked for; they depend on
    // the year only, and every day of a month view asks for the same year. Like the rest
    // of the calendar, one object serves one thread.
    struct EquinoxDates {
        int year = 0;
        bool known = false;
        int vernalMonth = 0;
        int vernalDay = 0;
        int autumnalMonth = 0;
        int autumnalDay = 0;
    };
    const EquinoxDates& equinoxDates(int year) const;
    void changed() const;

    std::vector<std::string> holidayList_;
    std::vector<std::string> specialDayList_;
    RuleSet holidays_;
    RuleSet specialDays_;
    bool autoEquinox_ = true;
    bool autoFurikae_ = true;
    std::function<void()> onChange_;
    mutable EquinoxDates equinox_;
};

// The lines the date/time dialog's calendar starts with before it reads Hday.dat.
const std::vector<std::string>& builtInHolidayLines();

}  // namespace velmo
