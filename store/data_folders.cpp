#include "store/data_folders.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "store/file_helpers.h"
#include "store/text_helpers.h"

namespace velmo {
namespace {

void requireDataSet(int number) {
    if (number < 1 || number > kDataSetCount)
        throw std::out_of_range("data set " + std::to_string(number));
}

std::string asFolder(const std::string& text) {
    const std::string trimmed = trimSpaces(text);
    return trimmed.empty() ? std::string() : withTrailingSeparator(trimmed);
}

}  // namespace

bool folderExistsOnDisk(const std::string& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(folder, ec);
}

std::string dataSetFolder(int number) {
    requireDataSet(number);
    return std::string(kCommonDataFolderName) + "Files" + std::to_string(number) + "/";
}

std::string dataSetFolderText(int number) {
    requireDataSet(number);
    return "Data\\Files" + std::to_string(number) + "\\";
}

DataLocation DataLocation::flat(const std::string& dataRoot) {
    return DataLocation(1, dataRoot, false);
}

DataLocation DataLocation::dataSet(const std::string& dataRoot, int number) {
    return DataLocation(number, dataRoot + dataSetFolder(number), false);
}

DataLocation DataLocation::shared(const std::string& sharedFolder) {
    return DataLocation(1, sharedFolder + dataSetFolder(1), true);
}

std::string dataRootFor(const std::string& edFolder, const std::string& startFolder) {
    const std::string root = asFolder(edFolder);
    return root.empty() ? asFolder(startFolder) : root;
}

DataFolders decideDataFolders(const std::string& edFolder, const std::string& startFolder,
                              int storedDataFormat, const FolderExists& exists) {
    DataFolders folders;
    folders.dataRoot = dataRootFor(edFolder, startFolder);
    // Without Files1 the files stay in the data root, even under a stored format 2.
    const bool setsFound = exists(folders.dataRoot + dataSetFolder(1));
    folders.local = setsFound ? DataLocation::dataSet(folders.dataRoot, 1)
                              : DataLocation::flat(folders.dataRoot);
    folders.dataFormat = (setsFound || storedDataFormat == 2) ? 2 : 1;
    const std::string common = folders.dataRoot + kCommonDataFolderName;
    folders.commonFolder = (folders.dataFormat == 2 && exists(common)) ? common : folders.dataRoot;
    return folders;
}

bool switchDataSet(DataFolders& folders, int number, const FolderExists& exists) {
    if (folders.dataFormat != 2 || folders.shared || number < 1 || number > kDataSetCount)
        return false;
    if (!exists(folders.dataRoot + dataSetFolder(number)))
        return false;
    folders.local = DataLocation::dataSet(folders.dataRoot, number);
    return true;
}

std::array<bool, kDataSetCount> dataSetMenuEnabled(const DataFolders& folders,
                                                   const FolderExists& exists) {
    std::array<bool, kDataSetCount> enabled{};
    if (folders.dataFormat != 2)
        return enabled;
    for (int n = 1; n <= kDataSetCount; ++n)
        enabled[static_cast<std::size_t>(n - 1)] = exists(folders.dataRoot + dataSetFolder(n));
    return enabled;
}

std::string sharedFolderFor(const std::string& edtNetFolder, const std::string& dnFolder,
                            const FolderExists& exists) {
    const std::string dn = asFolder(dnFolder);
    if (!dn.empty() && exists(dn))
        return dn;
    return asFolder(edtNetFolder);
}

NetworkDecision decideNetworkMode(bool cbNet, bool vNetFlg, const std::string& sharedFolder,
                                  DataFolders& folders, const FolderExists& exists,
                                  NetworkModeSwitch& networkSwitch) {
    folders.shared.reset();
    if (!cbNet || !vNetFlg)
        return {NetworkState::Off, NetworkOffReason::NotRequested};
    const DataLocation shared = DataLocation::shared(sharedFolder);
    if (sharedFolder.empty() || !exists(shared.folder()))
        return {NetworkState::Unavailable, NetworkOffReason::SharedFolderMissing};
    switch (networkSwitch.switchOn(sharedFolder)) {
        case NetworkModeSwitch::Result::On:
            folders.shared = shared;
            return {NetworkState::On, NetworkOffReason::None};
        case NetworkModeSwitch::Result::NotBuilt:
            return {NetworkState::Off, NetworkOffReason::NotBuilt};
        case NetworkModeSwitch::Result::Failed:
            break;
    }
    return {NetworkState::Off, NetworkOffReason::StartFailed};
}

FolderReadResult decideFoldersForRead(const FolderReadInputs& inputs, const DataFolders* earlier,
                                      const FolderExists& exists,
                                      NetworkModeSwitch& networkSwitch) {
    FolderReadResult result;
    if (earlier && !inputs.decideAgain) {
        result.folders = *earlier;
    } else {
        result.folders =
            decideDataFolders(inputs.edFolder, inputs.startFolder, inputs.storedDataFormat, exists);
        if (earlier && earlier->commonFolder != result.folders.commonFolder) {
            result.commonDataNotice =
                commonDataChangedMessage(earlier->commonFolder, result.folders.commonFolder);
        }
    }
    result.menuEnabled = dataSetMenuEnabled(result.folders, exists);
    result.sharedFolder = sharedFolderFor(inputs.edtNetFolder, inputs.dnFolder, exists);
    result.network = decideNetworkMode(inputs.cbNet, inputs.vNetFlg, result.sharedFolder,
                                       result.folders, exists, networkSwitch);
    return result;
}

std::string commonDataChangedMessage(const std::string& oldFolder, const std::string& newFolder) {
    return std::string("共通データが書き変わりました。(") + "1" + ")" + "\r\n" + "以前：" +
           oldFolder + "\r\n" + "今回：" + newFolder;
}

}  // namespace velmo
