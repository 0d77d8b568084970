#include "app/startup/pending_deletions.h"

#include <filesystem>
#include <system_error>

#include "store/file_helpers.h"

namespace velmo {

namespace fs = std::filesystem;

namespace {

std::string normalised(const std::string& path) {
    std::error_code ignored;
    std::string text = fs::weakly_canonical(fs::absolute(path, ignored), ignored).string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

}  // namespace

bool protectsFolder(const std::string& path, const std::vector<std::string>& keptFolders) {
    const std::string candidate = normalised(path);
    if (candidate == "/" || candidate.empty())
        return true;
    for (const std::string& kept : keptFolders) {
        if (kept.empty())
            continue;
        const std::string folder = normalised(kept);
        if (folder == candidate)
            return true;
        if (folder.size() > candidate.size() &&
            folder.compare(0, candidate.size(), candidate) == 0 &&
            folder[candidate.size()] == '/') {
            return true;
        }
    }
    return false;
}

bool deleteFileSilently(const std::string& path, const std::vector<std::string>& keptFolders) {
    std::error_code error;
    if (path.empty() || !fs::is_regular_file(fs::symlink_status(path, error)) ||
        protectsFolder(path, keptFolders)) {
        return false;
    }
    return fs::remove(path, error) && !error;
}

std::string deleteOfferedArchive(const std::string& path,
                                 const std::vector<std::string>& keptFolders) {
    return deleteFileSilently(path, keptFolders) ? "[ " + path + " ]を削除しました。"
                                                 : "[ " + path + " ]は削除できませんでした。";
}

std::string deleteOfferedWorkFolder(const std::string& path,
                                    const std::vector<std::string>& keptFolders) {
    std::error_code error;
    if (!fs::is_directory(path, error) || !findCaseInsensitive(path, "localfol.myc")) {
        return "このフォルダ[ " + path +
               " ]はワークフォルダでない可能性がありますので、削除いたしません。";
    }
    if (protectsFolder(path, keptFolders)) {
        return "フォルダ[ " + path + " ]は削除できませんでした。";
    }
    fs::remove_all(path, error);
    return error ? "フォルダ[ " + path + " ]は削除できませんでした。"
                 : "フォルダ[ " + path + " ]を削除しました。";
}

}  // namespace velmo
