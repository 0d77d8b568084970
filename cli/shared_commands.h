#pragma once
// velmo-tool's commands on the schedule data that take part in the shared-folder
// protocol: `add-line` (the day editor's OK from the command line) and `locks` (the lock
// search with the update counter).

#include <string>
#include <vector>

#include "core/user_interface.h"

namespace velmo {

// Exit status of a command refused by the protocol (another computer holds the lock,
// or maintenance is on): worth trying again later.
inline constexpr int kRefusedExitStatus = 3;

// add-line YYYY-MM-DD TEXT [--colour NAME]: 0 added, 3 refused by the lock protocol,
// 1 any other failure, 2 a usage error.
int runAddLineCommand(const std::string& startFolder, const std::vector<std::string>& arguments,
                      UserInterface& ui);

// locks: the lock search text of the shared folder set in the settings, then
// "update.myc: N" (or "update.myc: なし" when it does not exist yet).
int runLocksCommand(const std::string& startFolder, UserInterface& ui);

// unlock-all [--yes]: the forced unlock of every lock of the shared folder set in the
// settings, with its questions answered Yes only when --yes is given; 0 when every lock
// is gone (or there was none), 1 otherwise.
int runUnlockAllCommand(const std::string& startFolder, UserInterface& ui);

}  // namespace velmo
