#pragma once
// Resident mode on the desktop: the tray icon with its menu, the 常駐 commands, the
// global hot keys, the auto-resident countdown of /J and today's schedule balloon. The
// order of the steps lives in ResidentMode; this class gives them the window and the tray.

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

#include "app/navigation/hot_keys.h"
#include "app/navigation/resident_mode.h"
#include "core/clock.h"
#include "core/user_interface.h"

class QAction;
class QMainWindow;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;

namespace velmo {

class MainCommands;
class MonthPage;
class RunSettings;
struct StartFolders;

namespace platform {
class GlobalHotKeys;
class TrayIcon;
enum class TrayMenuCommand;
}  // namespace platform

struct ResidentActionsContext {
    QMainWindow& window;
    QTabWidget& pages;
    MonthPage& monthPage;
    RunSettings& run;
    const StartFolders& folders;
    UserInterface& ui;
    Sleeper& sleeper;
    const Clock& clock;
    std::function<void()> enableGoMenu;
    // Closes the memo and search windows the way their own closing does.
    std::function<void()> closeTextWindows;
    std::function<void()> saveBeforeLeaving;
    std::function<void()> automaticBackup;
    std::function<void()> functionTick;
    std::function<void()> selectDataSet1;
    std::function<bool()> networkMode;
    std::function<void()> checkSharedChanges;
    std::function<void()> refreshMessagePanel;
};

// What the editor companion tells resident mode: a launch in progress ends a restore.
struct EditorCompanionLink {
    std::function<bool()> inUse;
    std::function<bool()> launching;
    std::function<void()> endLaunch;
    std::function<void()> call;
};

class ResidentActions : public QObject {
    Q_OBJECT

public:
    ResidentActions(ResidentActionsContext context, QMenu& fileMenu, MainCommands& commands,
                    QObject* parent);
    ~ResidentActions() override;

    void setEditorCompanion(EditorCompanionLink link) { editor_ = std::move(link); }

    // Waits while a modal dialog is open: the window must not vanish under it.
    void goResident(ResidentRequest request);
    void restore();
    // Hidden in the tray, or minimised where there is no tray.
    bool resident() const;

    // The window's first showing: the icon stays in the tray from now on.
    void firstShowing();
    // The first activation: the /J countdown starts.
    void firstActivation(int countdownSeconds);
    // A press in the month view or a page change ends the countdown.
    void cancelCountdown();
    int countdownSeconds() const { return countdown_.secondsLeft(); }

    // One try without a message, for the function timer while the window is hidden.
    bool trayIconShown() const;
    void showTrayIconQuietly();

    // The hot keys of the settings (cbHotkey, cbToday, the editor companion).
    void registerHotKeys();
    // At exit: releases them, telling the user when the desktop refused.
    void releaseHotKeys();

    // Alt+Down: today's schedule balloon, or hides it when it shows.
    void toggleTodayBalloon();
    bool balloonShowing() const { return balloonShowing_; }

    // The 常駐 button follows cbCloseBtn ("終了" while it closes the program).
    void refreshButton();

    platform::TrayIcon& tray() const { return *tray_; }

private:
    ResidentHooks hooks();
    void perform(ResidentRequest request);
    // One try at the icon; TrayError when the tray refused it.
    void showTrayIconOrThrow();
    void trayCommand(platform::TrayMenuCommand command);
    void hotKeyPressed(int id);
    void countdownStep();
    void moveToTopLeft();
    void hideBalloon();
    bool windowVisible() const;

    ResidentActionsContext context_;
    EditorCompanionLink editor_;
    platform::TrayIcon* tray_ = nullptr;          // a child of this object
    platform::GlobalHotKeys* hotKeys_ = nullptr;  // a child of this object
    std::unique_ptr<ResidentMode> mode_;
    std::vector<HotKey> registered_;
    AutoResidentCountdown countdown_;
    QTimer* countdownTimer_ = nullptr;
    QTimer* balloonTimer_ = nullptr;
    QTimer* deferTimer_ = nullptr;
    std::optional<ResidentRequest> deferred_;
    QPushButton* button_ = nullptr;
    bool balloonShowing_ = false;
};

}  // namespace velmo
