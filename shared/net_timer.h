#pragma once
// The timer that runs the update check while network mode is on.

#include <chrono>
#include <optional>

namespace velmo {

// The timer's interval for the setting rbNetKoushin: 1 every 10 s, 2 every 60 s; any
// other value runs no timer (the check then happens only on return from the tray).
std::optional<std::chrono::milliseconds> netTimerInterval(int rbNetKoushin);

// A tick checks nothing while the main window is hidden (resident) or the day editor is
// open: a reload then would pull the data out from under the editor.
bool netTickChecks(bool windowHidden, bool dayEditorOpen);

}  // namespace velmo
