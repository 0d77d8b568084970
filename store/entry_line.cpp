#include "store/entry_line.h"

#include <cstdio>
#include <vector>

#include "store/profile_file.h"
#include "store/text_helpers.h"

namespace velmo {
namespace {

constexpr std::string_view kComma = ",";
constexpr std::string_view kFullWidthComma = "，";

enum Field { kDay = 0, kText = 3, kColour = 4, kAux1 = 5, kTime = 6, kAux2 = 7, kAux3 = 8 };

std::string_view fieldOr(const std::vector<std::string>& fields, int index) {
    const auto i = static_cast<std::size_t>(index);
    return i < fields.size() ? std::string_view(fields[i]) : std::string_view();
}

// Reads up to maxDigits decimal digits at pos into value.
bool readNumber(std::string_view text, std::size_t& pos, int maxDigits, int& value) {
    value = 0;
    int digits = 0;
    while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    return digits > 0;
}

// "H:mm", "H:mm:ss" or "H:mm:ss.zzz", spaces around allowed: the forms a time of
// day was written in.
bool isTimeOfDay(std::string_view text) {
    const std::string trimmed = trimSpaces(text);
    const std::string_view t = trimmed;
    std::size_t pos = 0;
    int hour = 0;
    int minute = 0;
    if (!readNumber(t, pos, 2, hour) || pos >= t.size() || t[pos++] != ':' ||
        !readNumber(t, pos, 2, minute)) {
        return false;
    }
    int second = 0;
    if (pos < t.size() && t[pos] == ':') {
        ++pos;
        if (!readNumber(t, pos, 2, second))
            return false;
        int millisecond = 0;
        if (pos < t.size() && t[pos] == '.') {
            ++pos;
            if (!readNumber(t, pos, 3, millisecond))
                return false;
        }
    }
    return pos == t.size() && hour < 24 && minute < 60 && second < 60;
}

// An empty field is zero; anything else must be a number.
std::optional<std::int32_t> carriedNumber(std::string_view field) {
    if (trimSpaces(field).empty())
        return 0;
    return parseDelphiInteger(field);
}

std::optional<Colour> readColour(std::string_view field) {
    if (field.empty() || field == "1")
        return kClWindowText;
    // textToColour only reports failure through its default: a text that gives back
    // both of two different defaults did not convert.
    const Colour first = textToColour(field, 0);
    if (first == 0 && textToColour(field, 1) == 1)
        return std::nullopt;
    return first;
}

std::string numberField(std::int64_t value) {
    return value == 0 ? std::string() : std::to_string(value);
}

}  // namespace

std::optional<int> entryDay(std::string_view line) {
    const std::size_t comma = line.find(',');
    return parseDelphiInteger(line.substr(0, comma));
}

bool isPlaceholderLine(std::string_view line) {
    return entryDay(line) == kPlaceholderDay;
}

std::string entryStoredText(std::string_view line) {
    return std::string(fieldOr(splitFields(line, ','), kText));
}

DayLineAttr entryAttr(std::string_view line) {
    DayLineAttr attr;
    const std::vector<std::string> fields = splitFields(line, ',');
    if (fields.size() <= 5)
        return attr;

    const std::optional<Colour> colour = readColour(fieldOr(fields, kColour));
    if (!colour)
        return attr;
    attr.color = *colour;

    // The first carried value was read leniently: not a number is simply zero.
    // Byte fields keep the low eight bits, as a byte assignment does.
    attr.aux1 = static_cast<std::uint8_t>(carriedNumber(fieldOr(fields, kAux1)).value_or(0));

    const std::string_view time = fieldOr(fields, kTime);
    if (!trimSpaces(time).empty() && !isTimeOfDay(time))
        return attr;
    attr.auxTime = std::string(time);

    const std::optional<std::int32_t> aux2 = carriedNumber(fieldOr(fields, kAux2));
    if (!aux2)
        return attr;
    attr.aux2 = static_cast<std::uint8_t>(*aux2);

    const std::optional<std::int32_t> aux3 = carriedNumber(fieldOr(fields, kAux3));
    if (!aux3)
        return attr;
    attr.aux3 = *aux3;
    return attr;
}

std::string textForEditing(std::string_view stored) {
    return replaceAll(stored, kFullWidthComma, kComma);
}

std::string textForStorage(std::string_view edited) {
    return replaceAll(edited, kComma, kFullWidthComma);
}

std::string formatEntryLine(int day, int position, std::string_view editorText,
                            const DayLineAttr& attr) {
    char head[32];
    std::snprintf(head, sizeof head, "%2d,%d,,", day, position);
    std::string line = head;
    line += textForStorage(editorText);
    line += ',';
    if (attr.color != kClWindowText)
        line += colourToText(attr.color);
    line += ',';
    line += numberField(attr.aux1);
    line += ',';
    line += attr.auxTime;
    line += ',';
    line += numberField(attr.aux2);
    line += ',';
    line += numberField(attr.aux3);
    line += ',';
    return line;
}

}  // namespace velmo
