#include "store/period_record.h"

#include <cstdio>
#include <vector>

#include "store/cp932.h"
#include "store/entry_line.h"
#include "store/profile_file.h"
#include "store/text_helpers.h"

namespace velmo {
namespace {

constexpr std::string_view kFullWidthComma = "，";

// Field i of a split line; empty past the end.
std::string_view field(const std::vector<std::string>& fields, std::size_t i) {
    return i < fields.size() ? std::string_view(fields[i]) : std::string_view();
}

int numberOr(std::string_view text, int fallback) {
    return parseDelphiInteger(text).value_or(fallback);
}

Ymd dateAt(const std::vector<std::string>& fields, std::size_t first) {
    return {numberOr(field(fields, first), 0), numberOr(field(fields, first + 1), 0),
            numberOr(field(fields, first + 2), 0)};
}

std::string dateFields(const Ymd& date) {
    char text[48];
    std::snprintf(text, sizeof text, "%4d,%2d,%2d", date.year, date.month, date.day);
    return text;
}

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string_view dayPartCode(DayPart part) {
    switch (part) {
        case DayPart::Morning:
            return "M";
        case DayPart::Daytime:
            return "A";
        case DayPart::Evening:
            return "E";
    }
    return "M";
}

DayPart startPartFromCode(std::string_view code) {
    if (code == "A")
        return DayPart::Daytime;
    if (code == "E")
        return DayPart::Evening;
    return DayPart::Morning;
}

DayPart endPartFromCode(std::string_view code) {
    if (code == "M")
        return DayPart::Morning;
    if (code == "A")
        return DayPart::Daytime;
    return DayPart::Evening;
}

void PeriodRecord::setColour(Colour value) {
    colourText = colourToText(value);
}

bool PeriodRecord::usesStandardColour() const {
    return cp932::byteLength(colourText) <= 2;
}

std::optional<Colour> PeriodRecord::colour() const {
    if (usesStandardColour())
        return std::nullopt;
    // Two different fallbacks tell "no colour named" apart from any real colour.
    const Colour first = textToColour(colourText, 0u);
    if (first == 0u && textToColour(colourText, 1u) == 1u)
        return std::nullopt;
    return first;
}

int PeriodRecord::drawnThickness() const {
    return thickness >= 1 && thickness <= 3 ? thickness : 1;
}

PeriodRecord parsePeriodRecord(std::string_view line) {
    const std::vector<std::string> fields = splitFields(line, ',');
    PeriodRecord record;
    record.start = dateAt(fields, 0);
    record.startPart = startPartFromCode(field(fields, 3));
    record.end = dateAt(fields, 4);
    record.endPart = endPartFromCode(field(fields, 7));
    record.summaryDate = dateAt(fields, 8);
    record.thickness = numberOr(field(fields, 11), 1);
    record.colourText = field(fields, 12);
    record.summary = field(fields, 13);
    record.owner = periodOwner(line);
    return record;
}

std::string formatPeriodRecord(const PeriodRecord& record) {
    std::string line = dateFields(record.start);
    line += ',';
    line += dayPartCode(record.startPart);
    line += ',';
    line += dateFields(record.end);
    line += ',';
    line += dayPartCode(record.endPart);
    line += ',';
    line += dateFields(record.summaryDate);
    line += ',';
    line += std::to_string(record.thickness);
    line += ',';
    line += textForStorage(record.colourText);
    line += ',';
    line += textForStorage(record.summary);
    line += ',';
    line += textForStorage(record.owner);
    // Fields 15 to 19 are reserved: five more separators, each before an empty field.
    line += ",,,,,";
    return line;
}

std::string periodOwner(std::string_view line) {
    const std::vector<std::string> fields = splitFields(line, ',');
    return fields.size() > 15 ? fields[14] : std::string();
}

std::string periodSummaryForEditing(std::string_view stored) {
    bool betweenDigits = false;
    for (std::size_t at = stored.find(kFullWidthComma); at != std::string_view::npos;
         at = stored.find(kFullWidthComma, at + kFullWidthComma.size())) {
        const std::size_t after = at + kFullWidthComma.size();
        if (at > 0 && isAsciiDigit(stored[at - 1]) && after < stored.size() &&
            isAsciiDigit(stored[after])) {
            betweenDigits = true;
            break;
        }
    }
    std::string text(stored);
    if (betweenDigits)
        text.replace(text.find(kFullWidthComma), kFullWidthComma.size(), ",");
    return text;
}

int dayPartIndex(DayPart part) {
    switch (part) {
        case DayPart::Morning:
            return 0;
        case DayPart::Daytime:
            return 1;
        case DayPart::Evening:
            return 2;
    }
    return 0;
}

DayPart dayPartOfIndex(int index) {
    switch (index) {
        case 1:
            return DayPart::Daytime;
        case 2:
            return DayPart::Evening;
        default:
            return DayPart::Morning;
    }
}

}  // namespace velmo
