#pragma once
// Shared set-up of the benchmarks.

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmo::bench {

// The bundled holiday rules from the source tree, as the seeded start folder gets them.
inline std::vector<std::string> bundledHolidayLines() {
    // Not __FILE__: with a shared compiler cache it may be relative to another folder.
    const std::filesystem::path file =
        std::filesystem::path(VELMO_SOURCE_DIR) / "resources/seed/Hday.dat";
    std::ifstream in(file);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace velmo::bench
