#include "backup/generation_copy.h"

#include <cstdio>
#include <system_error>

#include "backup/date_marker.h"
#include "backup/folder_operations.h"
#include "store/file_helpers.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {

constexpr int kMaxGenerations = 99;

bool existsAt(const fs::path& path) {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}

// A folder in R under the name of the source or of the base name would be mistaken for
// one of ours; it is put aside as "wk_" + its name, replacing an older one put aside.
bool putAside(const fs::path& root, const std::string& name) {
    const fs::path folder = root / name;
    if (name.empty() || !existsAt(folder))
        return true;
    const fs::path aside = root / ("wk_" + name);
    return removeFolderTree(aside) && moveFolder(folder, aside);
}

// Drops generations j..g so that at most g-1 remain, the highest first, then moves
// each remaining one up by one, the highest first. Stops at the first failure: what is
// below the failed step is still in place.
bool rotate(const GenerationCopyRequest& request, int highest) {
    const int g = request.generations;
    for (int k = highest; k >= g; --k) {
        if (!removeFolderTree(generationFolder(request.root, request.baseName, k)))
            return false;
    }
    for (int k = std::min(highest, g - 1); k >= 1; --k) {
        if (!moveFolder(generationFolder(request.root, request.baseName, k),
                        generationFolder(request.root, request.baseName, k + 1)))
            return false;
    }
    return true;
}

}  // namespace

fs::path generationFolder(const fs::path& root, const std::string& baseName, int number) {
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%02d_", number);
    return root / (prefix + baseName);
}

bool generationCopy(const GenerationCopyRequest& request, UserInterface& ui) {
    const std::string source = request.source.string();
    const std::string copyError = "世代コピーエラー [" + source + "]";
    auto fail = [&](const std::string& text) {
        if (request.report)
            ui.message(text);
        return false;
    };
    std::error_code error;
    if (!fs::is_directory(request.source, error))
        return fail("[" + source + "]がありません。");
    if (request.generations < 2 || request.generations > 9)
        return fail("世代の数が正しくありません。");
    if (request.baseName.empty() || foldersOverlap(request.root, request.source))
        return fail(copyError);
    if (!createFolderChain(request.root))
        return fail(copyError);

    int highest = 0;
    while (highest < kMaxGenerations &&
           existsAt(generationFolder(request.root, request.baseName, highest + 1)))
        ++highest;

    const std::string sourceName = request.source.filename().empty()
                                       ? request.source.parent_path().filename().string()
                                       : request.source.filename().string();
    if (!putAside(request.root, sourceName) || !putAside(request.root, request.baseName))
        return fail(copyError);

    const fs::path fresh = request.root / ("tmp_" + request.baseName);
    const ProgressScope progressShown(ui);
    const CopyProgress progress{[&ui](std::uint64_t done, std::uint64_t total) {
        ui.showProgress("世代バックアップ", done, total);
    }};
    if (!removeFolderTree(fresh) || !copyFolderTree(request.source, fresh, progress) ||
        !sameTree(request.source, fresh)) {
        removeFolderTree(fresh);
        return fail(copyError);
    }

    if (!rotate(request, highest)) {
        removeFolderTree(fresh);
        return fail("[" + withTrailingSeparator(request.root.string()) + "01_" + request.baseName +
                    "]の削除エラー\r\nフォルダはバックアップされていません。\r\n"
                    "手動でバックアップしておいてください。");
    }

    const fs::path newest = generationFolder(request.root, request.baseName, 1);
    if (!moveFolder(fresh, newest)) {
        // The previous newest is "02" by now; give it its number back so "01" still
        // names the latest backup.
        const fs::path second = generationFolder(request.root, request.baseName, 2);
        if (!existsAt(newest) && existsAt(second))
            moveFolder(second, newest);
        removeFolderTree(fresh);
        return fail(copyError);
    }
    return true;
}

std::vector<GenerationInfo> listGenerations(const fs::path& root, const std::string& baseName) {
    ThreadSleeper sleeper;
    std::vector<GenerationInfo> found;
    std::error_code error;
    for (int k = 1; k <= kMaxGenerations; ++k) {
        const fs::path folder = generationFolder(root, baseName, k);
        if (fs::is_directory(folder, error))
            found.push_back({k, folder, markerDate(folder, sleeper)});
    }
    return found;
}

}  // namespace velmo
