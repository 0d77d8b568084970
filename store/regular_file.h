#pragma once
// Opening data files with plain POSIX calls. A data file is always an ordinary file:
// anything else in its place (a pipe, a device, a folder) is refused before a byte is
// read, since opening or reading a pipe waits for a writer that may never come.

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "store/file_descriptor.h"

namespace velmo {

enum class OpenOutcome {
    Opened,
    Missing,     // nothing at that name (or a link to nothing)
    NotRegular,  // a pipe, device or folder: trying again will not help
    Failed,      // refused for now (permissions, a busy share)
};

enum class FileAccess { Read, ReadWrite };

struct OpenedFile {
    OpenOutcome outcome = OpenOutcome::Failed;
    FileDescriptor fd{-1};  // valid only when Opened
    struct stat status {};  // the opened file's, when Opened
};

// Opens without ever blocking (O_NONBLOCK until fstat has shown an ordinary file).
OpenedFile openRegularFile(const std::filesystem::path& path, FileAccess access);

// A file its owner may not write was made read-only on purpose; writers leave it alone
// even where they could (root, or a rename that needs only the folder's permission).
bool ownerMayWrite(const struct stat& status);

// Reads from the current position to the end; false on a read error.
bool readAll(int fd, std::string& bytes);
// Writes every byte; false on a write error.
bool writeAll(int fd, std::string_view bytes);

}  // namespace velmo
