#include "store/memorial_day_edit.h"

#include <string>

#include "calendar/comma_text.h"
#include "calendar/japanese_date_text.h"
#include "calendar/julius_day.h"
#include "calendar/rule_list.h"
#include "store/cp932.h"
#include "store/file_helpers.h"
#include "store/line_file.h"
#include "store/rule_file.h"
#include "store/text_helpers.h"

namespace velmo {

namespace {

constexpr std::string_view kWideComma = "，";
constexpr std::string_view kWideSpace = "　";
constexpr std::string_view kWideQuote = "＂";
constexpr Retry kEditorWriteRetry{5, std::chrono::milliseconds(500)};
constexpr Retry kGridWriteRetry{1, std::chrono::milliseconds(0)};

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<std::int32_t> trimmedNumber(std::string_view text) {
    return parseRuleNumber(trimSpaces(text));
}

std::string yearBoxText(std::int32_t year) {
    return year == 0 ? std::string() : std::to_string(year);
}

// A name that is blank once full-width spaces count as spaces.
bool isBlankName(std::string_view name) {
    return trimSpaces(replaceAll(name, kWideSpace, " ")).empty();
}

std::string unstorableNameProblem(std::string_view storedName, const std::string& where) {
    const std::optional<char32_t> c = cp932::firstUnencodable(storedName);
    if (!c)
        return {};
    return where + "に保存できない文字 " + cp932::describe(*c) + " があります。";
}

std::string specialDayFilePath(const std::string& commonFolder) {
    return commonFolder + kSpecialDayFileName;
}

bool writeSpecialDayFile(const std::vector<std::string>& lines, const std::string& commonFolder,
                         Retry retry, UserInterface& ui, Sleeper& sleeper) {
    const std::string path = specialDayFilePath(commonFolder);
    if (writeLinesRetrying(resolveCaseInsensitive(path), lines, retry, sleeper) ==
        WriteOutcome::Written)
        return true;
    informMain(ui, "[ " + path + " ]の書込に失敗しました。");
    return false;
}

// A weekday cell as the grid shows it.
std::string weekdayCell(std::string_view field) {
    const std::optional<std::int32_t> number = trimmedNumber(field);
    if (number && *number >= 1 && *number <= 7)
        return youbiLongName(*number);
    return std::string(field);
}

std::string numberCell(int value) {
    return value == 0 ? std::string() : std::to_string(value);
}

MemorialGridRow rowOfRule(const TBinaryDayListItem& rule) {
    auto yearCell = [](std::int32_t year) {
        return year == kUnsetYear ? std::string() : std::to_string(year);
    };
    return {yearCell(rule.fromYear),
            yearCell(rule.toYear),
            numberCell(rule.month),
            numberCell(rule.day),
            rule.weekday == 0 ? std::string() : weekdayCell(std::to_string(rule.weekday)),
            numberCell(rule.week),
            rule.name};
}

// An empty cell, or a number the check accepts.
template <class Accept>
bool numberCellFits(const std::string& cell, Accept accept) {
    if (cell.empty())
        return true;
    const std::optional<std::int32_t> number = parseRuleNumber(cell);
    return number && accept(*number);
}

}  // namespace

MemorialDayEntry findMemorialDay(const std::vector<std::string>& specialDays, int month, int day) {
    for (std::size_t index = 0; index < specialDays.size(); ++index) {
        const std::vector<std::string> fields = splitFields(specialDays[index], ',');
        if (fields.size() != 7)
            continue;
        if (trimmedNumber(fields[2]) != month || trimmedNumber(fields[3]) != day)
            continue;
        return {index, trimmedNumber(fields[0]).value_or(0), trimmedNumber(fields[1]).value_or(0),
                fields[6]};
    }
    return {};
}

std::string memorialNameForEditing(std::string_view storedName) {
    std::string name(storedName);
    const std::size_t comma = storedName.find(kWideComma);
    const std::size_t after = comma + kWideComma.size();
    if (comma != std::string_view::npos && comma > 0 && isAsciiDigit(storedName[comma - 1]) &&
        after < storedName.size() && isAsciiDigit(storedName[after])) {
        name =
            std::string(storedName.substr(0, comma)) + "," + std::string(storedName.substr(after));
    }
    return replaceAll(name, kWideSpace, " ");
}

std::string memorialNameForStorage(std::string_view typedName) {
    std::string stored;
    stored.reserve(typedName.size());
    for (char c : typedName) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ',')
            stored += kWideComma;
        else if (byte <= 0x20 || byte == 0x7F)
            stored += kWideSpace;
        else
            stored += c;
    }
    // A field that starts with a quote would be read as a quoted text.
    if (stored.starts_with('"'))
        return std::string(kWideQuote) + stored.substr(1);
    return stored;
}

bool isMemorialYearText(std::string_view text) {
    const std::string trimmed = trimSpaces(text);
    if (trimmed.empty())
        return true;
    const std::optional<std::int32_t> year = parseRuleNumber(trimmed);
    return year && *year != kUnsetYear;
}

std::string memorialInputProblem(std::string_view fromYearText, std::string_view toYearText,
                                 std::string_view name) {
    if (!isMemorialYearText(fromYearText) || !isMemorialYearText(toYearText))
        return kMemorialYearRefusal;
    return unstorableNameProblem(memorialNameForStorage(name), "記念日名");
}

std::string memorialWeekdayLabel(int weekday) {
    return "（ " + youbiShortName(weekday) + "曜日 ）";
}

MemorialDayEditOutcome editMemorialDay(DayRules& rules, std::int32_t juliusDay,
                                       MemorialDayDialog& dialog, const std::string& commonFolder,
                                       UserInterface& ui, Sleeper& sleeper) {
    const Ymd date = juliusDayToYmd(juliusDay);
    const MemorialDayEntry entry = findMemorialDay(rules.specialDayList(), date.month, date.day);
    MemorialDayRequest request;
    request.name = memorialNameForEditing(entry.name);
    request.fromYearText = yearBoxText(entry.fromYear);
    request.toYearText = yearBoxText(entry.toYear);
    request.weekday = weekdayOf(juliusDay);
    request.weekdayLabel = memorialWeekdayLabel(request.weekday);
    request.dateLabel = std::to_string(date.year) + "年" + std::to_string(date.month) + "月" +
                        std::to_string(date.day) + "日";

    const MemorialDayAnswer answer = dialog.run(request);
    const bool changed = answer.writeBack || answer.fromYearText != request.fromYearText ||
                         answer.toYearText != request.toYearText;
    if (!changed)
        return MemorialDayEditOutcome::Unchanged;
    const bool keep = !isBlankName(answer.name);
    if (keep) {
        const std::string problem =
            memorialInputProblem(answer.fromYearText, answer.toYearText, answer.name);
        if (!problem.empty()) {
            informMain(ui, problem);
            return MemorialDayEditOutcome::Refused;
        }
    }
    std::vector<std::string> lines = rules.specialDayList();
    if (entry.lineIndex)
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*entry.lineIndex));
    if (keep) {
        lines.push_back(trimSpaces(answer.fromYearText) + "," + trimSpaces(answer.toYearText) +
                        "," + std::to_string(date.month) + "," + std::to_string(date.day) + ",,," +
                        memorialNameForStorage(answer.name));
    }
    rules.setSpecialDayList(std::move(lines));
    if (!writeSpecialDayFile(rules.specialDayList(), commonFolder, kEditorWriteRetry, ui, sleeper))
        return MemorialDayEditOutcome::WriteFailed;
    return MemorialDayEditOutcome::Saved;
}

const std::array<const char*, kMemorialGridColumns>& memorialGridTitles() {
    static const std::array<const char*, kMemorialGridColumns> titles{
        "年１～", "～年２", "月", "日", "曜日", "何週", "記念日等"};
    return titles;
}

MemorialGrid readMemorialGrid(const std::vector<std::string>& lines) {
    MemorialGrid grid;
    for (const std::string& line : lines) {
        std::vector<std::string> fields = splitCommaText(line);
        if (fields.empty())
            continue;
        if (fields.size() == kMemorialGridColumns) {
            MemorialGridRow row;
            for (std::size_t column = 0; column < kMemorialGridColumns; ++column)
                row[column] = std::move(fields[column]);
            row[4] = weekdayCell(row[4]);
            grid.rows.push_back(std::move(row));
            continue;
        }
        const RuleListBuild build = buildRuleList({line});
        if (build.clean() && build.rules.size() == 1)
            grid.rows.push_back(rowOfRule(build.rules.front()));
        else
            grid.unreadLines.push_back(line);
    }
    return grid;
}

MemorialGridLines memorialGridLines(const std::vector<MemorialGridRow>& rows) {
    MemorialGridLines result;
    const auto& titles = memorialGridTitles();
    for (std::size_t index = 0; index < rows.size(); ++index) {
        MemorialGridRow cells;
        for (std::size_t column = 0; column < kMemorialGridColumns; ++column)
            cells[column] = trimSpaces(rows[index][column]);
        if (isBlankName(cells[6]))
            continue;
        const std::string rowText = std::to_string(index + 1) + "行目の";
        auto refuse = [&](std::size_t column) {
            return MemorialGridLines{{},
                                     rowText + "「" + titles[column] + "」が正しくありません。"};
        };
        for (std::size_t column : {0, 1}) {
            if (!isMemorialYearText(cells[column]))
                return refuse(column);
        }
        if (!numberCellFits(cells[2], [](int n) { return n >= 0 && n <= 12; }))
            return refuse(2);
        if (!numberCellFits(cells[3], [](int n) { return (n >= 0 && n <= 31) || n == 33; }))
            return refuse(3);
        const std::string weekdayNumber = youbiNumberText(cells[4]);
        if (!weekdayNumber.empty())
            cells[4] = weekdayNumber;
        else if (!numberCellFits(cells[4], [](int n) { return n >= 0 && n <= 7; }))
            return refuse(4);
        if (!numberCellFits(cells[5], [](int n) { return n >= 0 && n <= 5; }))
            return refuse(5);
        cells[6] = memorialNameForStorage(cells[6]);
        const std::string problem = unstorableNameProblem(cells[6], rowText + "「記念日等」");
        if (!problem.empty())
            return {{}, problem};
        std::string line = cells[0];
        for (std::size_t column = 1; column < kMemorialGridColumns; ++column)
            line += "," + cells[column];
        result.lines.push_back(std::move(line));
    }
    return result;
}

bool writeMemorialGrid(const std::vector<MemorialGridRow>& rows, const std::string& commonFolder,
                       UserInterface& ui, Sleeper& sleeper) {
    const MemorialGridLines grid = memorialGridLines(rows);
    if (!grid.problem.empty()) {
        informMain(ui, grid.problem);
        return false;
    }
    return writeSpecialDayFile(grid.lines, commonFolder, kGridWriteRetry, ui, sleeper);
}

void reloadSpecialDays(DayRules& rules, const std::string& commonFolder, UserInterface& ui,
                       Sleeper& sleeper) {
    std::vector<std::string> lines;
    readRuleFile(lines, specialDayFilePath(commonFolder), ui, sleeper);
    if (!rules.setSpecialDayList(std::move(lines)).clean())
        informMain(ui, kSpecialDayLoadMessage);
}

}  // namespace velmo
