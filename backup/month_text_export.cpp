#include "backup/month_text_export.h"

#include <cstdio>
#include <optional>

#include "backup/export_entry_format.h"
#include "calendar/japanese_date_text.h"
#include "store/entry_line.h"
#include "store/text_helpers.h"

namespace velmo {
namespace {

constexpr Colour kHolidayRed = 0x0000FF;
constexpr Colour kMemorialGreen = 32768;
constexpr Colour kSaturdayBlue = 16711680;
constexpr int kColourField = 4;

std::string dotDate(const ExportDay& d) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4d. %.2d. %.2d", d.year, d.month, d.day);
    return text;
}

std::string slashDate(const ExportDay& d) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4d/%.2d/%.2d", d.year, d.month, d.day);
    return text;
}

std::string withPlainCommas(std::string_view text) {
    return replaceAll(text, "，", ",");
}

std::string csvQuoted(std::string_view text) {
    return "\"" + replaceAll(text, "\"", "\"\"") + "\"";
}

std::optional<std::string_view> htmlColourField(const std::vector<std::string>& fields) {
    if (fields.size() <= 5)
        return std::nullopt;
    const std::string& colour = fields[kColourField];
    if (colour.empty() || colour == "1")
        return std::nullopt;
    return colour;
}

std::string htmlDatePart(const ExportDay& d) {
    std::string date = dotDate(d) + exportWeekdayText(d.weekday);
    if (!d.holidayName.empty() || d.weekday == 1)
        return htmlFontElement(date, kHolidayRed);
    if (d.weekday == 7)
        return htmlFontElement(date, kSaturdayBlue);
    return date;
}

std::string htmlTitle(int year, int month) {
    char text[64];
    std::snprintf(text, sizeof text, "%4d年%2d月カレンダー", year, month);
    return text;
}

}  // namespace

std::string exportWeekdayText(int weekday) {
    return "(" + youbiShortName(weekday) + ")";
}

std::string exportDayEntries(const LineList& monthLines, int day, bool html) {
    std::string joined;
    bool first = true;
    for (const std::string& line : monthLines) {
        if (entryDay(line) != day)
            continue;
        const std::vector<std::string> fields = splitFields(line, ',');
        const std::string text = entryStoredText(line);
        const std::string entry = html ? formatExportEntry(text, htmlColourField(fields), true)
                                       : formatExportEntry(text, std::nullopt, false);
        if (!html && !first)
            joined += ", ";
        joined += entry;
        first = false;
    }
    return joined;
}

std::string exportDayNames(const ExportDay& day, bool html) {
    if (!day.hasNames)
        return {};
    auto piece = [&](const std::string& name, Colour colour) {
        return html ? htmlFontElement(escapeHtml(name), colour) : name;
    };
    std::string names;
    if (!day.holidayName.empty())
        names = piece(day.holidayName, kHolidayRed);
    if (!day.specialNames.empty()) {
        if (!names.empty())
            names += " ";
        names += piece(day.specialNames, kMemorialGreen);
    }
    return names.empty() ? names : "[" + names + "]";
}

std::vector<std::string> monthTextExportLines(ExportFormat format, int year, int month,
                                              const std::vector<ExportDay>& days,
                                              const LineList& monthLines) {
    const bool html = format == ExportFormat::Html;
    std::vector<std::string> lines;
    if (html) {
        lines = {"<HTML>",
                 "<HEAD>",
                 "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">",
                 "<TITLE>" + htmlTitle(year, month) + "</TITLE>",
                 "</HEAD>",
                 "<BODY>",
                 "<DIV>"};
    }
    for (const ExportDay& d : days) {
        const std::string entries = withPlainCommas(exportDayEntries(monthLines, d.day, html));
        const std::string names = withPlainCommas(exportDayNames(d, html));
        const std::string weekday = exportWeekdayText(d.weekday);
        std::string line;
        switch (format) {
            case ExportFormat::Csv:
                line = slashDate(d);
                line += ",";
                line += csvQuoted(weekday);
                line += ",";
                line += csvQuoted(names + entries);
                break;
            case ExportFormat::Html:
                line = htmlDatePart(d);
                line += "　";
                line += names;
                line += entries;
                line += "<BR>";
                break;
            default:
                line = dotDate(d);
                line += weekday;
                line += "  ";
                line += names;
                line += entries;
                break;
        }
        lines.push_back(std::move(line));
    }
    if (html) {
        lines.insert(lines.end(), {"</DIV>", "</BODY>", "</HTML>"});
    }
    return lines;
}

}  // namespace velmo
