#include "editor_models/day_editor_lines.h"

#include <algorithm>

#include "store/cp932.h"
#include "store/profile_file.h"
#include "store/text_helpers.h"

namespace velmo {
namespace {

enum Field { kColour = 4, kAux1 = 5, kTime = 6, kAux2 = 7, kAux3 = 8 };

bool isBlank(std::string_view field) {
    return trimSpaces(field).empty();
}

bool colourConverts(std::string_view field) {
    if (field.empty() || field == "1")
        return true;
    return !(textToColour(field, 0) == 0 && textToColour(field, 1) == 1);
}

bool numberConverts(std::string_view field, long long low, long long high) {
    if (isBlank(field))
        return true;
    const std::optional<std::int32_t> value = parseDelphiInteger(field);
    return value && *value >= low && *value <= high;
}

// The first of fields 4..8 that does not read as the value it would be written back
// as; 0 when all of them do.
int firstUnconverted(const std::vector<std::string>& fields, const DayLineAttr& attr) {
    const auto at = [&](int i) {
        return static_cast<std::size_t>(i) < fields.size() ? std::string_view(fields[i])
                                                           : std::string_view();
    };
    if (!colourConverts(at(kColour)))
        return kColour;
    if (!numberConverts(at(kAux1), 0, 255))
        return kAux1;
    // A time that reads is carried as its text; one that does not is left empty.
    if (!isBlank(at(kTime)) && attr.auxTime.empty())
        return kTime;
    if (!numberConverts(at(kAux2), 0, 255))
        return kAux2;
    if (!numberConverts(at(kAux3), INT32_MIN, INT32_MAX))
        return kAux3;
    return 0;
}

}  // namespace

DayLineRecord dayLineRecord(std::string_view entryLine) {
    DayLineRecord record;
    record.attr = entryAttr(entryLine);
    const std::vector<std::string> fields = splitFields(entryLine, ',');
    // Lines of five fields or fewer carry nothing.
    if (fields.size() <= 5)
        return record;
    const int from = firstUnconverted(fields, record.attr);
    if (from == 0)
        return record;
    record.keptFrom = from;
    for (int i = from; i <= kAux3; ++i) {
        record.keptFields.push_back(static_cast<std::size_t>(i) < fields.size() ? fields[i]
                                                                                : std::string());
    }
    return record;
}

std::string formatDayEditorLine(int day, int position, std::string_view editorText,
                                const DayLineRecord& record) {
    std::string line = formatEntryLine(day, position, editorText, record.attr);
    if (record.keptFrom < kColour || record.keptFrom > kAux3)
        return line;
    // The text's commas are stored full-width, so the formatted line splits cleanly.
    std::vector<std::string> fields = splitFields(line, ',');
    for (std::size_t i = 0; i < record.keptFields.size(); ++i) {
        const auto field = static_cast<std::size_t>(record.keptFrom) + i;
        if (field <= kAux3 && field < fields.size())
            fields[field] = record.keptFields[i];
    }
    std::string joined;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            joined += ',';
        joined += fields[i];
    }
    return joined;
}

DayEditorLines readDayEditorLines(const MonthSlot& slot, int day) {
    const DayLines plain = readDayLines(slot, day);
    DayEditorLines result;
    result.texts = plain.texts;
    for (const DayLineAttr& attr : plain.attrs)
        result.records.push_back({attr, 0, {}});
    if (day == kMonthMemoDay)
        return result;
    std::size_t index = 0;
    for (const std::string& line : slot.lines) {
        if (entryDay(line) != day)
            continue;
        if (index < result.records.size())
            result.records[index] = dayLineRecord(line);
        ++index;
    }
    return result;
}

WriteBackResult writeBackDayEditorLines(MonthSlot& slot, int slotNumber, int year, int month,
                                        int day, const std::vector<std::string>& texts,
                                        std::vector<DayLineRecord> records, bool monthMemoOn,
                                        const SharedFolderHooks& shared) {
    records.resize(texts.size());
    std::vector<DayLineAttr> attrs;
    attrs.reserve(records.size());
    for (const DayLineRecord& record : records)
        attrs.push_back(record.attr);
    const WriteBackResult result =
        writeBackDay(slot, slotNumber, year, month, day, texts, attrs, monthMemoOn, shared);
    // writeBackDay appends the day's lines at the end, numbered from 1.
    const std::size_t first = slot.lines.size() - texts.size();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (records[i].keptFrom != 0) {
            slot.lines[first + i] =
                formatDayEditorLine(day, static_cast<int>(i) + 1, texts[i], records[i]);
        }
    }
    return result;
}

std::optional<std::string> unencodableLinesMessage(const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (const std::optional<char32_t> c = cp932::firstUnencodable(texts[i])) {
            return "保存できない文字があります： " + cp932::describe(*c) + "\r\n（" +
                   std::to_string(i + 1) + "行目）\r\n別の文字に置き換えてください。";
        }
    }
    return std::nullopt;
}

}  // namespace velmo
