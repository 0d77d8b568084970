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
    if (hooks_.closeButton && request == ResidentRequest::Command) {
        hooks_.closeProgram();
        return;
    }
    if (showTrayIcon()) {
        hooks_.hideWindow();
    } else {
        hooks_.minimiseWindow();
    }
    hooks_.clearMonthViewMarks();
    hooks_.closeTextWindows();
    hooks_.saveBeforeLeaving();
    hooks_.automaticBackup();
}

bool ResidentMode::showTrayIcon() {
    if (!hooks_.trayAvailable())
        return false;
    try {
        withTrayRetries(hooks_.showTrayIcon, sleeper_);
        return true;
    } catch (const TrayError& error) {
        hooks_.reportTrayError(error.what());
        return false;
    }
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
        goResident(ResidentRequest::Automatic);
    } else {
        restore();
    }
}

}  // namespace velmo
