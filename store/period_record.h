#pragma once
// One period schedule as a line of the period file: 20 comma-separated fields, so the
// line ends with a comma.
//
//   "2024, 9,10,M,2024, 9,13,E,2024, 9,11,2,clBlue,出張，大阪,PC-01,,,,,"
//
//   0-2   start year, month, day (widths 4, 2, 2, right-aligned with spaces)
//   3     start part of day: M morning, A daytime, E evening
//   4-7   end date and end part
//   8-10  the day whose cell carries the summary text
//   11    line thickness 1..3
//   12    line colour as colour text; two characters or fewer mean the standard
//         schedule colour, and exactly "D" a record the month view does not draw
//   13    summary text, every "," stored as "，"
//   14    owner: the computer that created the period
//   15-19 reserved, empty

#include <optional>
#include <string>
#include <string_view>

#include "calendar/julius_day.h"
#include "store/colour_text.h"

namespace velmo {

enum class DayPart { Morning, Daytime, Evening };

// "M", "A" or "E".
std::string_view dayPartCode(DayPart part);
// A start part reads as morning unless it is "A" or "E"; an end part reads as evening
// unless it is "M" or "A". Only the exact upper-case codes count.
// Morning 0, daytime 1, evening 2: the order of the parts within a day.
int dayPartIndex(DayPart part);
// The reverse; anything but 1 and 2 is morning.
DayPart dayPartOfIndex(int index);

DayPart startPartFromCode(std::string_view code);
DayPart endPartFromCode(std::string_view code);

inline constexpr int kPeriodFieldCount = 20;
// Field 12 of a record the month view does not draw.
inline constexpr std::string_view kHiddenPeriodColour = "D";

struct PeriodRecord {
    Ymd start{};
    DayPart startPart = DayPart::Morning;
    Ymd end{};
    DayPart endPart = DayPart::Evening;
    Ymd summaryDate{};
    int thickness = 1;
    // Field 12 exactly as stored; set a colour through setColour.
    std::string colourText{};
    // Field 13 as stored. Formatting turns any "," into "，", so an editor text may be
    // assigned directly; periodSummaryForEditing gives the editor's text back.
    std::string summary{};
    std::string owner{};

    // Stores the colour's text, which always reads back to the same colour and is never
    // short enough to be taken for the standard colour or for "D".
    void setColour(Colour colour);
    // Two characters (CP932 bytes) or fewer: drawn in the month view's standard colour.
    bool usesStandardColour() const;
    // Exactly "D": kept in the file, never drawn.
    bool hidden() const { return colourText == kHiddenPeriodColour; }
    // The record's own colour; nothing for the standard colour and for a text that
    // names no colour (the editor then offers the default line colour).
    std::optional<Colour> colour() const;
    // The thickness a bar is drawn with: 1 unless the stored value is 1..3.
    int drawnThickness() const;

    bool operator==(const PeriodRecord&) const = default;
};

// Reads a record with the file's reading rules: numbers that are not numbers are 0
// (thickness 1), missing fields are empty, and the owner counts only on a line of more
// than 15 fields. Any line gives a record.
PeriodRecord parsePeriodRecord(std::string_view line);

// The record as a line of exactly 20 fields. Commas in the summary and the owner are
// stored as "，" so they can never split a field.
std::string formatPeriodRecord(const PeriodRecord& record);

// The owner (field 14) of a stored line: empty when the line has 15 fields or fewer.
std::string periodOwner(std::string_view line);

// The summary as the editor shows it: when a "，" stands between two ASCII digits
// anywhere in the text, the first "，" of the text becomes "," again (a stored
// "1，000円" reads "1,000円"); otherwise the text is unchanged.
std::string periodSummaryForEditing(std::string_view stored);

}  // namespace velmo
