#pragma once
// The lines of a month exported as plain text, CSV or HTML: one line per day of the
// month, with its weekday, its holiday and memorial-day names and its schedule entries.

#include <string>
#include <string_view>
#include <vector>

#include "backup/export_day.h"
#include "store/export_settings.h"
#include "store/line_file.h"

namespace velmo {

// "(日)".."(土)" for weekday 1..7.
std::string exportWeekdayText(int weekday);

// The day's entries of a month file in file order, formatted and joined: for HTML by
// plain concatenation with each entry's colour (field 4, when the entry has more than five
// fields and the field is neither empty nor "1"), else with ", " and no colour.
std::string exportDayEntries(const LineList& monthLines, int day, bool html);

// The day's names in brackets, or nothing when it has none: the holiday name, then the
// memorial-day names, one blank between them; for HTML in red and green FONT elements.
std::string exportDayNames(const ExportDay& day, bool html);

// Every line of the file for the text, CSV or HTML format; days in date order. CSV fields
// are quoted with any double quote inside doubled.
std::vector<std::string> monthTextExportLines(ExportFormat format, int year, int month,
                                              const std::vector<ExportDay>& days,
                                              const LineList& monthLines);

}  // namespace velmo
