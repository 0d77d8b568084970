#include "app/data_set_actions.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "app/commands/main_commands.h"
#include "app/month_page.h"
#include "app/navigation/data_set_switch.h"
#include "app/navigation/month_session.h"
#include "app/startup/run_settings.h"
#include "store/file_helpers.h"

namespace velmo {

DataSetActions::DataSetActions(DataSetActionsContext context, QMenu& menu, MainCommands& commands,
                               QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    const struct {
        const char* caption;
        const char* objectName;
        const char* shortcut;
    } dataSets[] = {{"Files1", "miFiles1", "Ctrl+F5"},
                    {"Files2", "miFiles2", "Ctrl+F6"},
                    {"Files3", "miFiles3", ""}};
    for (int i = 0; i < 3; ++i) {
        QAction* action = menu.addAction(dataSets[i].caption);
        action->setObjectName(dataSets[i].objectName);
        action->setCheckable(true);
        if (*dataSets[i].shortcut)
            action->setShortcut(QKeySequence(dataSets[i].shortcut));
        connect(action, &QAction::triggered, this, [this, i] { change(i + 1); });
        items_[i] = action;
    }
    // Data set 3 is reached only by those who know its folder; its item stays hidden and
    // it has no command of its own.
    items_[2]->setVisible(false);
    commands.add(MonthMenuCommand::Files1, [this](std::int32_t) { change(1); });
    commands.add(MonthMenuCommand::Files2, [this](std::int32_t) { change(2); });
}

void DataSetActions::refresh() {
    const DataFolders& folders = context_.run.dataFolders();
    const bool network = folders.shared.has_value();
    for (int i = 0; i < 3; ++i) {
        items_[i]->setEnabled(!network);
        items_[i]->setChecked(folders.current().number() == i + 1);
    }
    // In network mode the shared data folder is the only one.
    for (const char* name : {"btnFiles1", "btnFiles2"}) {
        if (QPushButton* button = context_.page().button(name))
            button->setEnabled(!network);
    }
    context_.page().tintFiles2(!network && files2ButtonTinted(folders));
}

void DataSetActions::change(int number) {
    MonthSession& session = context_.page().session();
    RunSettings& run = context_.run;
    DataSetSwitchRequest request;
    request.number = number;
    request.networkMode = run.dataFolders().shared.has_value();
    request.backupOnlyWhenResident = run.settings().backup.cbABackupJ;
    request.shownYearMonth = session.shownYearMonth();
    DataSetSwitchHooks hooks;
    hooks.saveBeforeLeaving = [&] { return session.saveBeforeLeaving(context_.fullSave); };
    // The generation backup arrives with the backup feature.
    hooks.automaticBackup = [] {};
    hooks.reloadAll = [&](bool) {
        session.reloadAll(run.dataFolders(), run.settings().data, session.runToday());
    };
    hooks.monthInWindow = [&](const std::string& yyyymm) {
        const ShowMonthTarget target = showMonthTarget(session.table(), yyyymm);
        return target.kind == ShowMonthTarget::Kind::WindowSlot;
    };
    hooks.activateMonthPage = context_.activateMonthPage;
    hooks.showMonth = [&](const std::string& yyyymm) { session.showMonth(yyyymm); };
    // The data set in use is written with the next full save, from the folders.
    switchToDataSet(request, run.dataFolders(), folderExistsOnDisk, context_.ui, hooks);
    refresh();
    context_.switched();
}

}  // namespace velmo
