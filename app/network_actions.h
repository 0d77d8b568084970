#pragma once
// Network mode as the main window offers it: the NetOn button and menu items
// (Ctrl+Alt+N), "ネット読み直し" (Ctrl+N and the "net" label), the net timer's update
// check, the wait for the shared folder at the first activation, the check when the
// window first shows, and the maintenance lock given back at the end of the run. The
// shared folder itself is the plain SharedFolderSession.

#include <QObject>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "shared/edit_protocol.h"
#include "shared/network_mode.h"
#include "store/shared_folder_hooks.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QWidget;

namespace velmo {

class AdministratorRights;
class MainCommands;
class MonthPage;
class RunSettings;
class SharedFolderSession;
class Sleeper;
class UserInterface;
class PanelStatusLine;

struct NetworkActionsContext {
    QWidget& window;
    RunSettings& run;
    UserInterface& ui;
    Sleeper& sleeper;
    std::string computerName;
    QLabel& netLabel;
    QLabel& messagePanel;
    std::function<void()> refreshMessagePanel;
    // The month page is built after the menus; it is asked for when needed.
    std::function<MonthPage&()> page;
    // The save-all routine (settings and local data).
    std::function<void()> saveAll;
    // Reload all data from the current data folder.
    std::function<void()> reloadAll;
    std::function<bool()> dayEditorOpen;
    // A stop request in the update counter: save as at exit and end.
    std::function<void()> endProgram;
    // The settings reader's way into network mode, made before this.
    NetworkModeStart& start;
    // Evaluated whenever network mode comes on.
    AdministratorRights& rights;
};

class NetworkActions : public QObject {
    Q_OBJECT

public:
    // Adds the NetOn item to `goMenu`, registers the NetOn and NetReload commands.
    NetworkActions(NetworkActionsContext context, QMenu& goMenu, MainCommands& commands,
                   QObject* parent);
    ~NetworkActions() override;

    // What the month files and the period list ask of the shared folder; valid for the
    // whole run (local until network mode is on).
    SharedFolderHooks& hooks() { return hooks_; }
    LockOperations* editLocks();
    SharedFolderSession& session() { return *session_; }

    // After the month page exists: its NetOn button.
    void attachToMonthPage();
    // After every settings read: the shared folder, the state and the timer.
    void settingsRead();
    // When the window first shows: the shared data folder must be there.
    void firstShowing();
    // At the first activation: waits for a shared folder that was missing at start.
    void firstActivation();
    // After an edit under a lock: another computer wrote just before our save.
    void reloadIfOthersWrote();
    // A close accepted: the maintenance lock goes back.
    void closing();

    void toggle();
    void reloadFromShared();
    // The update check (net timer, return from the tray).
    void checkForUpdates();

    // The options dialog's part: network mode off at once, the change-check interval
    // (rbNetKoushin 0 stops it, 1 is 10 s, 2 is 60 s), four counters of the change check
    // for its debug button, and a shared folder changed in its box.
    bool networkOn() const;
    void switchOff();
    void setChangeCheck(int rbNetKoushin);
    std::array<int, 4> changeCheckCounters() const;
    void sharedFolderOptionChanged();
    // The change check's interval in ms; 0 while it is stopped.
    int changeCheckInterval() const;

    QAction* netOnItem() const { return netOnItem_; }
    // The shared folder of the last run could not be reached when this one started.
    bool sharedFolderMissingAtStart() const { return missingAtStart_; }
    QPushButton* netOnButton() const { return netOnButton_; }

signals:
    // Network mode came on or went off (also at start).
    void stateChanged(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Forwards to the session, so the month files can hold it from the start.
    class Hooks final : public SharedFolderHooks {
    public:
        explicit Hooks(NetworkActions& owner) : owner_(owner) {}
        bool networkMode() const override;
        bool raiseUpdateCounter() override;
        void sharedFolderLost() override;

    private:
        NetworkActions& owner_;
    };

    void showState(bool on);
    void refreshEnabling();
    void netTick();

    NetworkActionsContext context_;
    Hooks hooks_{*this};
    std::unique_ptr<PanelStatusLine> status_;
    std::unique_ptr<SharedFolderSession> session_;
    QAction* netOnItem_ = nullptr;
    QAction* reloadItem_ = nullptr;
    QPushButton* netOnButton_ = nullptr;
    QTimer* netTimer_ = nullptr;
    int checks_ = 0;
    int reloadsAfterCheck_ = 0;
    int reloadsAsked_ = 0;
    int ticks_ = 0;
    bool waitingForFolder_ = false;
    bool missingAtStart_ = false;
};

}  // namespace velmo
