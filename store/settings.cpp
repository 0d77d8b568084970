#include "store/settings.h"

#include <exception>

#include "store/file_helpers.h"
#include "store/folder_listing.h"
#include "store/text_helpers.h"

namespace velmo {
namespace {

std::string pathText(const std::filesystem::path& path) {
    return path.string();
}

// The settings folder and the start folder, each listed once for one read.
class SettingsFolders {
public:
    explicit SettingsFolders(const SettingsFilePlace& place)
        : ownFile_(place.settingsFile),
          startFile_(std::filesystem::path(place.startFolder) / kSettingsFileName),
          own_(ownFile_.parent_path()) {
        if (startFile_.parent_path().lexically_normal() !=
            ownFile_.parent_path().lexically_normal())
            start_.emplace(startFile_.parent_path());
    }

    const std::filesystem::path& ownFile() const { return ownFile_; }
    const std::filesystem::path& startFile() const { return startFile_; }
    const FolderListing& own() const { return own_; }
    const FolderListing& start() const { return start_ ? *start_ : own_; }

private:
    std::filesystem::path ownFile_;
    std::filesystem::path startFile_;
    FolderListing own_;
    std::optional<FolderListing> start_;
};

SettingsFileChoice chooseSettingsFile(const SettingsFilePlace& place,
                                      const SettingsFolders& folders) {
    const bool ownExists = folders.own().containsAny(folders.ownFile().filename().string());
    const bool startExists = folders.start().containsAny(kSettingsFileName);

    SettingsFileChoice choice{folders.ownFile(), false};
    if (place.localOperation && !ownExists && startExists)
        choice.readFrom = folders.startFile();
    choice.openNetworkSetupPage = !place.localOperation && !ownExists && !startExists &&
                                  place.startedFromNetwork && place.startMarkerExists &&
                                  !trimSpaces(place.profileFolder).empty();
    return choice;
}

}  // namespace

SettingsFileChoice chooseSettingsFile(const SettingsFilePlace& place) {
    return chooseSettingsFile(place, SettingsFolders(place));
}

SettingsStore::ReadResult SettingsStore::read(const SettingsEnvironment& env, Sleeper& sleeper) {
    const SettingsFolders folders(place_);
    const SettingsFileChoice choice = chooseSettingsFile(place_, folders);
    const bool fromOwnFolder = choice.readFrom == folders.ownFile();
    const ProfileFile file = ProfileFile::load(
        choice.readFrom, fromOwnFolder ? folders.own() : folders.start(), kSettingsRetry, sleeper);
    SettingsReadNotes notes;
    ReadResult result;
    result.settings = readSettings(file, env, &notes);
    result.outcome = file.loadOutcome();
    result.path = file.path();
    result.openNetworkSetupPage = choice.openNetworkSetupPage;
    for (const std::string& folder : notes.windowsFolders) {
        if (reportedWindowsFolders_.insert(folder).second)
            result.windowsFoldersToReport.push_back(folder);
    }
    saveBlocked_ = file.isUnreadable();
    movingFrom_.reset();
    if (file.loadOutcome() == ProfileFile::LoadOutcome::Loaded && !fromOwnFolder)
        movingFrom_ = file.path();
    if (fromOwnFolder)
        result.settingsFile = file;
    return result;
}

SettingsSaveResult SettingsStore::save(const TorkaSettings& settings,
                                       const SettingsSaveContext& context, Sleeper& sleeper) {
    if (saveBlocked_)
        return {ProfileFile::SaveOutcome::Refused, place_.settingsFile};
    // Settings read from the start folder move to the settings folder whole, with the
    // sections of the other windows.
    if (movingFrom_ && !existsAny(place_.settingsFile))
        copyFile(*movingFrom_, place_.settingsFile);
    ProfileFile file = ProfileFile::load(place_.settingsFile, kSettingsRetry, sleeper);
    if (!writeSettings(file, settings, context))
        return {ProfileFile::SaveOutcome::Unencodable, file.path()};
    return {file.save(kSettingsRetry, sleeper), file.path()};
}

bool updateSettingsFile(const std::filesystem::path& settingsFile, Sleeper& sleeper,
                        const std::function<void(ProfileFile&)>& change) {
    ProfileFile file = ProfileFile::load(settingsFile, kSettingsRetry, sleeper);
    if (file.isUnreadable())
        return false;
    change(file);
    return file.save(kSettingsRetry, sleeper) == ProfileFile::SaveOutcome::Saved;
}

bool saveBackupNames(const std::filesystem::path& settingsFile,
                     const std::array<std::string, 3>& names, Sleeper& sleeper) {
    return updateSettingsFile(settingsFile, sleeper, [&](ProfileFile& file) {
        TorkaSettings settings;
        DataKeys& d = settings.data;
        d.CaFT1 = names[0];
        d.CaFT2 = names[1];
        d.CaFT3 = names[2];
        // A name no line can hold is left out; the others are still saved.
        writeSettingsKeys(file, settings, {&d.CaFT1, &d.CaFT2, &d.CaFT3});
    });
}

bool saveWindowPlace(const std::filesystem::path& settingsFile, const std::string& section,
                     const WindowPlace& place, Sleeper& sleeper) {
    return updateSettingsFile(settingsFile, sleeper, [&](ProfileFile& file) {
        if (place.left && place.top) {
            file.writeInt(section, "fmTop", *place.top);
            file.writeInt(section, "fmLeft", *place.left);
        }
        file.writeInt(section, "fmWidth", place.width);
        file.writeInt(section, "fmHeight", place.height);
    });
}

std::string windowsFolderMessage(const std::vector<std::string>& folders) {
    std::string text;
    for (const std::string& folder : folders) {
        if (!text.empty())
            text += "\r\n";
        text += "Windows の設定フォルダ[" + folder + "]は使用できないため、設定を解除しました。";
    }
    return text;
}

std::string settingsUnreadableMessage(const std::filesystem::path& path) {
    return "設定ファイル[" + pathText(path) +
           "]を読み込めませんでした。\r\n既定の設定を使い、この設定ファイルへの保存は行いません。";
}

std::string settingsSaveFailedMessage(const SettingsSaveResult& result) {
    const std::string file = result.path.empty() ? std::string("設定ファイル")
                                                 : "設定ファイル[" + pathText(result.path) + "]";
    switch (result.outcome) {
        case ProfileFile::SaveOutcome::Refused:
            return file + "は読み込めなかったため、上書き保存しませんでした。";
        case ProfileFile::SaveOutcome::Unencodable:
            return file + "に保存できない文字があるため、保存できませんでした。";
        case ProfileFile::SaveOutcome::Saved:
        case ProfileFile::SaveOutcome::Failed:
            break;
    }
    return file + "を保存できませんでした。";
}

}  // namespace velmo
