#include "shared/shared_folder_box.h"

#include <algorithm>

#include "store/text_helpers.h"

namespace velmo {
namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

}  // namespace

std::optional<std::filesystem::path> sharedFolderFromBox(std::string_view box) {
    const std::string text = trimSpaces(box);
    if (text.empty())
        return std::nullopt;
    const std::filesystem::path folder = std::filesystem::path(text + "/").lexically_normal();
    if (!folder.is_absolute())
        return std::nullopt;
    return folder;
}

std::string emptiedWhenStartFolder(std::string_view box, std::string_view startFolder) {
    const std::string folder = ensureTrailing(box, "/");
    if (!folder.empty() && equalIgnoringAsciiCase(folder, ensureTrailing(startFolder, "/")))
        return {};
    return std::string(box);
}

}  // namespace velmo
