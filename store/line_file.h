#pragma once
// Whole-file reading and writing of CP932 line files, with the retries that let
// several computers share files on a network folder.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"

namespace velmo {

// Lines of a file, decoded to UTF-8, without their terminators.
using LineList = std::vector<std::string>;

struct Retry {
    int tries;
    std::chrono::milliseconds pause;
};

// The line file reader: five opens 500 ms apart. CR LF, CR and LF end a line, a NUL
// byte is kept as data and 0x1A ends the file. When no open succeeds, shows
// "読込エラー[" + path + "]" and leaves the list empty. Returns true when read.
bool readLineFile(const std::filesystem::path& path, LineList& lines, UserInterface& ui,
                  Sleeper& sleeper);

// The reader's message for a file it could not read: "読込エラー[" + path + "]".
std::string readErrorText(const std::filesystem::path& path);

// Decodes a whole CP932 text into lines exactly as readLineFile does.
LineList splitFileText(std::string_view bytes);

// The retrying list reader: N tries P ms apart (a pause follows every failure, the
// last included); no message. The list is replaced, and left empty on failure.
bool readLinesRetrying(const std::filesystem::path& path, LineList& lines, Retry retry,
                       Sleeper& sleeper);

// Why a write did not happen.
enum class WriteOutcome { Written, Unencodable, Failed };

// The line file writer: every line followed by CR LF, replacing the file atomically
// (temporary file in the same folder, then rename) so a crash never leaves half a file.
// A line holding a character CP932 cannot store writes nothing and returns Unencodable.
WriteOutcome writeLinesRetrying(const std::filesystem::path& path, const LineList& lines,
                                Retry retry, Sleeper& sleeper);

// Who may read a file written anew.
enum class NewFileAccess {
    Umask,      // as the user's umask allows; a replaced file keeps its permissions
    OwnerOnly,  // mode 0600 always, also for a replaced file that was open to others
};

// Atomic replacement of a file's bytes, N tries P ms apart.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, Retry retry,
                         Sleeper& sleeper, NewFileAccess access = NewFileAccess::Umask);

}  // namespace velmo
