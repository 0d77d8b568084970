#include "monthview/name_pieces.h"

#include <algorithm>

#include "calendar/comma_text.h"
#include "store/text_helpers.h"

namespace velmo {
namespace {

constexpr std::string_view kFullWidthSpace = "　";
constexpr std::string_view kFullWidthComma = "，";

// The names paired with their kind letters, as far as both go.
struct KindedName {
    std::string name;
    char kind;
    char nextKind;  // 0 after the last pair
};

std::vector<KindedName> pairNames(const std::vector<std::string>& names, const std::string& kinds) {
    const std::size_t count = std::min(names.size(), kinds.size());
    std::vector<KindedName> pairs;
    pairs.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        pairs.push_back({names[i], kinds[i], i + 1 < count ? kinds[i + 1] : '\0'});
    return pairs;
}

std::string joinPlain(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        if (!joined.empty())
            joined += ',';
        joined += name;
    }
    return joined;
}

}  // namespace

std::vector<NamePiece> namePieces(const DayNameList& names, bool hasSpecialDay, bool neighbour,
                                  const NameColours& colours) {
    const std::vector<std::string> split = splitCommaText(names.names);
    if (split.empty())
        return {};
    const Colour tint = neighbour ? colours.neighbour : 0;

    if (!hasSpecialDay || split.size() == 1) {
        const Colour colour = (hasSpecialDay ? colours.specialDay : colours.sunday) | tint;
        return {{replaceAll(joinPlain(split), kFullWidthSpace, " "), colour}};
    }

    std::vector<NamePiece> pieces;
    for (const KindedName& pair : pairNames(split, names.kinds)) {
        std::string text = pair.name;
        Colour colour = 0;
        if (pair.kind == 'S') {
            if (pair.nextKind == 'S')
                text += kFullWidthComma;
            else if (pair.nextKind == 'H')
                text += ' ';
            colour = colours.specialDay;
        } else if (pair.kind == 'H') {
            colour = colours.sunday;
        } else {
            continue;
        }
        text = replaceAll(replaceAll(text, kFullWidthSpace, " "), kFullWidthComma, ",");
        pieces.push_back({std::move(text), colour | tint});
    }
    return pieces;
}

QueriedNames queryNames(const DayNameList& names) {
    QueriedNames result;
    for (const KindedName& pair : pairNames(splitCommaText(names.names), names.kinds)) {
        if (pair.kind == 'S') {
            result.specialDays += pair.name;
            if (pair.nextKind == 'S')
                result.specialDays += kFullWidthComma;
            else if (pair.nextKind == 'H')
                result.specialDays += ' ';
        } else if (pair.kind == 'H') {
            result.holiday = pair.name;
        }
    }
    return result;
}

}  // namespace velmo
