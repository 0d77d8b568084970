#pragma once
// The full save of the whole program: the settings first, then every month and the
// period list.

#include <functional>

#include "core/user_interface.h"
#include "store/settings.h"

namespace velmo {

struct FullSaveResult {
    bool settingsSaved = false;
    bool dataSaved = false;

    bool ok() const { return settingsSaved && dataSaved; }
};

// The full save: the settings, then the data. The data save always runs, whatever
// became of the settings (a settings failure must not cost the user's schedules); a
// settings failure is reported after it. An exception from a step counts as a failure.
FullSaveResult fullSave(const std::function<SettingsSaveResult()>& saveSettingsStep,
                        const std::function<bool()>& saveDataStep, UserInterface& ui);

}  // namespace velmo
