#include "editor_models/period_form.h"

#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <utility>

#include "store/text_helpers.h"

namespace velmo {
namespace {

std::tuple<int, int, int> key(const Ymd& date) {
    return {date.year, date.month, date.day};
}

std::int32_t serial(const Ymd& date) {
    return ymdToJuliusDay(date.year, date.month, date.day);
}

}  // namespace

DayPart startPartOfValue(int value) {
    if (value == 2)
        return DayPart::Daytime;
    if (value == 3)
        return DayPart::Evening;
    return DayPart::Morning;
}

DayPart endPartOfValue(int value) {
    if (value == 2)
        return DayPart::Daytime;
    if (value == 1)
        return DayPart::Morning;
    return DayPart::Evening;
}

PeriodForm newPeriodForm(std::int32_t s, std::int32_t e, int startPartValue, int endPartValue,
                         int defaultThickness, Colour defaultColour) {
    PeriodForm form;
    form.isNew = true;
    form.startPart = startPartOfValue(startPartValue);
    form.endPart = endPartOfValue(endPartValue);
    if (s > e) {
        // Marked from the last day back to the first: the end's part starts the period.
        std::swap(s, e);
        form.startPart = startPartOfValue(endPartValue);
        form.endPart = endPartOfValue(startPartValue);
    } else if (s == e && dayPartIndex(form.endPart) < dayPartIndex(form.startPart)) {
        std::swap(form.startPart, form.endPart);
    }
    form.start = juliusDayToYmd(s);
    form.end = juliusDayToYmd(e);
    const std::int64_t middle = (static_cast<std::int64_t>(s) + e) / 2;
    form.summaryDate = juliusDayToYmd(static_cast<std::int32_t>(middle));
    form.thickness = defaultThickness;
    form.colour = defaultColour;
    return form;
}

PeriodForm periodFormOf(std::string_view recordLine, Colour standardColour,
                        Colour defaultLineColour) {
    const PeriodRecord record = parsePeriodRecord(recordLine);
    PeriodForm form;
    form.isNew = false;
    form.start = record.start;
    form.startPart = record.startPart;
    form.end = record.end;
    form.endPart = record.endPart;
    form.summaryDate = record.summaryDate;
    form.summary = periodSummaryForEditing(record.summary);
    form.thickness = record.thickness >= 1 && record.thickness <= 3 ? record.thickness : 1;
    if (record.usesStandardColour()) {
        form.colour = standardColour;
    } else {
        form.colour = record.colour().value_or(defaultLineColour);
    }
    form.owner = record.owner;
    return form;
}

std::string formDateText(const Ymd& date) {
    char text[48];
    std::snprintf(text, sizeof text, "%.4d/%.2d/%.2d", date.year, date.month, date.day);
    return text;
}

bool isFormDate(const Ymd& date) {
    if (date.year < 1 || date.year > kMaxFormYear)
        return false;
    try {
        return isValidYmd(date.year, date.month, date.day);
    } catch (const EJuliusError&) {
        return false;  // a day October 1582 skipped
    }
}

std::optional<std::string> firstInvalidDate(const PeriodForm& form) {
    for (const Ymd* date : {&form.start, &form.end, &form.summaryDate}) {
        if (!isFormDate(*date))
            return formDateText(*date);
    }
    return std::nullopt;
}

bool endsBeforeStart(const PeriodForm& form) {
    if (key(form.end) != key(form.start))
        return key(form.end) < key(form.start);
    return dayPartIndex(form.endPart) < dayPartIndex(form.startPart);
}

void settleSummaryDate(PeriodForm& form) {
    if (key(form.summaryDate) < key(form.start) || key(form.summaryDate) > key(form.end)) {
        const std::int64_t middle =
            (static_cast<std::int64_t>(serial(form.start)) + serial(form.end)) / 2;
        form.summaryDate = juliusDayToYmd(static_cast<std::int32_t>(middle));
    }
}

std::string oneLineText(std::string_view text) {
    std::string out = replaceAll(text, "\r\n", " ");
    for (std::string_view lineBreak : {"\r", "\n", "\u2028", "\u2029"})
        out = replaceAll(out, lineBreak, " ");
    return out;
}

PeriodRecord periodRecordOf(const PeriodForm& form) {
    PeriodRecord record;
    record.start = form.start;
    record.startPart = form.startPart;
    record.end = form.end;
    record.endPart = form.endPart;
    record.summaryDate = form.summaryDate;
    record.thickness = form.thickness;
    record.setColour(form.colour);
    record.summary = oneLineText(form.summary);
    record.owner = form.owner;
    return record;
}

bool confirmPeriodDates(const PeriodForm& form, UserInterface& ui) {
    if (const std::optional<std::string> bad = firstInvalidDate(form)) {
        ui.error(kInvalidDatePrefix + *bad, kMainInformationCaption);
        informMain(ui, kNotStoredMessage);
        return false;
    }
    return true;
}

namespace {

Ymd stepOnce(const Ymd& date, DateField field, int step) {
    Ymd next = date;
    int carry = 0;
    if (field == DateField::Day) {
        next.day += step;
        if (next.day > 31) {
            next.day = 1;
            carry = 1;
        } else if (next.day < 1) {
            next.day = 31;
            carry = -1;
        }
        if (carry == 0)
            return next;
        step = carry;
        carry = 0;
        field = DateField::Month;
    }
    if (field == DateField::Month) {
        next.month += step;
        if (next.month > 12) {
            next.month = 1;
            carry = 1;
        } else if (next.month < 1) {
            next.month = 12;
            carry = -1;
        }
        if (carry == 0)
            return next;
        step = carry;
    }
    next.year += step;
    if (next.year < kMinFormYear || next.year > kMaxFormYear)
        return date;
    return next;
}

}  // namespace

Ymd stepDateField(const Ymd& date, DateField field, int step) {
    Ymd next = date;
    for (int i = 0; i < std::abs(step); ++i)
        next = stepOnce(next, field, step > 0 ? 1 : -1);
    return next;
}

}  // namespace velmo
