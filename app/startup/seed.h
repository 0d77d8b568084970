#pragma once
// The first start of a new user: the start folder is created and filled once so the
// program runs in local operation with data format 2 and asks no setup questions.

#include <string>
#include <vector>

#include "core/clock.h"

namespace velmo {

// A bundled text file, one UTF-8 string per line; written in CP932 with CR LF.
struct SeedFile {
    std::string name;
    std::vector<std::string> lines;
};

enum class SeedOutcome { NotNeeded, Seeded, Failed };

// Seeds the folder when it does not exist or is empty; a folder holding anything is the
// user's and is never touched.
SeedOutcome seedStartFolderIfNew(const std::string& folder, const std::vector<SeedFile>& files,
                                 Sleeper& sleeper);

}  // namespace velmo
