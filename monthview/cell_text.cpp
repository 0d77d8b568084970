#include "monthview/cell_text.h"

namespace velmo {
namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool matchesAt(std::string_view text, std::size_t pos, std::string_view pattern) {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (lowerAscii(text[pos + i]) != lowerAscii(pattern[i]))
            return false;
    }
    return true;
}

}  // namespace

std::size_t findIgnoringCase(std::string_view text, std::string_view pattern, std::size_t from) {
    if (pattern.empty() || text.size() < pattern.size())
        return std::string_view::npos;
    for (std::size_t pos = from; pos + pattern.size() <= text.size(); ++pos) {
        if (matchesAt(text, pos, pattern))
            return pos;
    }
    return std::string_view::npos;
}

std::string removeIgnoringCase(std::string_view text, std::string_view pattern) {
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = findIgnoringCase(text, pattern, pos);
        if (hit == std::string_view::npos)
            break;
        result.append(text.substr(pos, hit - pos));
        pos = hit + pattern.size();
    }
    result.append(text.substr(pos));
    return result;
}

std::string expandTabs(std::string_view text, int count) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == '\t')
            result.append(static_cast<std::size_t>(count > 0 ? count : 0), ' ');
        else
            result.push_back(c);
    }
    return result;
}

TaggedLine applyLineTags(std::string_view text) {
    TaggedLine line{std::string(text)};
    auto strip = [&line](std::string_view open, std::string_view close) {
        if (findIgnoringCase(line.text, open) == std::string::npos &&
            findIgnoringCase(line.text, close) == std::string::npos) {
            return false;
        }
        line.text = removeIgnoringCase(removeIgnoringCase(line.text, open), close);
        return true;
    };
    line.bold = strip("<B>", "</B>");
    line.strikeOut = strip("<S>", "</S>");
    return line;
}

std::string dropLastCharacter(std::string_view text) {
    if (text.empty())
        return {};
    std::size_t end = text.size() - 1;
    // Step back over UTF-8 continuation bytes to the lead byte.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end));
}

std::string shortenToWidth(std::string_view text, int limit,
                           const std::function<int(std::string_view)>& measure) {
    std::string result(text);
    while (!result.empty() && measure(result) >= limit)
        result = dropLastCharacter(result);
    return result;
}

}  // namespace velmo
