#pragma once
// One schedule entry as the exports write it: the editor's own tags <B>, <S> and <H>
// taken out, and for HTML the text escaped and wrapped in the program's own B, S and FONT
// elements only, so nothing a user typed ever becomes markup.

#include <optional>
#include <string>
#include <string_view>

#include "store/colour_text.h"

namespace velmo {

// "#rrggbb" from the colour's lowest (red), second (green) and third (blue) byte, in lower
// case; a system colour is not resolved, only its bytes are used.
std::string htmlColourText(Colour colour);

// &, <, > and " as character references.
std::string escapeHtml(std::string_view text);

// text wrapped in <FONT COLOR="#rrggbb">…</FONT>.
std::string htmlFontElement(std::string_view text, Colour colour);

// The text with every byte that formed no CP932 character (kept by the codec as an
// escape code point) replaced, for files other programs read.
std::string withStrayBytesReplaced(std::string_view text, std::string_view replacement);

// True when the text names one of the program family's own products.
bool namesProduct(std::string_view text);

// The entry text with its tags removed; for html escaped, wrapped in <B>/<S> when it
// carried them and in a FONT element when colourName (trimmed) is longer than two
// characters and names a colour. A text naming a product keeps no fuchsia and, even for
// HTML, gets no B or S back.
std::string formatExportEntry(std::string_view text, std::optional<std::string_view> colourName,
                              bool html);

}  // namespace velmo
