#pragma once
// The day editor's attribute list: one record per editor line, kept with its line
// while the text is edited, and the colour commands that change the records.
//
// The editor reports every change of its text as one LineEdit in line terms: which
// range of the old text was replaced and how many line breaks the new text brought.
// apply() moves the records with their lines, so a record always describes the line
// at its index, whichever way the change was made (typing, Backspace, Delete, cut,
// paste, undo, a drop or a middle-click paste).

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "store/entry_line.h"

namespace velmo {

// One change of the editor's text: the old text from (startRow, startCol) to
// (endRow, endCol) was replaced by a text holding insertedBreaks line breaks.
// Rows and columns are 0-based; a pure insertion has an empty range.
struct LineEdit {
    int startRow = 0;
    int startCol = 0;
    int endRow = 0;
    int endCol = 0;
    int insertedBreaks = 0;
    // The Delete key without a selection joined the caret's line with the next one:
    // the caret's line gives its record up, so the joined line takes the colour of the
    // line that followed it.
    bool forwardDelete = false;

    bool operator==(const LineEdit&) const = default;
};

// The attributes of one editor line, with the fields of its entry that did not convert
// kept exactly as they were read, so writing the line back never resets them.
struct DayLineRecord {
    DayLineAttr attr;
    // Entry field (4..8) from which on the fields are kept as read; 0 when all converted.
    int keptFrom = 0;
    // Fields keptFrom..8 as read.
    std::vector<std::string> keptFields;

    bool operator==(const DayLineRecord&) const = default;
};

// Gives the record a colour of its own; a colour field kept as read is replaced by it.
void setRecordColour(DayLineRecord& record, Colour colour);

// The colours of the colour submenu: red, blue, magenta, teal, maroon (COLORREF).
inline constexpr std::array<Colour, 5> kFixedLineColours = {0x0000FF, 0xFF0000, 0xFF00FF, 0x808000,
                                                            0x000080};
// The colour dialog's sixteen custom colours, A to P.
inline constexpr std::array<Colour, 16> kCustomColours = {
    0x484848, 0x008080, 0x305080, 0xff0000, 0x008000, 0x808000, 0x00ff00, 0xffff00,
    0x0066ff, 0x0000ff, 0x7fff00, 0xd4ff7f, 0x98fb98, 0x998877, 0x696969, 0x000000};

// A selection in rows and columns, startRow <= endRow.
struct LineSelection {
    int startRow = 0;
    int endRow = 0;
    int startCol = 0;
    int endCol = 0;

    bool operator==(const LineSelection&) const = default;
};

// How a colour command was given.
enum class ColourSource {
    Fixed,     // one of the five fixed colours
    Dialog,    // "色指定": chosen in the colour dialog
    Standard,  // "標準色"
};

// The check marks of the colour submenu: the five fixed colours, then "標準色".
using ColourMarks = std::array<bool, 6>;

class DayLineAttrList {
public:
    DayLineAttrList() = default;
    explicit DayLineAttrList(std::vector<DayLineRecord> records) : records_(std::move(records)) {}

    int count() const { return static_cast<int>(records_.size()); }
    const std::vector<DayLineRecord>& records() const { return records_; }
    // The record of a row; nothing outside the list.
    const DayLineRecord* at(int row) const;

    void assign(std::vector<DayLineRecord> records) { records_ = std::move(records); }
    void clear() { records_.clear(); }

    // Moves the records with their lines through one change of the text. Lines the
    // change creates get default records. When a change joins lines, the joined line
    // keeps the record of the line whose start survives: the first line's when the
    // range starts inside it, else the last line's (and always the last line's for
    // forwardDelete). Indices outside the list are clamped, so a list that has lost
    // step is never read past its end.
    void apply(const LineEdit& edit);

    // Pads with default records or drops records from the end so that there is one per
    // line. True when the list had to change.
    bool fitTo(int lineCount);

    // A colour command. With a selection every row from its start row to its end row
    // gets the colour, except an end row the selection only reaches at column 0.
    // Without one the caret's row gets it, except that a fixed or standard colour the
    // row already has gives it the standard colour instead. Other fields stay as they
    // are. False when no record changed.
    bool colourRows(const std::optional<LineSelection>& selection, int caretRow, Colour colour,
                    ColourSource source, Colour standardColour);

    // The submenu's marks when it opens: for a selection over several rows all cleared;
    // otherwise from the caret row's colour ("標準色" for no colour of its own);
    // nothing (marks left as they are) when the caret's row has no record.
    std::optional<ColourMarks> colourMarks(const std::optional<LineSelection>& selection,
                                           int caretRow) const;

private:
    std::vector<DayLineRecord> records_;
};

}  // namespace velmo
