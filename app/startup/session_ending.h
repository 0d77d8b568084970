#pragma once
// How a run ends when its data could not be saved. A close by the user is refused, but
// the user may choose to quit after the unsaved edits were copied into a rescue folder.
// SIGTERM and SIGHUP (log-out, shutdown) always end the run: the close query saves what
// it can without asking anyone, what it could not save is rescued, and the application
// quits even when the close was refused. The next start says where the copies went.

#include <filesystem>
#include <functional>
#include <vector>

#include "app/startup/rescue_copies.h"
#include "app/startup/user_interface_switch.h"
#include "core/clock.h"

namespace velmo {

struct SessionEndingContext {
    UserInterfaceSwitch& ui;
    const Clock& clock;
    Sleeper& sleeper;
    std::filesystem::path rescueRoot;  // empty: no copies can be made
};

struct SessionEndingHooks {
    // Closes the main window (its close event runs runCloseQuery); true when it closed.
    std::function<bool()> closeWindow;
    // The data files whose edits have not reached the data folder.
    std::function<std::vector<RescueFile>()> unsavedFiles;
    // Ends the application's event loops, those of open dialogs and boxes included.
    std::function<void()> quit;
};

class SessionEnding {
public:
    SessionEnding(SessionEndingContext context, SessionEndingHooks hooks);

    // A termination signal. Arriving while the close query runs (a box of it is open),
    // it lets that query finish unattended.
    void endOnSignal();

    // Runs the window's close query; true when the window may close. After a signal
    // the answer is always true, with the unsaved files rescued.
    bool runCloseQuery(const std::function<bool()>& closeQuery);

    // The close query's last word once the data could not be saved: true to close all
    // the same, after the unsaved files were rescued. The user is asked first (No
    // preselected); after a signal nobody is. Without a rescue folder the user is only
    // told that the close was refused.
    bool closeAfterFailedSave();

    // Shown at the first showing: where the copies of earlier runs went, each once.
    void tellAboutRescuedFiles();

    // Tests end nothing.
    void setQuit(std::function<void()> quit) { hooks_.quit = std::move(quit); }

private:
    // True when nothing is left unsaved outside the data folder.
    bool rescueUnsaved();
    std::string rootText() const;

    SessionEndingContext context_;
    SessionEndingHooks hooks_;
    bool signalled_ = false;
    bool closing_ = false;
    bool rescued_ = false;
};

}  // namespace velmo
