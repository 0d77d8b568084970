#include "app/startup/run_settings.h"

#include "store/file_helpers.h"

namespace velmo {

namespace {

SettingsFilePlace placeOf(const StartFolders& folders) {
    SettingsFilePlace place;
    place.settingsFile = folders.settingsFile;
    place.startFolder = folders.startFolder;
    place.localOperation = folders.localOperation;
    place.startedFromNetwork = folders.startedFromNetwork;
    place.startMarkerExists = existsPlainFile(folders.startMarker);
    place.profileFolder = folders.profileFolder;
    return place;
}

SettingsEnvironment environmentOf(const StartFolders& folders, const DesktopFacts& desktop,
                                  const Clock& clock) {
    SettingsEnvironment env{clock};
    env.workAreaHeight = desktop.workAreaHeight;
    env.startedFromNetwork = folders.startedFromNetwork;
    env.windowTop = desktop.windowTop;
    env.windowLeft = desktop.windowLeft;
    return env;
}

}  // namespace

RunSettings::RunSettings(const StartFolders& folders, const LaunchOptions& options,
                         const Clock& clock, Sleeper& sleeper, NetworkModeSwitch& networkSwitch)
    : start_(folders),
      options_(options),
      clock_(clock),
      sleeper_(sleeper),
      networkSwitch_(networkSwitch),
      store_(placeOf(folders)),
      settings_(defaultSettings(SettingsEnvironment{clock})),
      firstNetworkSetup_(options.firstNetworkSetup && folders.startedFromNetwork &&
                         !existsPlainFile(folders.startMarker)) {}

void RunSettings::read(const DesktopFacts& desktop, UserInterface& ui) {
    SettingsEnvironment env = environmentOf(start_, desktop, clock_);
    env.foundEditor = foundEditor_;
    env.foundPrintProgram = foundPrintProgram_;
    // A shared folder found by an earlier read of this run outlives later reads; the
    // first network setup ignores the stored keys for the whole run.
    if (folders_ && (firstNetworkSetup_ || !folders_->sharedFolder.empty())) {
        env.keptSharedFolderKeys = settings_.network;
    } else if (!folders_ && firstNetworkSetup_) {
        env.keptSharedFolderKeys = firstNetworkSetupKeys(start_.startFolder);
    }
    SettingsStore::ReadResult result = store_.read(env, sleeper_);
    settings_ = result.settings;
    settingsFile_ = std::move(result.settingsFile);
    if (result.outcome == ProfileFile::LoadOutcome::Unreadable) {
        ui.error(settingsUnreadableMessage(result.path), kMainInformationCaption);
    }
    if (!result.windowsFoldersToReport.empty()) {
        informMain(ui, windowsFolderMessage(result.windowsFoldersToReport));
    }

    FolderReadInputs inputs;
    inputs.startFolder = start_.startFolder;
    inputs.edFolder = settings_.data.edFolder;
    inputs.storedDataFormat = settings_.yDataForm;
    inputs.edtNetFolder = settings_.network.edtNetFolder;
    inputs.dnFolder = options_.sharedFolderOverride;
    inputs.cbNet = settings_.network.cbNet;
    inputs.vNetFlg = settings_.network.vNet_flg;
    const DataFolders* earlier = folders_ ? &folders_->folders : nullptr;
    FolderReadResult decision =
        decideFoldersForRead(inputs, earlier, folderExistsOnDisk, networkSwitch_);
    if (decision.commonDataNotice)
        informMain(ui, *decision.commonDataNotice);
    folders_ = std::move(decision);
}

SettingsSaveResult RunSettings::save(std::optional<std::pair<int, int>> windowTopLeft) {
    if (windowTopLeft && (windowTopLeft->first != 0 || windowTopLeft->second != 0)) {
        settings_.window.fmC21Top = windowTopLeft->first;
        settings_.window.fmC21Left = windowTopLeft->second;
    }
    SettingsSaveContext context;
    context.startFolder = start_.startFolder;
    if (folders_) {
        context.dataFormat = folders_->folders.dataFormat;
        context.dataSet = folders_->folders.local.number();
    }
    return store_.save(settings_, context, sleeper_);
}

}  // namespace velmo
