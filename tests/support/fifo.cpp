#include "tests/support/fifo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>

namespace velmo::testing {

namespace {

// Long enough for a slow machine to finish a call that does not block at all.
constexpr std::chrono::seconds kHangLimit{10};

// Opening as writer releases a reader blocked in open(); closing at once gives it an
// end of file. A reader that opened without blocking is unaffected.
void releaseReaders(const std::filesystem::path& fifo) {
    const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0)
        ::close(fd);
}

}  // namespace

std::filesystem::path makeFifo(const std::filesystem::path& path) {
    if (::mkfifo(path.c_str(), 0644) != 0)
        throw std::runtime_error("mkfifo failed: " + path.string());
    return path;
}

bool returnsBesideFifo(const std::filesystem::path& fifo, const std::function<void()>& call) {
    std::packaged_task<void()> task(call);
    std::future<void> done = task.get_future();
    std::thread runner(std::move(task));
    const bool returned = done.wait_for(kHangLimit) == std::future_status::ready;
    // A reader may block again on a later try: keep releasing until it is through.
    while (done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready)
        releaseReaders(fifo);
    runner.join();
    done.get();
    return returned;
}

}  // namespace velmo::testing
