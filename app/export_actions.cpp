#include "app/export_actions.h"

#include <QAction>
#include <QDesktopServices>
#include <QMenu>
#include <QUrl>

#include "app/commands/export_grid.h"
#include "app/month_page.h"
#include "app/startup/run_settings.h"
#include "app/startup/start_folders.h"
#include "backup/icalendar_export.h"
#include "calendar/julius_day.h"
#include "monthview/qt_month_view.h"
#include "platform/posix/system_info.h"

namespace velmo {
namespace {

QAction* itemBefore(QMenu& menu, const char* objectName) {
    for (QAction* action : menu.actions()) {
        if (action->objectName() == QLatin1String(objectName))
            return action;
    }
    return nullptr;
}

}  // namespace

ExportActions::ExportActions(ExportActionsContext context, QMenu& functionsMenu, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    textItem_ = new QAction(QString::fromUtf8("テキスト書出(&W)"), &functionsMenu);
    textItem_->setObjectName(QStringLiteral("miTextKakidashi"));
    functionsMenu.insertAction(itemBefore(functionsMenu, "miBackup"), textItem_);
    connect(textItem_, &QAction::triggered, this, [this] { open(TfmSetup::Page::Export); });
#ifdef VELMO_HAVE_XLSX
    spreadsheetItem_ = functionsMenu.addAction(QString::fromUtf8("エクセルカレンダ作成＆印刷(&X)"));
    spreadsheetItem_->setObjectName(QStringLiteral("miExcel"));
    connect(spreadsheetItem_, &QAction::triggered, this,
            [this] { open(TfmSetup::Page::Spreadsheet); });
#endif
    connect(&functionsMenu, &QMenu::aboutToShow, this, &ExportActions::refreshEnabling);
}

bool ExportActions::networkMode() const {
    return context_.run.hasBeenRead() && context_.run.dataFolders().shared.has_value();
}

void ExportActions::refreshEnabling() {
    textItem_->setEnabled(!networkMode());
}

void ExportActions::open(TfmSetup::Page page) {
    const bool network = networkMode();
    if (network && page == TfmSetup::Page::Export)
        return;
    RunSettings& run = context_.run;
    const StartFolders& start = context_.folders;
    TKvMCalModel& model = context_.monthPage.view()->model();
    const Ymd shown = juliusDayToYmd(model.juliusDay());
    const DataLocation& data = run.dataFolders().current();

    ExportPageContext exports;
    exports.year = shown.year;
    exports.month = shown.month;
    exports.startFolder = start.startFolder;
    exports.dataFolder = data.folder();
    exports.grid = [&model] { return exportGrid(model); };
    exports.uidDomain = iCalendarUidDomain(data.label(), platform::computerName());
    exports.holidayRules = &model.rules();
    exports.openFile = [](const std::filesystem::path& file) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file)));
    };
    exports.fileExportsAllowed = !network;

    BackupFolders folders;
    folders.currentDataFolder = data.folder();
    folders.startFolder = start.startFolder;
    DataDialogContext dialogContext{context_.ui,
                                    context_.sleeper,
                                    context_.clock,
                                    start.settingsFile,
                                    folders,
                                    context_.saveAll,
                                    {},
                                    {},
                                    {},
                                    std::move(exports)};
    TfmSetup dialog(std::move(dialogContext), &context_.window);
    dialog.showPage(page);
    dialog.exec();
}

}  // namespace velmo
