#pragma once
// velmo-tool's `search TEXT`: the search window's listing from the command line.

#include <string>
#include <vector>

#include "core/user_interface.h"

namespace velmo {

// search TEXT: opens the current data folder's search listing as the search window does
// (its questions get the given interface's answers), writes it back when it was rebuilt,
// and prints every listing line that holds TEXT. 0 when a line matched, 1 when none did
// or the folders could not be used, 2 a usage error.
int runSearchCommand(const std::string& startFolder, const std::vector<std::string>& arguments,
                     UserInterface& ui);

}  // namespace velmo
