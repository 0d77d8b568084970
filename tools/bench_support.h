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
    const std::filesystem::path file =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "resources/seed/Hday.dat";
    std::ifstream in(file);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace velmo::bench
