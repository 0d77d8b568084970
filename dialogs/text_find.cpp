#include "dialogs/text_find.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace velmo {
namespace {

bool isSkippable(char16_t c) {
    switch (c) {
        case u'\n':
        case u'\r':
        case u' ':
        case u'\t':
        case 0x3000:  // full-width space
        case 0x2028:  // line and paragraph separators: the editor's line breaks
        case 0x2029:
            return true;
        default:
            return false;
    }
}

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Half-width katakana U+FF61..U+FF9F in their full-width form.
constexpr char16_t kFullKana[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};
constexpr char16_t kHalfKanaFirst = 0xFF61;
constexpr char16_t kHalfKanaLast = 0xFF9F;
constexpr char16_t kHalfVoicedMark = 0xFF9E;
constexpr char16_t kHalfSemiVoicedMark = 0xFF9F;
static_assert(std::size(kFullKana) == kHalfKanaLast - kHalfKanaFirst + 1);

// The full-width character a half-width kana and a mark after it stand for; 0 for none.
char16_t withMark(char16_t half, char16_t mark) {
    const bool ka_to = (half >= 0xFF76 && half <= 0xFF84);  // ｶ..ﾄ
    const bool ha_ho = (half >= 0xFF8A && half <= 0xFF8E);  // ﾊ..ﾎ
    const char16_t full = kFullKana[half - kHalfKanaFirst];
    if (mark == kHalfVoicedMark) {
        if (ka_to || ha_ho)
            return full + 1;
        switch (half) {
            case 0xFF73:  // ｳ
                return 0x30F4;
            case 0xFF9C:  // ﾜ
                return 0x30F7;
            case 0xFF66:  // ｦ
                return 0x30FA;
            default:
                return 0;
        }
    }
    if (mark == kHalfSemiVoicedMark && ha_ho)
        return full + 2;
    return 0;
}

struct Unit {
    char16_t folded = 0;
    int length = 1;
};

// The unit starting at index i, folded as the options ask.
Unit readUnit(const QChar* chars, int i, int size, const FindOptions& options) {
    Unit unit{chars[i].unicode(), 1};
    char16_t& c = unit.folded;
    if (options.ignoreWidth) {
        if (c >= 0xFF01 && c <= 0xFF5E) {
            c = static_cast<char16_t>(c - 0xFEE0);
        } else if (c == 0x3000) {
            c = u' ';
        } else if (c >= kHalfKanaFirst && c <= kHalfKanaLast) {
            const char16_t half = c;
            c = kFullKana[half - kHalfKanaFirst];
            if (i + 1 < size) {
                if (const char16_t marked = withMark(half, chars[i + 1].unicode())) {
                    c = marked;
                    unit.length = 2;
                }
            }
        }
    }
    if (!options.matchCase && !QChar::isSurrogate(c)) {
        const char32_t folded = QChar::toCaseFolded(static_cast<char32_t>(c));
        if (folded <= 0xFFFF)
            c = static_cast<char16_t>(folded);
    }
    return unit;
}

// A range of the text as folded units, each with the index of its first character.
// Units are read from the whole text, so a kana whose mark lies beyond the range's end
// is left out instead of being taken without its mark.
class FoldedText {
public:
    FoldedText(const QString& text, int lo, int hi, const FindOptions& options)
        : text_(text), options_(options), lo_(lo) {
        const QChar* chars = text.constData();
        const int size = static_cast<int>(text.size());
        identity_ = !options.ignoreWidth && !options.ignoreBreaksAndSpaces;
        units_.reserve(hi - lo);
        if (!identity_)
            begins_.reserve(static_cast<std::size_t>(hi - lo));
        for (int i = lo; i < hi;) {
            if (options.ignoreBreaksAndSpaces && isSkippable(chars[i].unicode())) {
                ++i;
                continue;
            }
            const Unit unit = readUnit(chars, i, size, options);
            if (i + unit.length > hi)
                break;
            units_.append(QChar(unit.folded));
            if (!identity_)
                begins_.push_back(i);
            i += unit.length;
        }
    }

    const QString& units() const { return units_; }
    int beginOf(int unit) const {
        return identity_ ? lo_ + unit : begins_[static_cast<std::size_t>(unit)];
    }
    int endOf(int unit) const {
        const int begin = beginOf(unit);
        return begin +
               readUnit(text_.constData(), begin, static_cast<int>(text_.size()), options_).length;
    }

private:
    const QString& text_;
    const FindOptions& options_;
    int lo_ = 0;
    bool identity_ = true;
    QString units_;
    std::vector<int> begins_;
};

bool isWholeWord(const QString& text, const TextMatch& match) {
    const int end = match.start + match.length;
    return (match.start == 0 || !isWordCharacter(text[match.start - 1])) &&
           (end >= text.size() || !isWordCharacter(text[end]));
}

}  // namespace

std::optional<TextMatch> findInText(const QString& text, const QString& needle, int from,
                                    const FindOptions& options) {
    const int size = static_cast<int>(text.size());
    from = std::clamp(from, 0, size);
    const QString wanted = FoldedText(needle, 0, static_cast<int>(needle.size()), options).units();
    const int length = static_cast<int>(wanted.size());
    if (length == 0)
        return std::nullopt;

    const FoldedText folded = options.forward ? FoldedText(text, from, size, options)
                                              : FoldedText(text, 0, from, options);
    const QString& units = folded.units();
    const auto matchAt = [&](int unit) {
        const int start = folded.beginOf(unit);
        return TextMatch{start, folded.endOf(unit + length - 1) - start};
    };
    if (options.forward) {
        for (qsizetype unit = units.indexOf(wanted, 0); unit >= 0;
             unit = units.indexOf(wanted, unit + 1)) {
            const TextMatch match = matchAt(static_cast<int>(unit));
            if (!options.wholeWord || isWholeWord(text, match))
                return match;
        }
        return std::nullopt;
    }
    // lastIndexOf counts a negative start from the end, so the loop stops at 0 itself.
    for (qsizetype last = units.size() - length; last >= 0; --last) {
        last = units.lastIndexOf(wanted, last);
        if (last < 0)
            break;
        const TextMatch match = matchAt(static_cast<int>(last));
        if (!options.wholeWord || isWholeWord(text, match))
            return match;
    }
    return std::nullopt;
}

}  // namespace velmo
