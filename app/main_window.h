#pragma once
// The main window: month, year and memo pages, the status bar and the menus, with the
// start-up steps, the first showing, activation and the close query.

#include <QByteArray>
#include <QMainWindow>
#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/commands/main_commands.h"
#include "app/page_bounds.h"
#include "app/startup/administrator_rights.h"
#include "app/startup/full_save.h"
#include "app/startup/launch_options.h"
#include "app/startup/run_settings.h"
#include "app/startup/start_folders.h"
#include "app/startup/user_interface_switch.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "monthview/context_menus.h"
#include "shared/network_mode.h"
#include "store/settings.h"
#include "store/shared_folder_hooks.h"
#include "store/start_end_log.h"

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;

namespace velmo {
class MonthPage;
class DateChangeActions;
class MonthViewActions;
class RokuyoDisplay;
class RowPresetActions;
class MemoActions;
class DayClipboardActions;
class BackupActions;
class ExportActions;
class SearchActions;
class ViewRequests;
class DataSetActions;
class NetworkActions;
class SessionEnding;
class TfmDay;
class YearPage;
class YearPageActions;
class ResidentActions;
class FunctionTimerActions;
class TimerActions;
class CompanionActions;
class AboutActions;
class MessagePanelView;
class OptionsActions;
class MemorialFeatureActions;
class QuickDayEntryActions;
}  // namespace velmo
class QTabWidget;

namespace velmo {

inline constexpr const char* kWindowCaption = "ベルモ - Velmo -";

// Everything the window needs from outside, handed in by the process entry.
struct MainWindowContext {
    StartFolders folders;
    LaunchOptions options;
    UserInterface& ui;
    const Clock& clock;
    Sleeper& sleeper;
};

class TfmC21 : public QMainWindow {
    Q_OBJECT

public:
    explicit TfmC21(MainWindowContext context, QWidget* parent = nullptr);
    ~TfmC21() override;

    const StartFolders& folders() const { return context_.folders; }
    const RunSettings& runSettings() const { return runSettings_; }
    QTabWidget* pages() const { return pages_; }
    QString statusPanelText(int panel) const;

    // The show request of a second start (message 0x500): bring the window back even
    // when it was hidden.
    void showRequested(const QByteArray& activationToken);

    // Steps of the close query that later features add (timer armed, backup running…).
    // A step returns false to refuse the close.
    void addCloseCheck(std::function<bool()> check) { closeChecks_.push_back(std::move(check)); }
    // Work done once the close is accepted, before the full save (the end log entry…).
    void addShutdownStep(std::function<void()> step) { shutdownSteps_.push_back(std::move(step)); }
    // Data the full save writes after the settings (months, period list…); false when a
    // step failed. Every step runs even when the settings could not be saved.
    void addDataSaveStep(std::function<bool()> step) { dataSaveSteps_.push_back(std::move(step)); }

    // One tick of the function timer.
    void functionTick();
    ResidentActions& resident() const { return *resident_; }
    TimerActions& timer() const { return *timer_; }
    FunctionTimerActions& functionTimer() const { return *functionTimer_; }
    OptionsActions& options() const { return *options_; }

    MonthPage* monthPage() const { return monthPage_; }
    TfmDay* dayEditor() const { return editor_; }
    MonthViewActions* monthViewActions() const { return monthActions_.get(); }
    MainCommands& commands() { return commands_; }
    // The end of the run: termination signals go here, tests reach it through this.
    SessionEnding& sessionEnding() const { return *ending_; }

signals:
    // The close was accepted: the run ends.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void createPages();
    void createStatusBar();
    void readSettings();
    bool persistBackupNames(const std::array<std::string, 3>& names);
    StartEndLogSettings logSettings() const;
    void refreshLogMenuItem();
    void applySettings();
    void placeOnScreen();
    FullSaveResult fullSave();
    void refreshClockPanel();
    void refreshMessagePanel();
    void firstShowing();
    void activated();
    bool closeQuery();
    void createMonthViewActions();
    void createDateChange();
    void createTextWindows();
    // Resident mode, the function timer, the timer, the companions and the about items.
    void createResidentFeatures();
    // The rest of the command surface: the column's own buttons, the memorial-day
    // feature, the data format item, the setup items and the quick day entry.
    void createCommandFeatures();
    // Enabling, checks and captions of the items, whenever one of their inputs changed:
    // a shortcut acts while its menu is closed.
    void refreshCommandStates();
    // The quick day entry's day of the displayed month, opened as a double click does.
    void openDayOfShownMonth(int day);
    // The options dialog, its menu items and what the window re-applies for it.
    void createOptions();
    void applyCalendarOptions();
    void optionsClosed();
    // A first start from a shared folder: the network page, then a new run.
    void runFirstNetworkSetup();
    // Sets the months up for today from the settings read last.
    void initialiseMonths();
    MainWindowMenuState monthMenuState() const;
    // The window's own commands; features register theirs with `commands()`.
    void registerCommands();
    // The keys the main window handles before the focused control; true when consumed.
    bool previewKeyPress(const QKeyEvent& event);
    void switchPage(int step);
    void pageChanged();
    void refreshGoMenu();
    void editMemorialDays();

    // Everything the window starts asks through it, so a log-out can silence them all.
    UserInterfaceSwitch ui_;
    MainWindowContext context_;
    MainCommands commands_;
    NetworkModeStart networkStart_;
    RunSettings runSettings_;
    AdministratorRights rights_;
    std::unique_ptr<StartEndLog> log_;
    QAction* logMenuItem_ = nullptr;
    QTabWidget* pages_ = nullptr;
    MonthPage* monthPage_ = nullptr;
    YearPage* yearPage_ = nullptr;
    YearPageActions* yearActions_ = nullptr;  // a child of the window
    TfmDay* editor_ = nullptr;
    std::unique_ptr<MonthViewActions> monthActions_;
    DateChangeActions* dateChange_ = nullptr;  // a child of the window
    std::unique_ptr<SessionEnding> ending_;
    QMenu* goMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* functionsMenu_ = nullptr;
    ViewRequests* viewRequests_ = nullptr;  // children of the window
    SearchActions* search_ = nullptr;
    MemoActions* memo_ = nullptr;
    DayClipboardActions* dayClipboard_ = nullptr;  // a child of the window
    BackupActions* backup_ = nullptr;
    ExportActions* exports_ = nullptr;
    RokuyoDisplay* rokuyo_ = nullptr;         // a child of the window
    RowPresetActions* rowPresets_ = nullptr;  // a child of the window
    int shownPage_ = 0;
    PageBounds pageBounds_;
    DataSetActions* dataSets_ = nullptr;  // a child of the window
    NetworkActions* network_ = nullptr;   // a child of the window
    QLabel* panels_[3] = {};
    QLabel* netLabel_ = nullptr;
    ResidentActions* resident_ = nullptr;  // children of the window
    FunctionTimerActions* functionTimer_ = nullptr;
    TimerActions* timer_ = nullptr;
    CompanionActions* companions_ = nullptr;
    AboutActions* about_ = nullptr;
    MessagePanelView* messagePanel_ = nullptr;
    OptionsActions* options_ = nullptr;           // a child of the window
    MemorialFeatureActions* memorial_ = nullptr;  // children of the window
    QuickDayEntryActions* quickDayEntry_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* otherMenu_ = nullptr;
    bool firstShow_ = true;
    bool firstActivation_ = true;
    std::vector<std::function<bool()>> closeChecks_;
    std::vector<std::function<void()>> shutdownSteps_;
    std::vector<std::function<bool()>> dataSaveSteps_;
};

}  // namespace velmo
