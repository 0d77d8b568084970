#pragma once
// What the main window does once, on its first showing, for a new installation: the
// deletions the set-up asked for (/D1, /D2, /D3) and the first-run question.

#include "app/startup/launch_options.h"
#include "app/startup/start_folders.h"
#include "core/clock.h"
#include "core/user_interface.h"

class QWidget;

namespace velmo {

class FirstStartSteps {
public:
    FirstStartSteps(const StartFolders& folders, const LaunchOptions& options, UserInterface& ui,
                    Sleeper& sleeper, QWidget& window)
        : folders_(folders), options_(options), ui_(ui), sleeper_(sleeper), window_(window) {}

    // The pending deletions first, then the first-run question.
    void run();

private:
    void runPendingDeletions();
    void askFirstRunQuestion();

    const StartFolders& folders_;
    const LaunchOptions& options_;
    UserInterface& ui_;
    Sleeper& sleeper_;
    QWidget& window_;  // owns the dialogs
};

}  // namespace velmo
