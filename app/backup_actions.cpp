#include "app/backup_actions.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "app/month_page.h"
#include "app/startup/run_settings.h"
#include "app/startup/start_folders.h"
#include "backup/automatic_backup.h"
#include "backup/daily_shared_copy.h"
#include "backup/save_restore.h"
#include "calendar/julius_day.h"
#include "dialogs/data_dialog.h"

namespace velmo {

BackupActions::BackupActions(BackupActionsContext context, QMenu& functionsMenu, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    item_ = functionsMenu.addAction(QString::fromUtf8("バックアップ＆リストア(&B)"));
    item_->setObjectName(QStringLiteral("miBackup"));
    connect(item_, &QAction::triggered, this, &BackupActions::open);
    connect(&functionsMenu, &QMenu::aboutToShow, this, &BackupActions::refreshEnabling);
}

void BackupActions::attachToMonthPage(MonthPage& page) {
    button_ = page.insertButton(QString::fromUtf8("退避"), "btnTaihi", "btnKongetu");
    connect(button_, &QPushButton::clicked, this, &BackupActions::open);
    refreshEnabling();
}

void BackupActions::refreshEnabling() {
    const bool local = !context_.run.hasBeenRead() || !context_.run.dataFolders().shared;
    item_->setEnabled(local);
    if (button_)
        button_->setEnabled(local);
}

void BackupActions::open() {
    RunSettings& run = context_.run;
    if (run.dataFolders().shared)
        return;
    const StartFolders& start = context_.folders;
    BackupFolders folders;
    folders.currentDataFolder = run.dataFolders().current().folder();
    folders.commonDataFolder = run.dataFolders().commonFolder;
    folders.startFolder = start.startFolder;
    const std::string& edFolder = run.settings().data.edFolder;
    folders.dataRootConfigured = !edFolder.empty();
    folders.dataRoot = dataRootFor(false, {}, edFolder, start.startFolder);
    folders.backupRoot = start.safeguardFolder;
    TfmSetup dialog({context_.ui,
                     context_.sleeper,
                     context_.clock,
                     start.settingsFile,
                     folders,
                     context_.saveAll,
                     context_.endWithoutSaving,
                     {},
                     {},
                     {}},
                    &context_.window);
    dialog.showPage(TfmSetup::Page::Save);
    dialog.exec();
}

void BackupActions::localDataSetSelected() {
    if (!context_.run.settings().backup.cbABackupJ)
        runAutomaticBackup();
}

void BackupActions::runAutomaticBackup() {
    RunSettings& run = context_.run;
    if (busy_)
        return;
    const StartFolders& start = context_.folders;
    AutomaticBackupInputs inputs{run.dataFolders().shared.has_value(),
                                 start.startedFromCdrom,
                                 start.startedFromNetwork,
                                 start.startedFromRemovable,
                                 run.dataFolders().dataFormat,
                                 run.dataFolders().commonFolder,
                                 start.startFolder,
                                 start.safeguardFolder,
                                 dateTimeToJuliusDay(context_.clock.now()),
                                 kAutomaticBackupGenerations,
                                 run.settings().backup};
    const BackupBusy busy(busy_);
    automaticBackup(inputs, context_.ui, context_.clock, context_.sleeper);
}

void BackupActions::networkStateChanged(bool on) {
    refreshEnabling();
    const bool wentOff = networkWasOn_ && !on;
    networkWasOn_ = on;
    if (wentOff)
        localDataSetSelected();
}

bool BackupActions::mayClose() {
    if (!busy_)
        return true;
    context_.ui.message(kBackupBusyRefusal);
    return false;
}

void BackupActions::dailySharedCopyStep() {
    const DataFolders& folders = context_.run.dataFolders();
    if (!folders.shared)
        return;
    dailySharedCopy({true, context_.rightsLevel ? context_.rightsLevel() : 0,
                     context_.folders.safeguardFolder, folders.shared->folder()},
                    context_.ui, context_.clock, context_.sleeper);
}

}  // namespace velmo
