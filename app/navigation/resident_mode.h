#pragma once
// Going resident (the window hides, the tray icon stays) and coming back, as steps over
// hooks the main window wires, so their order is tested without a tray.

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>

#include "core/clock.h"

namespace velmo {

// A tray operation the desktop refused for now; the caller tries again.
class TrayError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kTrayAddError = "タスクトレイにアイコンを登録できません。";
inline constexpr const char* kTrayBalloonError =
    "タスクトレイアイコンのバルーンメッセージ表示が切り替えられません。";
inline constexpr const char* kTrayShowError = "タスクトレイアイコンの表示が切り替えられません。";
inline constexpr int kTrayAttempts = 5;
inline constexpr std::chrono::milliseconds kTrayRetryPause{500};

// Runs a tray operation, trying again up to five times in all, 500 ms apart, while it
// throws TrayError; the fifth error and any other exception pass on.
void withTrayRetries(const std::function<void()>& operation, Sleeper& sleeper);

// Where a request to go resident came from. While the 常駐 button is set to close the
// program (cbCloseBtn) only the commands the user sees as that button (the button, the
// tray's and the month view's items) close it; the file menu's item, the countdown of
// /J, Ctrl+F12 and the steps before a companion or a text window opens always go
// resident, since ending the program there would surprise the user or lose work.
enum class ResidentRequest { FileMenu, Command, Automatic };

struct ResidentHooks {
    bool closeButton = false;  // cbCloseBtn
    std::function<void()> enableGoMenu;
    std::function<void()> closeProgram;
    std::function<void()> hideWindow;
    // Without a tray to come back from, the window is minimised instead of hidden.
    std::function<void()> minimiseWindow;
    std::function<bool()> trayAvailable;
    // The tray kept refusing the icon: the error text is shown.
    std::function<void(const std::string& text)> reportTrayError;
    // Clears the month view's click mark and redraws it.
    std::function<void()> clearMonthViewMarks;
    // Closes the memo and search windows the way their own closing does.
    std::function<void()> closeTextWindows;
    // The save before leaving: network check, full save, stale backups.
    std::function<void()> saveBeforeLeaving;
    std::function<void()> showTrayIcon;  // may throw TrayError
    std::function<void()> automaticBackup;

    // Restore.
    std::function<bool()> editorLaunching;
    std::function<void()> endEditorLaunch;  // clears the state and closes the editor
    std::function<bool()> windowVisible;
    std::function<void()> showWindow;
    std::function<void()> bringToFront;
    std::function<bool()> memoPageActive;
    std::function<void()> showMonthPage;
    std::function<void()> functionTick;
    std::function<void()> selectDataSet1;
    std::function<bool()> networkMode;
    std::function<void()> checkSharedChanges;
};

class ResidentMode {
public:
    ResidentMode(ResidentHooks hooks, Sleeper& sleeper);

    // Shows the tray icon, then hides the window (minimises it when no icon could be
    // shown, so it never becomes unreachable) and saves everything; or closes the program
    // when the 常駐 button closes and the request is one of its commands.
    void goResident(ResidentRequest request);
    // Brings the window back: today catches up (one function tick), data set 1, and in
    // network mode what others changed. A window already visible only comes to the
    // front; a restore never ends the program.
    void restore();
    // Ctrl+F12: resident when the window is visible and active, else restore.
    void toggle(bool windowActive);
    // cbCloseBtn as the settings hold it now.
    void setCloseButton(bool closes) { hooks_.closeButton = closes; }

private:
    // The icon with its retries; false when there is no tray or it kept refusing.
    bool showTrayIcon();

    ResidentHooks hooks_;
    Sleeper& sleeper_;
};

}  // namespace velmo
