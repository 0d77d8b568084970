#include "backup/folder_name_encoding.h"

#include <string_view>

namespace velmo {

namespace {

void replaceEvery(std::string& text, std::string_view from, std::string_view to) {
    std::string result;
    std::size_t start = 0;
    for (std::size_t hit = text.find(from); hit != std::string::npos;
         hit = text.find(from, start)) {
        result.append(text, start, hit - start).append(to);
        start = hit + from.size();
    }
    result.append(text, start, std::string::npos);
    text = std::move(result);
}

}  // namespace

std::string encodeFolderName(std::string path) {
    if (!path.empty() && path.back() == '/')
        path.pop_back();
    replaceEvery(path, "//", "Net_");
    replaceEvery(path, ":", "-");
    replaceEvery(path, " ", "_S_");
    replaceEvery(path, ".", "_D_");
    replaceEvery(path, "/", "_");
    return path;
}

std::string decodeFolderName(std::string name) {
    replaceEvery(name, "Net_", "//");
    replaceEvery(name, "-", ":");
    replaceEvery(name, "_S_", " ");
    replaceEvery(name, "_D_", ".");
    replaceEvery(name, "_", "/");
    return name + "/";
}

}  // namespace velmo
