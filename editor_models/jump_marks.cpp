#include "editor_models/jump_marks.h"

#include <algorithm>

#include "store/cp932.h"
#include "store/profile_file.h"
#include "store/text_helpers.h"

namespace velmo {

namespace {

constexpr std::string_view kFullWidthAmpersand = "\x81\x95";  // "＆"
constexpr unsigned char kFullWidthDigitLead = 0x82;
constexpr unsigned char kFullWidthZeroTrail = 0x4F;  // "０" is 0x82 0x4F, "９" 0x82 0x58
// Bytes a mark needs: a full-width ampersand and one double-byte character.
constexpr std::size_t kMarkBytes = 4;
// Stands for a character CP932 cannot hold: two bytes, like any such character in
// cp932::byteLength, and never a digit or a space.
constexpr std::string_view kUnencodable = "??";

// The first kMarkBytes CP932 bytes of a line (fewer for a short line).
std::string cp932Start(std::string_view utf8Line) {
    std::string bytes;
    std::size_t pos = 0;
    while (pos < utf8Line.size() && bytes.size() < kMarkBytes) {
        const std::size_t from = pos;
        cp932::nextCodePoint(utf8Line, pos);
        try {
            bytes += cp932::encode(utf8Line.substr(from, pos - from));
        } catch (const cp932::EncodeError&) {
            bytes += kUnencodable;
        }
    }
    return bytes;
}

void noteMark(JumpMarks& marks, int row, std::string_view line) {
    if (const int mark = jumpMarkOf(line); mark >= 0)
        marks[static_cast<std::size_t>(mark)] = row;
}

}  // namespace

int jumpMarkOf(std::string_view utf8Line) {
    const std::string start = cp932Start(utf8Line);
    const std::string_view bytes(start);
    std::string_view number;
    if (bytes.starts_with('&'))
        number = bytes.substr(1, 2);
    else if (bytes.starts_with(kFullWidthAmpersand))
        number = bytes.substr(kFullWidthAmpersand.size(), 2);
    else
        return -1;

    if (number.size() == 2 && static_cast<unsigned char>(number[0]) == kFullWidthDigitLead) {
        const int digit = static_cast<unsigned char>(number[1]) - kFullWidthZeroTrail;
        if (digit >= 0 && digit <= 9)
            return digit;
    }
    // What is no number at all reads as 0, as StrToIntDef(.., 0) gave.
    const int value = parseDelphiInteger(trimSpaces(number)).value_or(0);
    return value >= 0 && value <= 9 ? value : -1;
}

JumpMarks scanJumpMarks(std::span<const std::string> lines) {
    JumpMarks marks;
    marks.fill(-1);
    for (std::size_t row = 0; row < lines.size(); ++row)
        noteMark(marks, static_cast<int>(row), lines[row]);
    return marks;
}

JumpMarks scanJumpMarks(int rowCount, const std::function<std::string(int row)>& lineStart) {
    JumpMarks marks;
    marks.fill(-1);
    for (int row = 0; row < rowCount; ++row)
        noteMark(marks, row, lineStart(row));
    return marks;
}

int jumpTopRow(int markRow, bool shiftHeld, bool swapped, int linesAbove, int linesBelow,
               int visibleRows) {
    const bool fromBottom = shiftHeld != swapped;
    const int top = fromBottom ? markRow + linesBelow - visibleRows : markRow - linesAbove;
    return std::max(top, 0);
}

}  // namespace velmo
