#pragma once
// Every name below a folder with its bytes (folders as "/"), for the backup tests that
// check a failed run left the backup root exactly as it was.

#include <filesystem>
#include <map>
#include <string>

#include "tests/support/temp_folder.h"

namespace velmo::testing {

inline std::map<std::string, std::string> treeSnapshot(const std::filesystem::path& root) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string name = entry.path().lexically_relative(root).string();
        entries[name] = entry.is_directory() ? "/" : TempFolder::read(entry.path());
    }
    return entries;
}

}  // namespace velmo::testing
