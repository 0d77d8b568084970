#include "calendar/day_rules.h"

#include "calendar/comma_text.h"
#include "calendar/equinox.h"
#include "calendar/julius_day.h"

namespace velmo {

namespace {

constexpr int kMonday = 2;

}  // namespace

void DayRules::RuleSet::rebuild(const std::vector<std::string>& lines) {
    build = buildRuleList(lines);
    for (std::vector<std::uint32_t>& positions : byMonth)
        positions.clear();
    for (std::uint32_t i = 0; i < build.rules.size(); ++i) {
        const int month = build.rules[i].month;
        for (int m = 1; m <= 12; ++m) {
            if (month == 0 || month == m)
                byMonth[m].push_back(i);
        }
    }
}

template <class Found>
void DayRules::RuleSet::forEachMatch(int year, int month, int day, int weekday,
                                     Found&& found) const {
    if (month < 1 || month > 12) {
        for (const TBinaryDayListItem& rule : build.rules) {
            if (rule.matches(year, month, day, weekday))
                found(rule);
        }
        return;
    }
    for (std::uint32_t i : byMonth[month]) {
        const TBinaryDayListItem& rule = build.rules[i];
        if (rule.matches(year, month, day, weekday))
            found(rule);
    }
}

const RuleListBuild& DayRules::setHolidayList(std::vector<std::string> lines) {
    holidayList_ = std::move(lines);
    holidays_.rebuild(holidayList_);
    changed();
    return holidays_.build;
}

const RuleListBuild& DayRules::setSpecialDayList(std::vector<std::string> lines) {
    specialDayList_ = std::move(lines);
    specialDays_.rebuild(specialDayList_);
    changed();
    return specialDays_.build;
}

void DayRules::setAutoEquinox(bool on) {
    autoEquinox_ = on;
    changed();
}

void DayRules::setAutoFurikae(bool on) {
    autoFurikae_ = on;
    changed();
}

void DayRules::changed() const {
    if (onChange_)
        onChange_();
}

const DayRules::EquinoxDates& DayRules::equinoxDates(int year) const {
    if (!equinox_.known || equinox_.year != year) {
        const Ymd vernal = juliusDayToYmd(vernalEquinoxDay(year));
        const Ymd autumnal = juliusDayToYmd(autumnalEquinoxDay(year));
        equinox_ = {year, true, vernal.month, vernal.day, autumnal.month, autumnal.day};
    }
    return equinox_;
}

const char* DayRules::equinoxName(int year, int month, int day) const {
    const EquinoxDates& dates = equinoxDates(year);
    if (month == dates.vernalMonth && day == dates.vernalDay)
        return kVernalEquinoxName;
    if (month == dates.autumnalMonth && day == dates.autumnalDay)
        return kAutumnalEquinoxName;
    return nullptr;
}

TDayFlags DayRules::dayFlags(int year, int month, int day) const {
    const std::int32_t juliusDay = ymdToJuliusDay(year, month, day);
    const int weekday = weekdayOf(juliusDay);
    TDayFlags flags = 0;
    specialDays_.forEachMatch(year, month, day, weekday,
                              [&](const TBinaryDayListItem&) { flags |= dfSpecial; });
    holidays_.forEachMatch(year, month, day, weekday,
                           [&](const TBinaryDayListItem&) { flags |= dfHoliday; });
    if (weekday == kSunday)
        flags |= dfSunday;
    else if (weekday == kSaturday)
        flags |= dfSaturday;
    if (autoEquinox_ && equinoxName(year, month, day))
        flags |= dfHoliday;
    if (autoFurikae_ && weekday == kMonday && !(flags & dfHoliday)) {
        const Ymd previous = juliusDayToYmd(juliusDay - 1);
        if (dayFlags(previous.year, previous.month, previous.day) & dfHoliday)
            flags |= dfSubstitute;
    }
    return flags;
}

DayNameList DayRules::dayNames(int year, int month, int day) const {
    const int weekday = weekdayOf(ymdToJuliusDay(year, month, day));
    DayNameList list;
    auto add = [&](std::string_view name, char kind) {
        if (!list.kinds.empty())
            list.names += ',';
        list.names += quoteCommaTextItem(name);
        list.kinds += kind;
    };
    specialDays_.forEachMatch(year, month, day, weekday,
                              [&](const TBinaryDayListItem& rule) { add(rule.name, 'S'); });
    holidays_.forEachMatch(year, month, day, weekday,
                           [&](const TBinaryDayListItem& rule) { add(rule.name, 'H'); });
    if (autoEquinox_) {
        if (const char* name = equinoxName(year, month, day))
            add(name, 'H');
    }
    if (autoFurikae_ && (dayFlags(year, month, day) & dfSubstitute))
        add(kSubstituteHolidayName, 'H');
    // One empty name still has to read back as one name.
    if (list.kinds.size() == 1 && list.names.empty())
        list.names = "\"\"";
    return list;
}

std::string DayRules::holidayNames(int year, int month, int day) const {
    const int weekday = weekdayOf(ymdToJuliusDay(year, month, day));
    std::vector<std::string> names;
    holidays_.forEachMatch(year, month, day, weekday,
                           [&](const TBinaryDayListItem& rule) { names.push_back(rule.name); });
    if (autoEquinox_) {
        if (const char* name = equinoxName(year, month, day))
            names.push_back(name);
    }
    if (autoFurikae_ && (dayFlags(year, month, day) & dfSubstitute))
        names.push_back(kSubstituteHolidayName);
    return joinCommaText(names);
}

const std::vector<std::string>& builtInHolidayLines() {
    static const std::vector<std::string> lines{
        "1948,,1,1,,,元旦",          "1948,1999,1,15,,,成人の日",   "2000,,1,,2,2,成人の日",
        "1966,,2,11,,,建国記念の日", "1948,1988,4,29,,,天皇誕生日", "1989,,4,29,,,みどりの日",
        "1948,,5,3,,,憲法記念日",    "1985,,5,4,,,国民の休日",      "1948,,5,5,,,こどもの日",
        "1996,2002,7,20,,,海の日",   "2003,,7,,2,3,海の日",         "1966,2002,9,15,,,敬老の日",
        "2003,,9,,2,3,敬老の日",     "1966,1999,10,10,,,体育の日",  "2000,,10,,2,2,体育の日",
        "1948,,11,3,,,文化の日",     "1948,,11,23,,,勤労感謝の日",  "1989,,12,23,,,天皇誕生日",
    };
    return lines;
}

}  // namespace velmo
