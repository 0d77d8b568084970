#include "calendar/comma_text.h"

namespace velmo {

namespace {

constexpr char kQuote = '"';
constexpr char kComma = ',';

bool isSeparatorByte(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

}  // namespace

std::vector<std::string> splitCommaText(std::string_view line) {
    std::vector<std::string> fields;
    const std::size_t size = line.size();
    std::size_t p = 0;
    auto skipSeparators = [&] {
        while (p < size && isSeparatorByte(line[p]))
            ++p;
    };
    skipSeparators();
    while (p < size) {
        std::string field;
        if (line[p] == kQuote) {
            ++p;
            while (true) {
                const std::size_t close = line.find(kQuote, p);
                if (close == std::string_view::npos) {
                    field.append(line.substr(p));
                    p = size;
                    break;
                }
                field.append(line.substr(p, close - p));
                p = close + 1;
                if (p < size && line[p] == kQuote) {
                    field += kQuote;
                    ++p;
                } else {
                    break;
                }
            }
        } else {
            const std::size_t start = p;
            while (p < size && !isSeparatorByte(line[p]) && line[p] != kComma)
                ++p;
            field.assign(line.substr(start, p - start));
        }
        fields.push_back(std::move(field));
        skipSeparators();
        if (p < size && line[p] == kComma) {
            ++p;
            skipSeparators();
        }
    }
    return fields;
}

std::string quoteCommaTextItem(std::string_view item) {
    bool needsQuotes = false;
    for (char c : item) {
        if (isSeparatorByte(c) || c == kQuote || c == kComma) {
            needsQuotes = true;
            break;
        }
    }
    if (!needsQuotes)
        return std::string(item);
    std::string quoted(1, kQuote);
    for (char c : item) {
        quoted += c;
        if (c == kQuote)
            quoted += kQuote;
    }
    quoted += kQuote;
    return quoted;
}

std::string joinCommaText(const std::vector<std::string>& items) {
    if (items.size() == 1 && items.front().empty())
        return std::string(2, kQuote);
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += kComma;
        text += quoteCommaTextItem(items[i]);
    }
    return text;
}

}  // namespace velmo
