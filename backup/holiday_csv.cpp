#include "backup/holiday_csv.h"

#include <cstdio>
#include <filesystem>

#include "calendar/julius_day.h"
#include "calendar/rule_list.h"
#include "store/file_helpers.h"
#include "store/line_file.h"
#include "store/text_helpers.h"

namespace velmo {

namespace {

constexpr const char* kApplicationTitle = "ベルモ - Velmo -";

}  // namespace

HolidayCsvYear checkHolidayCsvYear(std::string_view yearText) {
    const std::optional<std::int32_t> year = parseRuleNumber(trimSpaces(yearText));
    if (!year)
        return {std::nullopt, kHolidayCsvYearNotANumber};
    if (*year < kHolidayCsvFirstYear || *year > kHolidayCsvLastYear)
        return {std::nullopt, kHolidayCsvYearOutOfRange};
    return {*year, {}};
}

std::vector<std::string> holidayCsvLines(const DayRules& rules, int year) {
    std::vector<std::string> lines;
    for (int month = 1; month <= 12; ++month) {
        const int days = daysOfMonth(year, month);
        for (int day = 1; day <= days; ++day) {
            const std::string names = rules.holidayNames(year, month, day);
            if (names.empty())
                continue;
            char date[32];
            std::snprintf(date, sizeof date, "%d/%02d/%02d,", year, month, day);
            lines.push_back(date + names);
        }
    }
    return lines;
}

std::string holidayCsvPath(const std::string& startFolder, int year) {
    return startFolder + "Data/Dekita/holiday" + std::to_string(year) + ".csv";
}

bool writeHolidayCsv(std::string_view yearText, const DayRules& rules,
                     const std::string& startFolder, UserInterface& ui, Sleeper& sleeper) {
    const HolidayCsvYear checked = checkHolidayCsvYear(yearText);
    if (!checked.year) {
        informMain(ui, checked.refusal);
        return false;
    }
    const std::vector<std::string> lines = holidayCsvLines(rules, *checked.year);
    const std::string path = holidayCsvPath(startFolder, *checked.year);
    const bool saved =
        createFolderChain(startFolder + "Data/Dekita") &&
        writeLinesRetrying(resolveCaseInsensitive(path), lines, {1, std::chrono::milliseconds(0)},
                           sleeper) == WriteOutcome::Written;
    if (!saved) {
        // What the default error handler would show: the file name, titled like the program.
        ui.error("ファイル " + path + " を作成できません。", kApplicationTitle);
        return false;
    }
    informMain(ui, "祝日ファイル[" + path + "]を作成しました");
    return true;
}

}  // namespace velmo
