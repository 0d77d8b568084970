#include "store/string_list_ex.h"

#include <stdexcept>

namespace velmo {

void TStringListEx::setText(std::string_view text) {
    entries_.clear();
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t hit = text.find_first_of("\r\n", begin);
        if (hit == std::string_view::npos) {
            entries_.emplace_back(text.substr(begin));
            break;
        }
        std::size_t end = hit + 1;
        if (text[hit] == '\r' && end < text.size() && text[end] == '\n')
            ++end;
        entries_.emplace_back(text.substr(begin, end - begin));
        begin = end;
    }
}

std::string TStringListEx::text() const {
    std::size_t size = 0;
    for (const std::string& entry : entries_)
        size += entry.size();
    std::string result;
    result.reserve(size);
    for (const std::string& entry : entries_)
        result += entry;
    return result;
}

void TStringListEx::insert(std::size_t index, std::string entry) {
    if (index > entries_.size())
        throw std::out_of_range("TStringListEx::insert");
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
}

void TStringListEx::erase(std::size_t index) {
    if (index >= entries_.size())
        throw std::out_of_range("TStringListEx::erase");
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace velmo
