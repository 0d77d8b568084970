#pragma once
// Backup and restore as the main window offers them: "バックアップ＆リストア(&B)" and
// the "退避" button, both for local operation only, which open the data dialog.

#include <QObject>
#include <functional>

#include "core/clock.h"
#include "core/user_interface.h"

class QAction;
class QMenu;
class QPushButton;

namespace velmo {

class MonthPage;
class RunSettings;
struct StartFolders;

struct BackupActionsContext {
    QWidget& window;
    UserInterface& ui;
    Sleeper& sleeper;
    const Clock& clock;
    const StartFolders& folders;
    RunSettings& run;
    std::function<void()> saveAll;
    // Ends the run at once after a restore, without the exit-time save.
    std::function<void()> endWithoutSaving;
    // This computer's rights level for the shared folder.
    std::function<int()> rightsLevel;
};

class BackupActions : public QObject {
    Q_OBJECT

public:
    BackupActions(BackupActionsContext context, QMenu& functionsMenu, QObject* parent);

    void attachToMonthPage(MonthPage& page);
    // Opens the data dialog on its save page.
    void open();
    // Network mode came on or went off.
    void refreshEnabling();
    // A local data set was selected anew: the automatic backup, when due and wanted.
    void localDataSetSelected();
    // The automatic generation backup when one is due (going resident always asks).
    void runAutomaticBackup();
    // Network mode came on or went off; going off selects the local data set anew.
    void networkStateChanged(bool on);
    // The close query's step: refuses (with its message) while a backup runs.
    bool mayClose();
    // A step of the save-all: the day's first copy of the shared data (administrators in
    // network mode only).
    void dailySharedCopyStep();

private:
    BackupActionsContext context_;
    QAction* item_ = nullptr;
    QPushButton* button_ = nullptr;
    bool busy_ = false;
    bool networkWasOn_ = false;
};

}  // namespace velmo
