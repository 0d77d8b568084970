#include "editor_models/link_target.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "store/regular_file.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    const int lower = std::tolower(static_cast<unsigned char>(c));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// %XX as the byte it stands for; a "%" without two hex digits stays as it is.
std::string percentDecoded(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                decoded += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

bool hasScriptExtension(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* runnable : {".sh", ".py", ".pl", ".rb", ".desktop"}) {
        if (extension == runnable)
            return true;
    }
    return false;
}

// Whether the file starts with "#!". Opened without blocking, so a pipe put there
// cannot hang the window.
bool startsWithShebang(const fs::path& path) {
    const OpenedFile file = openRegularFile(path, FileAccess::Read);
    if (file.outcome != OpenOutcome::Opened)
        return false;
    std::array<char, 2> head{};
    return ::read(file.fd.get(), head.data(), head.size()) == 2 && head[0] == '#' && head[1] == '!';
}

bool isRunnable(const fs::path& path, const fs::file_status& status) {
    if (status.type() != fs::file_type::regular)
        return false;
    constexpr fs::perms kExecute =
        fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return (status.permissions() & kExecute) != fs::perms::none || hasScriptExtension(path) ||
           startsWithShebang(path);
}

}  // namespace

LinkTarget classifyLink(std::string_view link) {
    for (const char* prefix : {"http:", "https:", "ftp:"}) {
        if (startsWithNoCase(link, prefix))
            return {LinkKind::WebAddress, std::string(link)};
    }
    if (startsWithNoCase(link, "www."))
        return {LinkKind::WebAddress, "http://" + std::string(link)};

    std::string_view rest = link;
    if (startsWithNoCase(rest, "file:")) {
        rest.remove_prefix(5);
        if (rest.starts_with("//"))
            rest.remove_prefix(2);
    }
    const std::string path = percentDecoded(rest);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (path.empty() || !fs::exists(status))
        return {LinkKind::MissingFile, path};
    return {isRunnable(path, status) ? LinkKind::Runnable : LinkKind::Document, path};
}

std::string missingLinkMessage(std::string_view path) {
    return kMissingLinkBefore + std::string(path) + kMissingLinkAfter;
}

std::string runLinkQuestion(std::string_view path) {
    return kRunLinkBefore + std::string(path) + kRunLinkAfter;
}

}  // namespace velmo
