#pragma once
// The find window's history of searched texts: newest first, kept in the settings as a
// comma text (the key "vItems") or as lines.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// The item as the history keeps it: control characters (below 0x20, and 0x7F) become
// spaces, so an item is always one line of one field.
std::string storableHistoryItem(std::string_view item);

// Moves or inserts the item at the top (an equal older item goes) and keeps at most
// limit items. A blank item changes nothing.
void pushHistory(std::vector<std::string>& items, const std::string& item, std::size_t limit);

// Comma text: items joined by ","; an item holding a space, a comma, a double quote or
// a control character, or an empty one, is enclosed in double quotes with inner quotes
// doubled. Reading splits at commas and spaces outside quotes.
std::string toCommaText(const std::vector<std::string>& items);
std::vector<std::string> fromCommaText(std::string_view text);

}  // namespace velmo
