#include "backup/export_entry_format.h"

#include <array>
#include <cstdio>

#include "store/cp932.h"
#include "store/text_helpers.h"

namespace velmo {
namespace {

constexpr Colour kFuchsia = 0xFF00FF;
constexpr std::array<std::string_view, 6> kProductNames{"ベルモ", "トルカ",   "ベルプリン",
                                                        "ルボン", "オルバン", "ベル時計"};

char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool matchesAt(std::string_view text, std::size_t pos, std::string_view tag) {
    if (pos + tag.size() > text.size())
        return false;
    for (std::size_t i = 0; i < tag.size(); ++i) {
        if (asciiUpper(text[pos + i]) != tag[i])
            return false;
    }
    return true;
}

// Removes every opening and closing form of an ASCII tag ("<B>", "</B>"), in any letter
// case; true when there was one. Tags are ASCII, so a match never splits a character.
bool removeTag(std::string& text, std::string_view open, std::string_view close) {
    std::string out;
    out.reserve(text.size());
    bool found = false;
    for (std::size_t pos = 0; pos < text.size();) {
        if (matchesAt(text, pos, open)) {
            pos += open.size();
            found = true;
        } else if (matchesAt(text, pos, close)) {
            pos += close.size();
            found = true;
        } else {
            out += text[pos++];
        }
    }
    text = std::move(out);
    return found;
}

// The colour a name gives, when it gives one.
std::optional<Colour> namedColour(std::string_view name) {
    const Colour first = textToColour(name, 0);
    if (first == 0 && textToColour(name, 1) == 1)
        return std::nullopt;
    return first;
}

}  // namespace

std::string htmlColourText(Colour colour) {
    const ColourBytes bytes = colourBytes(colour);
    char text[8];
    std::snprintf(text, sizeof text, "#%.2x%.2x%.2x", bytes.red, bytes.green, bytes.blue);
    return text;
}

std::string escapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string htmlFontElement(std::string_view text, Colour colour) {
    return "<FONT COLOR=\"" + htmlColourText(colour) + "\">" + std::string(text) + "</FONT>";
}

std::string withStrayBytesReplaced(std::string_view text, std::string_view replacement) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        if (cp932::nextCodePoint(text, pos) >= cp932::kEscapeBase)
            out.append(replacement);
        else
            out.append(text.substr(start, pos - start));
    }
    return out;
}

bool namesProduct(std::string_view text) {
    for (const std::string_view name : kProductNames) {
        if (text.find(name) != std::string_view::npos)
            return true;
    }
    return false;
}

std::string formatExportEntry(std::string_view text, std::optional<std::string_view> colourName,
                              bool html) {
    std::string t(text);
    // A colour name longer than two characters that names a colour, else none.
    Colour colour = 0;
    bool coloured = false;
    if (colourName) {
        const std::string trimmed = trimSpaces(*colourName);
        if (trimmed.size() > 2) {
            const std::optional<Colour> named = namedColour(trimmed);
            coloured = named.has_value();
            colour = named.value_or(0);
        }
    }
    const bool product = namesProduct(t);
    if (product && colour == kFuchsia)
        coloured = false;
    const bool bold = removeTag(t, "<B>", "</B>");
    const bool strike = removeTag(t, "<S>", "</S>");
    removeTag(t, "<H>", "</H>");
    if (!html)
        return t;
    t = escapeHtml(t);
    if (!product && bold)
        t = "<B>" + t + "</B>";
    if (!product && strike)
        t = "<S>" + t + "</S>";
    if (coloured)
        t = htmlFontElement(t, colour);
    return t;
}

}  // namespace velmo
