#pragma once
// A fresh folder under the system temp folder, removed again with the object.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Writes raw bytes to a file below the folder, creating parent folders.
    std::filesystem::path write(std::string_view name, std::string_view bytes) const;
    // Reads a whole file's raw bytes.
    static std::string read(const std::filesystem::path& file);
    // The folders directly below a folder, in name order; none when it does not exist.
    static std::vector<std::filesystem::path> subfolders(const std::filesystem::path& folder);

private:
    std::filesystem::path path_;
};

}  // namespace velmo::testing
