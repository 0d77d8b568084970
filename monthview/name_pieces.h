#pragma once
// The holiday and special-day names of a day cell, turned into the coloured pieces the
// painter draws one after another, and the split the export's cell query wants.
//
// The names arrive as comma text with one kind letter per name ("S" special day, "H"
// holiday; see calendar/day_rules.h). They are split as comma text, so a quoted name
// holding a comma stays one name, and walked against the letters only as far as both go.

#include <string>
#include <vector>

#include "calendar/day_rules.h"
#include "store/colour_text.h"

namespace velmo {

struct NamePiece {
    std::string text;
    Colour colour = 0;

    bool operator==(const NamePiece&) const = default;
};

// Colours already resolved to 0x00BBGGRR, since neighbour days OR them together.
struct NameColours {
    Colour specialDay = 0x008000;
    Colour sunday = 0x0000FF;
    Colour neighbour = 0xC0C0C0;
};

// The pieces of a cell's names. A day without a special day, or with a single name, is
// one piece: the names joined by "," in the special-day colour when the day is special,
// else in the Sunday colour. Otherwise one piece per name: a special-day name in the
// special-day colour followed by "," when a special-day name follows or by a space when a
// holiday name follows, a holiday name alone in the Sunday colour. Full-width spaces
// become half-width spaces; in the per-name pieces "，" becomes ",". A neighbour-month day
// ORs every colour with the neighbour colour. No names give no pieces.
std::vector<NamePiece> namePieces(const DayNameList& names, bool hasSpecialDay, bool neighbour,
                                  const NameColours& colours);

// The export's split: the special-day names concatenated (followed by "，" before
// another special-day name, by a space before a holiday name) and the last holiday name.
struct QueriedNames {
    std::string specialDays;
    std::string holiday;

    bool operator==(const QueriedNames&) const = default;
};
QueriedNames queryNames(const DayNameList& names);

}  // namespace velmo
