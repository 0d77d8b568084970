#include "app/navigation/data_set_switch.h"

namespace velmo {

std::string dataSetFolderMissingMessage(const std::string& folder) {
    return folder + "のフォルダがありません。" + "\r\n" +
           "セットアップされていない場合は、セットアップすれば、作成されます。";
}

DataSetSwitchOutcome switchToDataSet(const DataSetSwitchRequest& request, DataFolders& folders,
                                     const FolderExists& exists, UserInterface& ui,
                                     const DataSetSwitchHooks& hooks) {
    const int number = request.number;
    if (request.networkMode || folders.shared || number < 1 || number > kDataSetCount ||
        number == folders.local.number())
        return DataSetSwitchOutcome::Refused;
    // Checked before saving, so a refused switch writes nothing. Files1 is checked too:
    // it can only be missing when it was removed during the run, and a silent refusal
    // would leave the user guessing.
    const std::string folder = folders.dataRoot + dataSetFolder(number);
    if (!exists(folder)) {
        ui.message(dataSetFolderMissingMessage(folder));
        return DataSetSwitchOutcome::FolderMissing;
    }
    // A flat data folder has only data set 1; its menu items are disabled anyway.
    if (folders.dataFormat != 2)
        return DataSetSwitchOutcome::Refused;

    // Without a successful save the switch stops: reloading would drop the unsaved
    // edits, and saving them later would write them into the other data set's folder.
    // The save has shown its own failure messages.
    if (!hooks.saveBeforeLeaving())
        return DataSetSwitchOutcome::NotSaved;
    if (!request.backupOnlyWhenResident)
        hooks.automaticBackup();
    // Only fails when the folder vanished since the check above; the data is saved.
    if (!switchDataSet(folders, number, exists)) {
        ui.message(dataSetFolderMissingMessage(folder));
        return DataSetSwitchOutcome::FolderMissing;
    }
    hooks.reloadAll(true);
    if (!hooks.monthInWindow(request.shownYearMonth))
        hooks.activateMonthPage();
    hooks.showMonth(request.shownYearMonth);
    return DataSetSwitchOutcome::Switched;
}

bool files2ButtonTinted(const DataFolders& folders) {
    return folders.current().number() == 2;
}

}  // namespace velmo
