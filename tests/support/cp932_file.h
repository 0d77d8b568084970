#pragma once
// A file as the program keeps its data: the text in CP932, folders made as needed.

#include <filesystem>
#include <fstream>
#include <string>

#include "store/cp932.h"

namespace velmo::testing {

inline void writeCp932File(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << cp932::encode(text);
}

}  // namespace velmo::testing
