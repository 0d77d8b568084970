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

// Where a request to go resident came from: only the file menu's item goes resident
// while the 常駐 button is set to close the program.
enum class ResidentRequest { FileMenu, Other };

struct ResidentHooks {
    bool closeButton = false;  // cbCloseBtn
    std::function<void()> enableGoMenu;
    std::function<void()> closeProgram;
    std::function<void()> hideWindow;
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

    // Hides the window after saving everything and leaves the tray icon, or closes the
    // program when the 常駐 button closes and the request is not the file menu's.
    void goResident(ResidentRequest request);
    // Brings the window back: today catches up (one function tick), data set 1, and in
    // network mode what others changed. A window already visible only comes to the
    // front; a restore never ends the program.
    void restore();
    // Ctrl+F12: resident when the window is visible and active, else restore.
    void toggle(bool windowActive);

private:
    ResidentHooks hooks_;
    Sleeper& sleeper_;
};

}  // namespace velmo
