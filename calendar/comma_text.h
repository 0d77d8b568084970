#pragma once
// Comma text: the one-line list form of the rule files and of a day's names.
//
// Splitting: fields are separated by commas; a field also ends at a space or control
// character (bytes up to 0x20), and a run of those before or after a comma belongs to
// the one separator. A field that starts with a double quote runs to the closing quote
// and may hold commas and spaces; two double quotes inside stand for one. Leading spaces
// of the line are skipped, empty fields between two commas are kept and a comma at the
// very end adds no empty field.
//
// The text is UTF-8; every byte of a multi-byte character is above 0x7F, so working on
// bytes never cuts a character.

#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// A quote left open takes the rest of the line as the field's text. A closing quote
// ends the field: text right after it starts the next field.
std::vector<std::string> splitCommaText(std::string_view line);

// One item as joinCommaText writes it: enclosed in double quotes (inner quotes doubled)
// when it holds a space, a control character, a double quote or a comma.
std::string quoteCommaTextItem(std::string_view item);

// Items joined by ","; a list of one empty item gives "\"\"" so it reads back as one field.
std::string joinCommaText(const std::vector<std::string>& items);

}  // namespace velmo
