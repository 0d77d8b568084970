#include "shared/folder_probe.h"

#include <sys/stat.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace velmo {

namespace {

// A dead mount is probed again every few seconds by the update check; each stuck stat
// keeps a thread. Beyond this many the share is plainly gone and no more are started.
constexpr int kMaxProbesInFlight = 8;

// Trivially destructible, so a detached thread may still count down during exit.
std::atomic<int> probesInFlight{0};

// What the caller and the helper thread share; it lives as long as the longer of them.
struct ProbeState {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool exists = false;
};

}  // namespace

bool folderExists(const std::filesystem::path& folder) {
    struct stat status {};
    return ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool folderReachable(const std::filesystem::path& folder, std::chrono::milliseconds timeout,
                     const ExistenceTest& test) {
    if (probesInFlight.load() >= kMaxProbesInFlight)
        return false;
    auto state = std::make_shared<ProbeState>();
    ++probesInFlight;
    try {
        // Detached, so a thread stuck in the kernel never keeps the process from ending.
        std::thread([state, folder, test] {
            const bool exists = test(folder);
            {
                const std::lock_guard lock(state->mutex);
                state->exists = exists;
                state->finished = true;
            }
            state->done.notify_all();
            --probesInFlight;
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: better a wrong "absent" than a caller hung for good.
        --probesInFlight;
        return false;
    }
    std::unique_lock lock(state->mutex);
    return state->done.wait_for(lock, timeout, [&] { return state->finished; }) && state->exists;
}

int folderProbesInFlight() {
    return probesInFlight.load();
}

bool folderReachableText(const std::string& folder) {
    return folderReachable(folder);
}

}  // namespace velmo
