#pragma once
// Finding a text in the editors' text with the find window's options.
//
// Both the text and the needle are read as "units": one character, or a half-width
// katakana with the voiced or semi-voiced mark after it when width is ignored. Each
// unit is folded (width, then case) before the comparison, so a match may differ in
// length from the needle; a match's start and length are always positions of the
// original text.

#include <QString>
#include <optional>

namespace velmo {

struct FindOptions {
    bool forward = true;
    bool matchCase = false;
    bool wholeWord = false;
    // Full-width ASCII, the full-width space and half-width katakana match their other
    // form.
    bool ignoreWidth = false;
    // Line breaks, spaces, tabs and full-width spaces of the text are passed over inside
    // a match (and left out of the needle); a match never starts or ends on one.
    bool ignoreBreaksAndSpaces = false;

    bool operator==(const FindOptions&) const = default;
};

struct TextMatch {
    int start = 0;
    int length = 0;

    bool operator==(const TextMatch&) const = default;
};

// Forward: the first match starting at or after from. Backward: the last match ending at
// or before from. An empty needle finds nothing. With wholeWord the match is neither
// preceded nor followed by a letter, digit or underscore (CJK characters count as
// letters).
std::optional<TextMatch> findInText(const QString& text, const QString& needle, int from,
                                    const FindOptions& options);

}  // namespace velmo
