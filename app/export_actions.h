#pragma once
// The exports as the main window offers them: "テキスト書出(&W)" (local data only) and,
// when the program has spreadsheet support, "エクセルカレンダ作成＆印刷(&X)"; both open
// the data dialog on their page for the month in view.

#include <QObject>
#include <functional>

#include "core/clock.h"
#include "core/user_interface.h"
#include "dialogs/data_dialog.h"

class QAction;
class QMenu;

namespace velmo {

class MonthPage;
class RunSettings;
struct StartFolders;

struct ExportActionsContext {
    QWidget& window;
    UserInterface& ui;
    Sleeper& sleeper;
    const Clock& clock;
    const StartFolders& folders;
    RunSettings& run;
    MonthPage& monthPage;
    std::function<void()> saveAll;
};

class ExportActions : public QObject {
    Q_OBJECT

public:
    ExportActions(ExportActionsContext context, QMenu& functionsMenu, QObject* parent);

    // Opens the data dialog on the given export page.
    void open(TfmSetup::Page page);
    // Network mode came on or went off.
    void refreshEnabling();
    QAction* textItem() const { return textItem_; }
    QAction* spreadsheetItem() const { return spreadsheetItem_; }

private:
    bool networkMode() const;

    ExportActionsContext context_;
    QAction* textItem_ = nullptr;
    QAction* spreadsheetItem_ = nullptr;
};

}  // namespace velmo
