#pragma once
// The companion programs: the text editor (Ctrl+F11, Shift+Ctrl+F11 and the memo
// command while it is in use), the print program (印刷) and the clock the time
// correction starts. Each is found once at start-up; one the program started is
// tracked by its process, one started otherwise is found among the user's processes.

#include <QObject>
#include <functional>
#include <string>

#include "app/navigation/companion_search.h"
#include "core/clock.h"
#include "core/user_interface.h"

class QAction;
class QMenu;
class QPushButton;
class QWidget;

namespace velmo {

class MainCommands;
class MonthPage;
class RunSettings;
enum class ResidentRequest;
struct StartFolders;

struct CompanionActionsContext {
    QWidget& window;
    MonthPage& monthPage;
    RunSettings& run;
    const StartFolders& folders;
    UserInterface& ui;
    Sleeper& sleeper;
    std::function<void(ResidentRequest)> goResident;
    std::function<void()> saveBeforeLeaving;
    // cbPrint, and the work area leaves room for printing.
    std::function<bool()> printAllowed;
};

// The editor and the print program as the search finds them (empty when absent); the
// settings read needs them before the window exists.
struct FoundCompanions {
    std::string editor;
    std::string printProgram;
};
FoundCompanions findEditorAndPrintProgram(const StartFolders& folders);

class CompanionActions : public QObject {
    Q_OBJECT

public:
    CompanionActions(CompanionActionsContext context, QMenu& functionsMenu, MainCommands& commands,
                     QObject* parent);

    // The settings were read: the clock is looked for as cbClock says, and the
    // memo button and keys follow the editor's use.
    void settingsRead();

    bool editorInUse() const;
    bool editorLaunching() const { return editorLaunching_; }
    void endEditorLaunch();
    // Ctrl+F11: starts the editor, or leaves a running one as it is.
    void callEditor();
    // Shift+Ctrl+F11: the close request.
    void closeEditor();
    // The memo command while the editor is in use; false when it is not.
    bool memoThroughEditor();

    // 印刷: the print program with the folders it needs.
    void print();

    // 印刷(&P) follows cbPrint and the work area.
    void refreshEnabling();

    bool clockFound() const { return !clockPath_.empty(); }
    const std::string& clockPath() const { return clockPath_; }
    void setClockPath(const std::string& path) { clockPath_ = path; }
    bool clockRunning() const;
    void startClock();

private:
    bool running(Companion companion, qint64 pid) const;
    bool start(Companion companion, const std::string& path, const QStringList& arguments,
               qint64* pid, bool report = true);
    void refreshMemoCaptions();

    CompanionActionsContext context_;
    std::string clockPath_;
    qint64 editorPid_ = 0;
    qint64 printPid_ = 0;
    qint64 clockPid_ = 0;
    bool editorLaunching_ = false;
    bool clockFailureShown_ = false;
    QAction* printItem_ = nullptr;
    QAction* clockItem_ = nullptr;
    QAction* callItem_ = nullptr;
    QAction* closeItem_ = nullptr;
    QPushButton* memoButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
};

}  // namespace velmo
