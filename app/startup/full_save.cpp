#include "app/startup/full_save.h"

#include <exception>

namespace velmo {

FullSaveResult fullSave(const std::function<SettingsSaveResult()>& saveSettingsStep,
                        const std::function<bool()>& saveDataStep, UserInterface& ui) {
    SettingsSaveResult settings;
    try {
        settings = saveSettingsStep();
    } catch (const std::exception&) {
        settings = {ProfileFile::SaveOutcome::Failed, {}};
    }
    FullSaveResult result;
    result.settingsSaved = settings.saved();
    try {
        result.dataSaved = saveDataStep();
    } catch (const std::exception&) {
        result.dataSaved = false;
    }
    if (!result.settingsSaved)
        ui.error(settingsSaveFailedMessage(settings), kMainInformationCaption);
    return result;
}

}  // namespace velmo
