#pragma once
// Any text file the user opens in the memo window's editor mode, read and written back
// the way it was: its encoding, byte order mark, line ends and final line end are kept,
// and 0x1A is data, not the end of the file (the line file reader stops there, and
// writing its lines back as CP932 CR LF would cut and re-encode other people's files).
//
// CP932 bytes that form no character survive: the codec decodes each to an escape code
// point (cp932::kEscapeBase + byte) and encodes it back to that byte. The one change a
// save can make to a CP932 file is the one every Windows program makes: a character
// with two codes (NEC/IBM twins) is written with the code Windows chooses (see
// store/cp932.cpp).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"

namespace velmo {

// Shown when a document with NUL bytes is opened: the window opens it read-only.
inline constexpr const char* kBinaryDocumentNotice =
    "このファイルにはテキスト以外のデータが含まれています。\r\n読み取り専用で開きます。";

enum class TextEncoding { Utf8, Cp932 };
enum class LineEnding { CrLf, Lf, Cr };

struct TextDocument {
    // UTF-8, without line ends. A final line end starts no further line; an empty file
    // is one empty line without one.
    std::vector<std::string> lines;
    TextEncoding encoding = TextEncoding::Cp932;
    LineEnding lineEnding = LineEnding::CrLf;
    bool finalLineEnd = true;
    bool utf8Bom = false;
    // The file held NUL bytes: shown read-only (kBinaryDocumentNotice), never written.
    bool binary = false;
    // A binary document's bytes as read, so nothing of it is lost; empty otherwise.
    std::string raw;
};

// The document a file's bytes hold. Encoding: UTF-8 when the bytes (after a UTF-8 byte
// order mark) are valid UTF-8 and either carry the mark or hold a byte above 0x7F;
// otherwise CP932, the encoding of the program's own files, so an ASCII-only file
// that gets Japanese text stays readable for the programs that read it as CP932. Line
// ending: the first one found, CR LF for a file without any. Every CR LF, LF and CR
// ends a line, so a file mixing them is written back with the first kind only.
TextDocument parseTextDocument(std::string_view bytes);

// A document's bytes; nothing when the document is binary or, for CP932, holds a
// character CP932 cannot store.
std::optional<std::string> textDocumentBytes(const TextDocument& document);

// Reads the whole file; a refused open or read is tried five times 500 ms apart, as
// the line file reader does, while a missing file or one that is no ordinary file fails
// at once. A file that cannot be read shows the line file reader's
// "読込エラー[" + path + "]" and gives nothing.
std::optional<TextDocument> readTextDocument(const std::filesystem::path& file, UserInterface& ui,
                                             Sleeper& sleeper);

// Writes the document back in its own form, replacing the file atomically and keeping
// the replaced file's mode. A binary document is refused (false, no message: the window
// never offers saving it). For CP932, a character CP932 cannot store is named with
// unencodableTextMessage and nothing is written; a failed write shows
// "[ " + path + " ]の書込に失敗しました。". True when written.
bool writeTextDocument(const std::filesystem::path& file, const TextDocument& document,
                       UserInterface& ui, Sleeper& sleeper);

}  // namespace velmo
