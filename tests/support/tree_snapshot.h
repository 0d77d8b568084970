#pragma once
// Every file below a folder with its bytes (links as "-> target"), for comparing a
// folder before and after an operation byte for byte.

#include <filesystem>
#include <map>
#include <string>

#include "tests/support/temp_folder.h"

namespace velmo::testing {

inline std::map<std::string, std::string> treeSnapshot(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> files;
    std::error_code error;
    for (fs::recursive_directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = fs::relative(entry->path(), folder).string();
        if (entry->is_symlink())
            files[name] = "-> " + fs::read_symlink(entry->path()).string();
        else if (entry->is_directory())
            files[name + "/"] = {};
        else
            files[name] = TempFolder::read(entry->path());
    }
    return files;
}

}  // namespace velmo::testing
