#pragma once
// Shared set-up of the benchmarks.

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/user_interface.h"

namespace velmo::bench {

// Schedule texts as offices write them: ASCII and double-byte characters mixed, "，" for
// ",", half-width katakana.
inline constexpr std::string_view kScheduleTexts[] = {
    "定例会議（第３会議室）",
    "10:00 打合せ ABC商事 佐藤様",
    "歯医者",
    "プロジェクト進捗報告，資料準備",
    "Team lunch @ cafeteria",
    "出張：大阪（新幹線のぞみ 7:03発）",
    "締切 ― 請求書発行",
    "誕生日",
    "ｶﾀｶﾅﾒﾓ 半角",
    "月次棚卸し・在庫確認",
};

// Nobody answers a benchmark: every question gets No and every text goes to stderr.
class StderrUserInterface final : public UserInterface {
public:
    bool question(const std::string& text, const std::string&, DefaultButton) override {
        message(text);
        return false;
    }
    void information(const std::string& text, const std::string&) override { message(text); }
    void error(const std::string& text, const std::string&) override { message(text); }
    void message(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void showWaitWindow() override {}
    void hideWaitWindow() override {}
};

// A fresh folder under the system temp folder, removed again with the object.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmo-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

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
