#include "store/file_helpers.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>

#include "store/cp932.h"
#include "store/folder_listing.h"
#include "store/line_file.h"
#include "store/regular_file.h"
#include "store/text_helpers.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {

constexpr std::string_view kSeparator = "/";

// Folds ASCII case and splits into code points, so "?" takes a whole character.
std::u32string foldedCodePoints(std::string_view text) {
    std::u32string result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t c = cp932::nextCodePoint(text, pos);
        if (c >= U'A' && c <= U'Z')
            c = c - U'A' + U'a';
        result.push_back(c);
    }
    return result;
}

bool wildcardMatch(std::u32string_view name, std::u32string_view mask) {
    // Iterative matching with a single back-track point for the latest "*".
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = std::u32string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == U'?' || mask[m] == name[n])) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == U'*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::u32string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == U'*')
        ++m;
    return m == mask.size();
}

bool entryExists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

}  // namespace

bool matchesMask(std::string_view name, std::string_view mask) {
    if (mask == "*.*")
        mask = "*";
    return wildcardMatch(foldedCodePoints(name), foldedCodePoints(mask));
}

bool isPattern(const fs::path& path) {
    return path.filename().string().find_first_of("*?") != std::string::npos;
}

std::vector<fs::path> matchingEntries(const fs::path& pathOrPattern) {
    return FolderListing(pathOrPattern.parent_path()).matching(pathOrPattern.filename().string());
}

bool existsAny(const fs::path& pathOrPattern) {
    if (!isPattern(pathOrPattern) && entryExists(pathOrPattern))
        return true;
    return FolderListing(pathOrPattern.parent_path())
        .containsAny(pathOrPattern.filename().string());
}

bool existsPlainFile(const fs::path& pathOrPattern) {
    std::error_code ec;
    if (!isPattern(pathOrPattern) && fs::is_regular_file(pathOrPattern, ec))
        return true;
    return FolderListing(pathOrPattern.parent_path())
        .containsPlainFile(pathOrPattern.filename().string());
}

std::optional<fs::path> findCaseInsensitive(const fs::path& folder, std::string_view name) {
    if (name.empty())
        return std::nullopt;
    const fs::path exact = folder / name;
    if (entryExists(exact))
        return exact;
    return FolderListing(folder).find(name);
}

fs::path resolveCaseInsensitive(const fs::path& path) {
    if (entryExists(path) || !path.has_filename())
        return path;
    return findCaseInsensitive(path.parent_path(), path.filename().string()).value_or(path);
}

bool copyFile(const fs::path& from, const fs::path& to) {
    const OpenedFile source = openRegularFile(resolveCaseInsensitive(from), FileAccess::Read);
    std::string bytes;
    if (source.outcome != OpenOutcome::Opened || !readAll(source.fd.get(), bytes))
        return false;
    ThreadSleeper noPause;
    return writeFileAtomically(to, bytes, {1, std::chrono::milliseconds(0)}, noPause);
}

std::optional<LocalDateTime> fileDate(const fs::path& path) {
    struct stat st {};
    if (::stat(resolveCaseInsensitive(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    std::tm local{};
    if (!localtime_r(&st.st_mtim.tv_sec, &local))
        return std::nullopt;
    return LocalDateTime{local.tm_year + 1900,
                         local.tm_mon + 1,
                         local.tm_mday,
                         local.tm_hour,
                         local.tm_min,
                         local.tm_sec,
                         static_cast<int>(st.st_mtim.tv_nsec / 1000000)};
}

bool createFolderChain(const fs::path& folder) {
    const std::string text = withoutTrailingSeparator(folder.string());
    if (text.empty())
        return false;
    const fs::path target(text);
    std::error_code ec;
    if (fs::is_directory(target, ec))
        return true;
    const fs::path parent = target.parent_path();
    if (!parent.empty() && parent != target && !entryExists(parent)) {
        if (!createFolderChain(parent))
            return false;
    }
    fs::create_directory(target, ec);
    return !ec && fs::is_directory(target, ec);
}

bool ensureFolder(const std::string& folder, bool create, bool ask, UserInterface& ui) {
    std::string path = withoutTrailingSeparator(folder);
    if (path.empty() && !folder.empty())
        path = std::string(kSeparator);  // the root
    std::error_code ec;
    if (!path.empty() && fs::is_directory(path, ec))
        return true;
    if (!create)
        return false;
    if (ask && !velmo::ask(ui, "フォルダ[" + path + "]が存在しません。\r\n作成しますか。",
                           DefaultButton::Yes)) {
        return false;
    }
    const bool created = createFolderChain(path);
    if (!created && ask) {
        ui.message("フォルダ[" + path + "]が作成出来ません。\r\nフォルダの作成を中止します。");
    }
    return created;
}

std::string withTrailingSeparator(std::string_view folder) {
    return ensureTrailing(folder, kSeparator);
}

std::string withoutTrailingSeparator(std::string_view folder) {
    return stripTrailing(folder, kSeparator);
}

}  // namespace velmo
