#pragma once
// The first start of a new user: the start folder is filled so the program runs in local
// operation with data format 2 and asks no setup questions. The program and velmo-tool
// both seed through here, so whichever runs first leaves the folder the other expects.

#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"

namespace velmo {

// A bundled text file, one UTF-8 string per line; written in CP932 with CR LF.
struct SeedFile {
    std::string name;
    std::vector<std::string> lines;
};

// A text as it is committed under resources/seed/ (UTF-8, LF or CR LF line ends).
struct BundledText {
    std::string_view name;
    std::string_view text;
};
std::vector<BundledText> bundledSeedTexts();
std::vector<SeedFile> bundledSeedFiles();

enum class SeedOutcome { NotNeeded, Seeded, Failed };

// Seeds a folder that holds none of the program's marker and settings files (localfol.myc,
// Kidou.myc, Torka.ini, in any case), whether it is missing, empty or holds something
// else: the folders, the marker and the texts are added where missing. A file already
// there is never overwritten; a folder with a marker or settings file is the program's
// and is left alone.
SeedOutcome seedStartFolder(const std::string& folder, const std::vector<SeedFile>& files,
                            Sleeper& sleeper);

// The same with the bundled texts.
SeedOutcome seedStartFolder(const std::string& folder, Sleeper& sleeper);

}  // namespace velmo
