#pragma once
// The wait for the shared folder at start: up to 100 one-second ticks, the folder tested
// every tenth, so a share that comes up late still gets used without a restart.

#include <chrono>
#include <filesystem>

#include "core/clock.h"
#include "shared/folder_probe.h"

namespace velmo {

inline constexpr int kFolderWaitTicks = 100;
inline constexpr int kFolderWaitTestEvery = 10;
inline constexpr std::chrono::milliseconds kFolderWaitTick{1000};

class FolderWait {
public:
    enum class Step {
        Waiting,   // go on ticking
        Found,     // the folder is there: pause a moment, then close
        TimedOut,  // all ticks gone: close without the folder
    };

    FolderWait(std::filesystem::path folder, ExistenceTest test);

    Step tick();

    // What the counter shows: the ticks so far, one less once the folder was found.
    int count() const { return count_; }
    bool found() const { return found_; }

private:
    std::filesystem::path folder_;
    ExistenceTest test_;
    int count_ = 0;
    bool found_ = false;
};

// The whole wait without a window: one tick per sleep, and after a find the pause of one
// more tick. True when the folder was found.
bool waitForFolder(const std::filesystem::path& folder, const ExistenceTest& test,
                   Sleeper& sleeper);

}  // namespace velmo
