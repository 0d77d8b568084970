#pragma once
// A named pipe put where a data file belongs. Opening a pipe for reading waits until
// some program opens it for writing, so a reader that does not refuse it hangs.

#include <filesystem>
#include <functional>

namespace velmo::testing {

// Creates the pipe (throws when it cannot).
std::filesystem::path makeFifo(const std::filesystem::path& path);

// Runs the call on a thread of its own. True when it came back by itself; false when
// it still hung after a generous wait, in which case this opens the pipe as its writer
// so the blocked call (and with it the test) can end.
bool returnsBesideFifo(const std::filesystem::path& fifo, const std::function<void()>& call);

}  // namespace velmo::testing
