#include "app/navigation/resident_mode.h"

namespace velmo {

void withTrayRetries(const std::function<void()>& operation, Sleeper& sleeper) {
    for (int attempt = 1;; ++attempt) {
        try {
            operation();
            return;
        } catch (const TrayError&) {
            if (attempt >= kTrayAttempts)
                throw;
        }
        sleeper.sleep(kTrayRetryPause);
    }
}

ResidentMode::ResidentMode(ResidentHooks hooks, Sleeper& sleeper)
    : hooks_(std::move(hooks)), sleeper_(sleeper) {}

void ResidentMode::goResident(ResidentRequest request) {
    hooks_.enableGoMenu();
    if (hooks_.closeButton && request != ResidentRequest::FileMenu) {
        hooks_.closeProgram();
        return;
    }
    hooks_.hideWindow();
    hooks_.clearMonthViewMarks();
    hooks_.closeTextWindows();
    hooks_.saveBeforeLeaving();
    withTrayRetries(hooks_.showTrayIcon, sleeper_);
    hooks_.automaticBackup();
}

void ResidentMode::restore() {
    if (hooks_.editorLaunching()) {
        hooks_.endEditorLaunch();
        return;
    }
    if (hooks_.windowVisible()) {
        hooks_.bringToFront();
        return;
    }
    hooks_.showWindow();
    if (hooks_.memoPageActive())
        hooks_.showMonthPage();
    hooks_.functionTick();
    hooks_.bringToFront();
    hooks_.selectDataSet1();
    if (hooks_.networkMode())
        hooks_.checkSharedChanges();
}

void ResidentMode::toggle(bool windowActive) {
    if (hooks_.windowVisible() && windowActive) {
        goResident(ResidentRequest::Other);
    } else {
        restore();
    }
}

}  // namespace velmo
