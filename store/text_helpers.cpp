#include "store/text_helpers.h"

#include <algorithm>

#include "store/cp932.h"

namespace velmo {

namespace {

constexpr std::string_view kSpaceCode = "_\\Sp\\_";

bool isTrimmed(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// The bytes of the last UTF-8 character of a non-empty text.
std::string_view lastCharacter(std::string_view text) {
    std::size_t start = text.size() - 1;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        --start;
    return text.substr(start);
}

// One character of a text with its place in UTF-8 and its CP932 width.
struct Piece {
    std::size_t begin;
    std::size_t end;
    int width;
};

std::vector<Piece> pieces(std::string_view text) {
    std::vector<Piece> result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t begin = pos;
        const char32_t c = cp932::nextCodePoint(text, pos);
        result.push_back({begin, pos, cp932::charWidth(c)});
    }
    return result;
}

}  // namespace

std::string trimSpaces(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isTrimmed(text[begin]))
        ++begin;
    while (end > begin && isTrimmed(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::string ensureTrailing(std::string_view text, std::string_view suffix) {
    std::string result = trimSpaces(text);
    if (!result.empty() && lastCharacter(result) != suffix)
        result += suffix;
    return result;
}

std::string stripTrailing(std::string_view text, std::string_view suffix) {
    std::string result = trimSpaces(text);
    if (!result.empty() && lastCharacter(result) == suffix) {
        result.erase(result.size() - suffix.size());
    }
    return result;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty())
        return std::string(text);
    // UTF-8 is self-synchronising: a match of a whole-character pattern always starts
    // and ends on character boundaries, so a byte search is a character search here.
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos)
            break;
        result.append(text.substr(pos, hit - pos));
        result.append(to);
        pos = hit + from.size();
    }
    result.append(text.substr(pos));
    return result;
}

std::string repeatText(std::string_view text, int count) {
    std::string result;
    if (count <= 0)
        return result;
    result.reserve(text.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        result.append(text);
    return result;
}

std::string padRight(std::string_view text, int width) {
    std::string result;
    if (width <= 0)
        return result;
    int used = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t begin = pos;
        const int w = cp932::charWidth(cp932::nextCodePoint(text, pos));
        if (used + w > width)
            break;
        result.append(text.substr(begin, pos - begin));
        used += w;
    }
    // The same spaces pad a short text and fill the half of a cut character.
    result.append(static_cast<std::size_t>(width - used), ' ');
    return result;
}

std::string padLeft(std::string_view text, int width) {
    if (width <= 0)
        return {};
    const std::vector<Piece> all = pieces(text);
    int used = 0;
    std::size_t first = all.size();
    while (first > 0 && used + all[first - 1].width <= width) {
        --first;
        used += all[first].width;
    }
    const std::size_t from = first < all.size() ? all[first].begin : text.size();
    std::string result(static_cast<std::size_t>(width - used), ' ');
    result.append(text.substr(from));
    return result;
}

std::string leftPart(std::string_view text, int count) {
    if (static_cast<std::size_t>(std::max(count, 0)) >= cp932::byteLength(text)) {
        return std::string(text);
    }
    return padRight(text, count);
}

std::string rightPart(std::string_view text, int count) {
    if (static_cast<std::size_t>(std::max(count, 0)) >= cp932::byteLength(text)) {
        return std::string(text);
    }
    return padLeft(text, count);
}

std::string safePart(std::string_view text, int start, int count) {
    if (start < 1 || count < 1)
        return {};
    const std::vector<Piece> all = pieces(text);
    int total = 0;
    for (const Piece& piece : all)
        total += piece.width;
    if (start > total)
        return {};
    // Skip the characters before the start; one whose trail byte is the start goes too.
    int offset = 0;
    std::size_t i = 0;
    while (i < all.size() && offset < start - 1)
        offset += all[i++].width;
    const std::size_t from = i < all.size() ? all[i].begin : text.size();
    int used = 0;
    while (i < all.size() && used + all[i].width <= count)
        used += all[i++].width;
    const std::size_t to = i < all.size() ? all[i].begin : text.size();
    return std::string(text.substr(from, to - from));
}

std::string spaceEncode(std::string_view text) {
    return replaceAll(text, " ", kSpaceCode);
}

std::string spaceDecode(std::string_view text) {
    return replaceAll(text, kSpaceCode, " ");
}

std::vector<std::string> splitFields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    fields.reserve(static_cast<std::size_t>(std::count(line.begin(), line.end(), separator)) + 1);
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = line.find(separator, pos);
        if (hit == std::string_view::npos)
            break;
        fields.emplace_back(line.substr(pos, hit - pos));
        pos = hit + 1;
    }
    fields.emplace_back(line.substr(pos));
    return fields;
}

std::string randomDigits(int limit, std::mt19937& random) {
    int length = 6;
    if (limit > 6)
        length += std::uniform_int_distribution<int>(0, limit - 6)(random);
    std::string digits = std::to_string(std::uniform_int_distribution<int>(1, 1000000000)(random));
    for (int i = 0; i < 100 && digits.size() <= static_cast<std::size_t>(length); ++i) {
        digits += digits;
    }
    digits.resize(std::min(digits.size(), static_cast<std::size_t>(length)));
    return digits;
}

void recentListInsert(std::vector<std::string>& list, const std::string& text, int limit) {
    if (trimSpaces(text).empty())
        return;
    list.erase(std::remove(list.begin(), list.end(), text), list.end());
    list.insert(list.begin(), text);
    const std::size_t keep = static_cast<std::size_t>(std::max(limit, 0));
    if (list.size() > keep)
        list.resize(keep);
}

ColourBytes colourBytes(std::uint32_t colour) {
    return {static_cast<std::uint8_t>(colour & 0xFF),
            static_cast<std::uint8_t>((colour >> 8) & 0xFF),
            static_cast<std::uint8_t>((colour >> 16) & 0xFF)};
}

std::optional<std::string> unencodableTextMessage(std::string_view text) {
    if (const std::optional<char32_t> c = cp932::firstUnencodable(text)) {
        return "保存できない文字があります： " + cp932::describe(*c) +
               "\r\n別の文字に置き換えてください。";
    }
    return std::nullopt;
}

}  // namespace velmo
