#pragma once
// Jump marks of the memo and search windows' text: a line starting with "&" or "＆"
// followed by a digit marks that row, and the number keys jump to it. The mark is read
// the way the Windows edition read it, from the two CP932 bytes after the ampersand,
// so "&1あ" (a digit and half a character) is no "1".

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace velmo {

inline constexpr int kJumpMarkCount = 10;

// The row each mark points to, -1 where no line carries it.
using JumpMarks = std::array<int, kJumpMarkCount>;

// The mark a line carries: -1 for none, else 0..9. After the ampersand, the next two
// CP932 bytes trimmed of spaces: a number 1..9 gives that mark, a full-width digit
// "０".."９" gives 0..9, a number outside 0..9 ("12", "-1") gives none, and anything
// else that is no number ("x", "0", nothing) gives mark 0.
int jumpMarkOf(std::string_view utf8Line);

// The marks of a text's lines (row = index); of several lines with one mark the last
// counts.
JumpMarks scanJumpMarks(std::span<const std::string> lines);

// The same for a text held elsewhere (an editor widget), without copying it whole:
// lineStart(row) for rows 0..rowCount-1 needs to give only the line's first four
// characters, which is all a mark reads.
JumpMarks scanJumpMarks(int rowCount, const std::function<std::string(int row)>& lineStart);

// The row to show at the top when jumping to a mark on markRow: linesAbove rows above
// it, or, with Shift (Shift released when swapped is on), the mark linesBelow rows
// above the bottom of visibleRows rows. Never below 0.
int jumpTopRow(int markRow, bool shiftHeld, bool swapped, int linesAbove, int linesBelow,
               int visibleRows);

}  // namespace velmo
