#include "app/startup/written_folders.h"

#include <algorithm>

#include "store/file_helpers.h"

namespace velmo {

std::vector<std::filesystem::path> foldersWrittenByRun(const StartFolders& start,
                                                       const DataFolders& data) {
    std::vector<std::string> folders = {
        start.startFolder, start.settingsFolder, start.userFolder,   start.safeguardFolder,
        data.dataRoot,     data.commonFolder,    data.local.folder()};
    if (!data.dataRoot.empty()) {
        for (int number = 1; number <= kDataSetCount; ++number)
            folders.push_back(withTrailingSeparator(data.dataRoot) + dataSetFolder(number));
    }
    if (data.shared)
        folders.push_back(data.shared->folder());

    std::vector<std::filesystem::path> result;
    for (const std::string& folder : folders) {
        if (folder.empty())
            continue;
        const std::filesystem::path path =
            std::filesystem::path(withoutTrailingSeparator(folder)).lexically_normal();
        if (std::find(result.begin(), result.end(), path) == result.end())
            result.push_back(path);
    }
    return result;
}

}  // namespace velmo
