#pragma once
// The options dialog as the main window opens it: its four forms, the menu items and
// the 設定 button that open it, what the main window applies once it has closed, and
// the main window's side of every operation the pages apply at once (OptionsHost).

#include <QObject>
#include <functional>

#include "dialogs/options/options_dialog.h"
#include "dialogs/options/options_host.h"

class QAction;
class QMenu;
class QWidget;

namespace velmo {

class AdministratorRights;
class BackupActions;
class CompanionActions;
class NetworkActions;
class RunSettings;
class StartEndLog;
class TimerActions;
struct StartFolders;

struct OptionsActionsContext {
    QWidget& window;
    RunSettings& run;
    // The run's folders; the settings folder moves when the start marker is made or
    // removed.
    StartFolders& folders;
    UserInterface& ui;
    Sleeper& sleeper;
    const Clock& clock;
    NetworkActions& network;
    AdministratorRights& rights;
    BackupActions& backup;
    CompanionActions& companions;
    TimerActions& timer;
    StartEndLog& log;
    std::function<void()> refreshStatusPanel;
    std::function<void()> refreshStatusClock;
    // The month view and the small calendars take every calendar option again.
    std::function<void()> applyCalendarOptions;
    std::function<void()> applyMonthButtons;
    std::function<void()> fullSave;
    // "オプション設定(&O)" on the year page goes to the month page first.
    std::function<void()> leaveYearPage;
    // After the full form closed: memo page, function timer, backup interval.
    std::function<void()> applyAfterClosing;
    std::function<void()> refreshLogMenuItem;
};

class OptionsActions : public QObject, public OptionsHost {
    Q_OBJECT

public:
    // Adds "設定表示(&S)" to the view menu, "オプション設定(&O)" to the other menu,
    // "内蔵時計修正設定(&J)" to the functions menu and connects the 設定 button.
    OptionsActions(OptionsActionsContext context, QMenu& viewMenu, QMenu& functionsMenu,
                   QMenu& otherMenu, QObject* parent);

    // The full form; `fromOptionItem`: opened by "オプション設定(&O)".
    void openFull(bool fromOptionItem);
    void openTimeCorrection();
    // During the first showing after a first network setup: the network page alone with
    // sharing, the start folder as shared folder and the 60-second check preselected.
    void openNetworkForm();
    // "内蔵時計修正設定(&J)" follows the clock companion and the correction switch.
    void refreshCorrectionItem();

    QAction* correctionItem() const { return correctionItem_; }

    // OptionsHost
    TorkaSettings& options() override;
    const OptionsRunFacts& facts() const override { return facts_; }
    UserInterface& ui() override { return context_.ui; }
    Sleeper& sleeper() override { return context_.sleeper; }
    const Clock& clock() const override { return context_.clock; }
    void applyStatusPanel() override { context_.refreshStatusPanel(); }
    void applyStatusClock() override { context_.refreshStatusClock(); }
    void applyCalendarOptions() override { context_.applyCalendarOptions(); }
    void applyMonthButtons() override { context_.applyMonthButtons(); }
    std::optional<Colour> chooseColour(Colour initial) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& startFolder) override;
    std::optional<std::string> chooseFile(const std::string& title,
                                          const std::string& startFolder) override;
    bool networkMode() const override;
    void networkModeOff() override;
    void setChangeCheck(int rbNetKoushin) override;
    void setNetOnEnabled(bool enabled) override;
    std::array<int, 4> changeCheckCounters() const override;
    int rightsLevel() const override;
    void evaluateRights(const std::string& sharedFolder) override;
    void sharedFolderChanged(const std::string& sharedFolder) override;
    void searchLocks(const std::string& sharedFolder) override;
    void forceUnlock(const std::string& sharedFolder) override;
    std::filesystem::path createSharedFolder(FolderCreationMode mode,
                                             const std::string& sharedFolder) override;
    void networkBackupAndRestore() override;
    void settingsInUserFolder(bool inUserFolder) override;
    void setStartLog(bool on) override;
    void setTimerFunction(bool on) override;
    void setCorrectionMenuEnabled(bool enabled) override;
    std::string clockCompanion() const override;
    void setClockCompanion(const std::string& path) override;
    bool clockCompanionRunning() const override;
    void startClockCompanion() override;
    bool startupShortcutExists(const std::string& name) const override;
    void applyEditorCompanion(bool inUse) override;
    void applyMemoButtonCaption() override;
    void setPrintButtonCaption(bool shown) override;
    std::string editorCompanion() const override;
    void setEditorCompanion(const std::string& path) override;
    std::string printCompanion() const override;
    void setPrintCompanion(const std::string& path) override;

signals:
    // The dialog of a form is about to open, or has closed (tests and the window).
    void dialogOpened(TfmOption* dialog);
    void dialogClosed();

private:
    // Shows the form; true when the dialog asked for a restart.
    bool run(OptionsForm form);
    void refreshFacts();
    QWidget* dialogParent() const;

    OptionsActionsContext context_;
    OptionsRunFacts facts_;
    QAction* correctionItem_ = nullptr;
    bool open_ = false;
};

}  // namespace velmo
