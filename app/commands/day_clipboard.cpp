#include "app/commands/day_clipboard.h"

#include "store/colour_text.h"
#include "store/cp932.h"
#include "store/entry_line.h"
#include "store/profile_file.h"
#include "store/text_helpers.h"

namespace velmo {

namespace {

constexpr std::size_t kEntryFields = 9;
constexpr int kLastDay = 31;
constexpr int kLastPosition = 999;

// A clipboard text cut into lines at LF, a CR before it dropped; a final line end adds no
// line. A lone CR stays in its line, where the control check refuses it.
std::vector<std::string> clipboardLines(std::string_view text) {
    std::vector<std::string> lines = splitFields(text, '\n');
    if (lines.back().empty())
        lines.pop_back();
    for (std::string& line : lines)
        if (line.ends_with('\r'))
            line.pop_back();
    return lines;
}

std::optional<int> numberIn(std::string_view field, int first, int last) {
    const std::optional<std::int32_t> value = parseDelphiInteger(field);
    if (!value || *value < first || *value > last)
        return std::nullopt;
    return *value;
}

// Empty, "1" and whatever the colour reader converts; the reader reports a failure only
// through its default, so a text that gives back two different defaults did not convert.
bool isReadableColour(std::string_view field) {
    if (field.empty() || field == "1")
        return true;
    return !(textToColour(field, 0) == 0 && textToColour(field, 1) == 1);
}

// C0 controls but tab, DEL and the C1 controls (U+0080..U+009F, 0xC2 0x80..0x9F in UTF-8).
bool hasControlCharacter(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7F)
            return true;
        if (byte == 0xC2 && i + 1 < line.size()) {
            const auto next = static_cast<unsigned char>(line[i + 1]);
            if (next >= 0x80 && next <= 0x9F)
                return true;
        }
    }
    return false;
}

// The copied line as an entry of `day`, or nothing when it is no entry line.
std::optional<std::string> rebuiltLine(std::string_view line, int day) {
    if (hasControlCharacter(line) || cp932::firstUnencodable(line))
        return std::nullopt;
    const std::vector<std::string> fields = splitFields(line, ',');
    if (fields.size() < kEntryFields || !numberIn(fields[0], 1, kLastDay) ||
        !isReadableColour(fields[4]))
        return std::nullopt;
    const std::optional<int> position = numberIn(fields[1], 0, kLastPosition);
    if (!position)
        return std::nullopt;
    std::string rebuilt =
        (day < 10 ? " " : "") + std::to_string(day) + "," + std::to_string(*position) + ",,";
    for (std::size_t field = 3; field < kEntryFields; ++field)
        rebuilt += fields[field] + ",";
    return rebuilt;
}

}  // namespace

std::optional<std::string> dayCopyText(const MonthSlot& slot, const Ymd& date) {
    if (slot.month != date.month)
        return std::nullopt;
    std::string text = std::string(kDayCopyMarker) + "\r\n";
    bool anyText = false;
    for (const std::string& line : slot.lines) {
        if (entryDay(line) != date.day)
            continue;
        text += line + "\r\n";
        anyText = anyText || !entryStoredText(line).empty();
    }
    if (!anyText)
        return std::nullopt;
    return text;
}

DayPaste readDayPaste(const std::optional<std::string>& clipboardText, int day) {
    DayPaste paste;
    if (!clipboardText) {
        paste.refusal = kPasteNoText;
        return paste;
    }
    const std::vector<std::string> lines = clipboardLines(*clipboardText);
    if (lines.empty()) {
        paste.refusal = kPasteNoData;
        return paste;
    }
    if (lines.front() != kDayCopyMarker) {
        paste.refusal = kPasteForeign;
        return paste;
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::optional<std::string> line = rebuiltLine(lines[i], day);
        if (!line) {
            paste.lines.clear();
            break;
        }
        paste.lines.push_back(std::move(*line));
    }
    if (paste.lines.empty())
        paste.refusal = kPasteBadLines;
    return paste;
}

bool holdsDayCopy(std::string_view clipboardText) {
    const std::vector<std::string> lines = clipboardLines(clipboardText);
    return !lines.empty() && lines.front() == kDayCopyMarker;
}

}  // namespace velmo
