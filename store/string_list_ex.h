#pragma once
// A line list whose entries keep their own terminators, so that joining the entries
// gives back the original text byte for byte (the administrator file's cipher needs
// exactly that). Works on any bytes; it never looks inside a line.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

class TStringListEx {
public:
    TStringListEx() = default;
    explicit TStringListEx(std::string_view text) { setText(text); }

    // Splits after every terminator: CR LF (one terminator), CR or LF. A text without
    // a final terminator gives a last entry without one.
    void setText(std::string_view text);
    // The entries joined with nothing added.
    std::string text() const;

    std::size_t count() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const std::string& operator[](std::size_t index) const { return entries_.at(index); }
    std::string& operator[](std::size_t index) { return entries_.at(index); }
    const std::vector<std::string>& entries() const { return entries_; }

    void add(std::string entry) { entries_.push_back(std::move(entry)); }
    void insert(std::size_t index, std::string entry);
    void erase(std::size_t index);
    void clear() { entries_.clear(); }

private:
    std::vector<std::string> entries_;
};

}  // namespace velmo
