#include "editor_models/search_history.h"

#include <algorithm>
#include <limits>

#include "calendar/comma_text.h"
#include "store/text_helpers.h"

namespace velmo {

std::string storableHistoryItem(std::string_view item) {
    std::string storable(item);
    std::replace_if(
        storable.begin(), storable.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, ' ');
    return storable;
}

void pushHistory(std::vector<std::string>& items, const std::string& item, std::size_t limit) {
    const std::size_t capped = std::min<std::size_t>(limit, std::numeric_limits<int>::max());
    recentListInsert(items, item, static_cast<int>(capped));
}

std::string toCommaText(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += ',';
        // An empty item unquoted would vanish between two commas at the list's end.
        text += items[i].empty() ? std::string("\"\"") : quoteCommaTextItem(items[i]);
    }
    return text;
}

std::vector<std::string> fromCommaText(std::string_view text) {
    return splitCommaText(text);
}

}  // namespace velmo
