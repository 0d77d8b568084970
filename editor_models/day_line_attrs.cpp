#include "editor_models/day_line_attrs.h"

#include <algorithm>

namespace velmo {
namespace {

constexpr int kColourField = 4;

}  // namespace

void setRecordColour(DayLineRecord& record, Colour colour) {
    record.attr.color = colour;
    if (record.keptFrom == kColourField && !record.keptFields.empty()) {
        record.keptFields.erase(record.keptFields.begin());
        record.keptFrom = record.keptFields.empty() ? 0 : kColourField + 1;
    }
}

const DayLineRecord* DayLineAttrList::at(int row) const {
    if (row < 0 || row >= count())
        return nullptr;
    return &records_[static_cast<std::size_t>(row)];
}

void DayLineAttrList::apply(const LineEdit& edit) {
    const auto clampRow = [this](int row) { return std::clamp(row, 0, count()); };
    const int first = clampRow(edit.startRow);
    const int last = clampRow(std::max(edit.endRow, edit.startRow));

    if (last > first) {
        // Lines first..last become one line: keep one record of them.
        const bool keepLast = edit.forwardDelete || edit.startCol == 0;
        const auto begin = records_.begin();
        if (keepLast) {
            records_.erase(begin + first, begin + last);
        } else {
            records_.erase(begin + first + 1, begin + std::min(last + 1, count()));
        }
    }

    if (edit.insertedBreaks > 0) {
        // A break typed at the start of a line pushes that line down; anywhere else the
        // new lines follow it.
        const int at = clampRow(edit.startCol == 0 ? first : first + 1);
        records_.insert(records_.begin() + at, static_cast<std::size_t>(edit.insertedBreaks),
                        DayLineRecord{});
    }
}

bool DayLineAttrList::fitTo(int lineCount) {
    const auto wanted = static_cast<std::size_t>(std::max(lineCount, 0));
    if (records_.size() == wanted)
        return false;
    records_.resize(wanted);
    return true;
}

bool DayLineAttrList::colourRows(const std::optional<LineSelection>& selection, int caretRow,
                                 Colour colour, ColourSource source, Colour standardColour) {
    if (selection) {
        int lastRow = selection->endRow;
        if (selection->endCol == 0 && selection->endRow > selection->startRow)
            --lastRow;
        bool changed = false;
        for (int row = std::max(selection->startRow, 0); row <= lastRow && row < count(); ++row) {
            DayLineRecord& record = records_[static_cast<std::size_t>(row)];
            changed = changed || record.attr.color != colour;
            setRecordColour(record, colour);
        }
        return changed;
    }
    if (caretRow < 0 || caretRow >= count())
        return false;
    DayLineRecord& record = records_[static_cast<std::size_t>(caretRow)];
    // Choosing the colour a row already has turns it off again.
    const Colour wanted =
        record.attr.color == colour && source != ColourSource::Dialog ? standardColour : colour;
    const bool changed = record.attr.color != wanted;
    setRecordColour(record, wanted);
    return changed;
}

std::optional<ColourMarks> DayLineAttrList::colourMarks(
    const std::optional<LineSelection>& selection, int caretRow) const {
    if (selection && selection->startRow != selection->endRow)
        return ColourMarks{};
    const DayLineRecord* record = at(caretRow);
    if (!record)
        return std::nullopt;
    ColourMarks marks{};
    for (std::size_t i = 0; i < kFixedLineColours.size(); ++i)
        marks[i] = record->attr.color == kFixedLineColours[i];
    marks[5] = record->attr.color == kClWindowText;
    return marks;
}

}  // namespace velmo
