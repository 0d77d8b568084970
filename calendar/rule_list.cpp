#include "calendar/rule_list.h"

#include <charconv>

#include "calendar/comma_text.h"

namespace velmo {

namespace {

// Why a line did not become a record.
enum class LineFault { None, NotANumber, OutOfRange };

// Reads the numeric fields of one line; the first fault found is kept.
class FieldReader {
public:
    explicit FieldReader(const std::vector<std::string>& fields) : fields_(fields) {}

    // A field that must hold a number.
    std::int32_t number(std::size_t index) {
        const auto value = parseRuleNumber(fields_[index]);
        if (!value) {
            fail(LineFault::NotANumber);
            return 0;
        }
        return *value;
    }
    // An empty field gives the fallback.
    std::int32_t optionalNumber(std::size_t index, std::int32_t fallback) {
        return fields_[index].empty() ? fallback : number(index);
    }
    std::uint8_t byte(std::int32_t value) {
        if (value < 0 || value > 255) {
            fail(LineFault::OutOfRange);
            return 0;
        }
        return static_cast<std::uint8_t>(value);
    }
    LineFault fault() const { return fault_; }

private:
    void fail(LineFault fault) {
        // A non-number outranks a range fault: it is what stops the whole list.
        if (fault_ == LineFault::None || fault == LineFault::NotANumber)
            fault_ = fault;
    }

    const std::vector<std::string>& fields_;
    LineFault fault_ = LineFault::None;
};

void applyYearMode(FieldReader& reader, const std::string& mode, TBinaryDayListItem& rule) {
    if (mode == "0") {
        rule.fromYear = rule.toYear = reader.number(0);
    } else if (mode == "1") {
        rule.toYear = reader.number(0);
    } else if (mode == "2") {
        rule.fromYear = reader.number(0);
    }
}

}  // namespace

std::optional<std::int32_t> parseRuleNumber(std::string_view text) {
    // from_chars takes a minus sign but no plus sign.
    const bool plus = text.starts_with('+');
    if (plus)
        text.remove_prefix(1);
    if (plus && text.starts_with('-'))
        return std::nullopt;
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || rest != end)
        return std::nullopt;
    return value;
}

RuleListBuild buildRuleList(const std::vector<std::string>& lines) {
    RuleListBuild build;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::vector<std::string> fields = splitCommaText(lines[index]);
        if (fields.size() < 3 || fields.size() > 7)
            continue;
        FieldReader reader(fields);
        TBinaryDayListItem rule;
        switch (fields.size()) {
            case 3:
                rule.month = reader.byte(reader.number(0));
                rule.day = reader.byte(reader.number(1));
                break;
            case 4:
                rule.month = reader.byte(reader.number(0));
                rule.week = reader.byte(reader.number(1));
                rule.weekday = reader.byte(reader.number(2));
                break;
            case 5:
                applyYearMode(reader, fields[1], rule);
                rule.month = reader.byte(reader.number(2));
                rule.day = reader.byte(reader.number(3));
                break;
            case 6:
                applyYearMode(reader, fields[1], rule);
                rule.month = reader.byte(reader.number(2));
                rule.week = reader.byte(reader.number(3));
                rule.weekday = reader.byte(reader.number(4));
                break;
            default:
                rule.fromYear = reader.optionalNumber(0, kUnsetYear);
                rule.toYear = reader.optionalNumber(1, kUnsetYear);
                rule.month = reader.byte(reader.optionalNumber(2, 0));
                rule.day = reader.byte(reader.optionalNumber(3, 0));
                rule.weekday = reader.byte(reader.optionalNumber(4, 0));
                rule.week = reader.byte(reader.optionalNumber(5, 0));
                break;
        }
        if (reader.fault() == LineFault::NotANumber) {
            build.stoppedAt = index;
            break;
        }
        if (reader.fault() == LineFault::OutOfRange) {
            build.refusedLines.push_back(index);
            continue;
        }
        rule.name = fields.back();
        build.rules.push_back(std::move(rule));
    }
    return build;
}

}  // namespace velmo
