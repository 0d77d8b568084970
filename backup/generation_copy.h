#pragma once
// The generation copy: a folder copied into a backup root as numbered generations
// "01_" + base name (newest) .. "0g_" + base name, the oldest dropped. The new copy is
// made and verified beside the generations ("tmp_" + base name) before any generation
// is touched, so a copy that fails, or a run killed at any moment, leaves every
// generation as it was (at worst a stale "tmp_" folder, which the next run replaces).

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "calendar/julius_day.h"
#include "core/clock.h"
#include "core/user_interface.h"

namespace velmo {

struct GenerationCopyRequest {
    std::filesystem::path source;  // S
    std::filesystem::path root;    // R
    int generations = 3;           // g, 2..9
    std::string baseName;          // B
    bool report = true;            // tell the user about failures
};

// Copies S into R/"01_"+B, shifting the older generations up by one and keeping at most
// g of them. True when the new generation is in place. When the rotation fails midway,
// the generations not yet shifted stay at their numbers and those shifted sit one number
// higher; none is deleted that was not beyond the kept number, and the new copy is
// dropped. When only the last rename of the new copy fails, "02" is renamed back to "01".
bool generationCopy(const GenerationCopyRequest& request, UserInterface& ui);

// The generation folder k: R/"%02d_"+B.
std::filesystem::path generationFolder(const std::filesystem::path& root,
                                       const std::string& baseName, int number);

struct GenerationInfo {
    int number = 0;
    std::filesystem::path folder;
    std::optional<Ymd> markerDate;  // the day its date marker names, if it has one
};

// The generation folders 01..99 found in the root, newest first.
std::vector<GenerationInfo> listGenerations(const std::filesystem::path& root,
                                            const std::string& baseName);

}  // namespace velmo
