#pragma once
// A CP932 ini-format ("profile") file that reads and writes single keys the way the
// Windows profile routines do, so a settings file shared with the Windows edition
// keeps its meaning and its untouched lines.
//
// Reading: section and key names compare ignoring ASCII letter case; the first
// section of a name and the first key of a name inside it win (a repeated section is
// never consulted); spaces and tabs around names and values are dropped; a value in
// matching double or single quotes loses them; lines starting with ';' are comments;
// a line without '=' inside a section is kept but is not a key.
//
// Writing changes memory only; save() replaces the whole file atomically. A changed
// key's line becomes "Key=value" with the key spelled as it already was in the file;
// a new key goes after the last key of its section (trailing blank and comment lines
// stay after it, as they usually introduce the next section); a new section goes at
// the end of the file. Every other line is written back byte for byte; only line ends
// become CR LF.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "store/folder_listing.h"
#include "store/line_file.h"

namespace velmo {

class ProfileFile {
public:
    enum class LoadOutcome {
        Missing,     // no such file: empty, and saving creates it
        Loaded,      // read
        Unreadable,  // exists but could not be read: save() refuses to overwrite it
    };
    enum class SaveOutcome {
        Saved,
        Refused,      // the file was not read (Unreadable); nothing written
        Unencodable,  // a line holds a character CP932 cannot store; nothing written
        Failed,       // every write attempt failed
    };

    // Reads the file, trying `retry.tries` times. A name differing only in letter case
    // from a file on disk finds that file, and saving writes back to it.
    static ProfileFile load(const std::filesystem::path& path, Retry retry, Sleeper& sleeper);
    // The same, finding the name's spelling in a listing of its folder read already.
    static ProfileFile load(const std::filesystem::path& path, const FolderListing& folder,
                            Retry retry, Sleeper& sleeper);

    // Reads the file again, replacing every unsaved change.
    LoadOutcome reload(Retry retry, Sleeper& sleeper);

    LoadOutcome loadOutcome() const { return outcome_; }
    bool isUnreadable() const { return outcome_ == LoadOutcome::Unreadable; }
    // The file save() writes: the spelling found on disk, else the requested one.
    const std::filesystem::path& path() const { return path_; }
    // True after a write or delete changed the lines since the last load or save.
    bool isModified() const { return modified_; }
    // The file's lines as they stand in memory, decoded to UTF-8.
    const std::vector<std::string>& lines() const { return lines_; }

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) const;
    // Accepts what Delphi's StrToIntDef accepts (see parseDelphiInteger).
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;
    // "0" is false, any other integer true; the default when missing or not a number.
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // False, changing nothing, when the value holds CR, LF or NUL, or the section or key
    // name could not be read back as written (empty, surrounding spaces, line breaks,
    // "]" in a section name, "=" in a key name, a key starting with ";" or "[").
    // A value whose surrounding spaces or quotes the reader would strip is written in
    // an extra pair of double quotes, which Windows strips again on reading.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    bool writeInt(std::string_view section, std::string_view key, int value);
    bool writeBool(std::string_view section, std::string_view key, bool value);

    bool sectionExists(std::string_view section) const;
    bool keyExists(std::string_view section, std::string_view key) const;
    // Key names of the section in file order, each name once, as first spelled.
    std::vector<std::string> readSection(std::string_view section) const;
    // Removes every section of that name with all its lines.
    void eraseSection(std::string_view section);
    // Removes every line of that key from the section that reads see.
    void deleteKey(std::string_view section, std::string_view key);

    // The first character in memory that CP932 cannot store, so a caller can name it.
    std::optional<char32_t> firstUnencodable() const;

    // Writes every line in CP932 with CR LF through an atomic replacement.
    SaveOutcome save(Retry retry, Sleeper& sleeper);

private:
    explicit ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}
    // Reads path_ as it stands, replacing every unsaved change.
    LoadOutcome readFile(Retry retry, Sleeper& sleeper);

    struct Span {
        std::size_t header;  // index of the "[Name]" line
        std::size_t end;     // one past the section's last line
    };
    std::optional<Span> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(const Span& span, std::string_view key) const;
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

    std::filesystem::path path_;
    std::vector<std::string> lines_;
    LoadOutcome outcome_ = LoadOutcome::Missing;
    bool modified_ = false;
};

// Delphi's StrToInt grammar: surrounding spaces, an optional sign, then decimal
// digits or hex digits after "$", "0x" or "x" (either letter case). Decimal must fit
// a signed 32-bit integer; hex may use all 32 bits and wraps ("$FFFFFFFF" is -1).
std::optional<std::int32_t> parseDelphiInteger(std::string_view text);

// ASCII-only case-insensitive comparison, as used for profile and colour names.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace velmo
