#include "shared/update_counter.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <optional>
#include <string>

#include "store/file_descriptor.h"
#include "store/file_helpers.h"
#include "store/line_file.h"
#include "store/regular_file.h"
#include "store/text_helpers.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {

// The retry loop of this file owns the pauses; a single write attempt has none.
class NoPause final : public Sleeper {
public:
    void sleep(std::chrono::milliseconds) override {}
};

// Serialises the bumps of the processes of this host from reading to writing, with an
// open-file-description lock (a second open in the same process is excluded as well).
// Not a lock on update.myc itself: the writer replaces that file by rename, so a process
// arriving later would lock the new inode while an earlier one still holds the old, and
// both would write. This companion file is never replaced. Its name starts with "." and
// ends in none of the program's masks (*.myc, *.lock, ...), so the lock search, the
// forced unlock and the stale-temporary sweep never touch it. Where it cannot be created
// or the share refuses locks, the bump goes on unguarded, as the other computers' do.
class HostBumpLock {
public:
    explicit HostBumpLock(const fs::path& counterFile)
        : fd_(::open((counterFile.parent_path() / ".update.myc.guard").c_str(),
                     O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666)) {
        if (!fd_.valid())
            return;
        struct flock whole {};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
        while (::fcntl(fd_.get(), F_OFD_SETLKW, &whole) == -1 && errno == EINTR) {
        }
    }

private:
    FileDescriptor fd_;  // closing it releases the lock
};

// One look at the counter file.
struct CounterLook {
    enum class Kind { Missing, Read, Failed } kind = Kind::Failed;
    int value = -1;  // when Read
};

CounterLook lookAt(const fs::path& file) {
    const OpenedFile opened = openRegularFile(resolveCaseInsensitive(file), FileAccess::Read);
    if (opened.outcome == OpenOutcome::Missing)
        return {CounterLook::Kind::Missing};
    std::string bytes;
    if (opened.outcome != OpenOutcome::Opened || !readAll(opened.fd.get(), bytes))
        return {CounterLook::Kind::Failed};
    const LineList lines = splitFileText(bytes);
    return {CounterLook::Kind::Read, lines.empty() ? -1 : parseCounterLine(lines.front())};
}

bool writeCounter(const fs::path& file, int value) {
    NoPause none;
    return writeLinesRetrying(file, {std::to_string(value)}, Retry{1, {}}, none) ==
           WriteOutcome::Written;
}

// Calls attempt up to tries times until it gives a value, pausing between tries.
template <class Attempt>
auto retrying(int tries, std::chrono::milliseconds wait, Sleeper& sleeper, Attempt attempt)
    -> decltype(attempt()) {
    for (int i = 1; i <= tries; ++i) {
        if (auto result = attempt())
            return result;
        if (i < tries)
            sleeper.sleep(wait);
    }
    return std::nullopt;
}

}  // namespace

int parseCounterLine(std::string_view line) {
    const std::string trimmed = trimSpaces(line);
    int value = 0;
    const char* const end = trimmed.data() + trimmed.size();
    const auto [stop, error] = std::from_chars(trimmed.data(), end, value);
    return error == std::errc{} && stop == end && !trimmed.empty() ? value : -1;
}

int readUpdateCounter(const fs::path& file, int tries, std::chrono::milliseconds wait,
                      Sleeper& sleeper) {
    const std::optional<int> value = retrying(tries, wait, sleeper, [&]() -> std::optional<int> {
        const CounterLook look = lookAt(file);
        if (look.kind == CounterLook::Kind::Read)
            return look.value;
        if (look.kind == CounterLook::Kind::Missing && writeCounter(file, 1))
            return 1;
        return std::nullopt;
    });
    return value.value_or(-1);
}

CounterBump bumpUpdateCounter(const fs::path& file, int tries, std::chrono::milliseconds wait,
                              Sleeper& sleeper) {
    const std::optional<CounterBump> bump =
        retrying(tries, wait, sleeper, [&]() -> std::optional<CounterBump> {
            const HostBumpLock lock(file);
            const CounterLook look = lookAt(file);
            if (look.kind == CounterLook::Kind::Failed)
                return std::nullopt;
            // A negative number is no count this program wrote; it starts again like garbage.
            const int before = look.kind == CounterLook::Kind::Read ? std::max(look.value, 0) : 0;
            const int after = (before > kCounterWrapLimit ? 0 : before) + 1;
            if (!writeCounter(file, after))
                return std::nullopt;
            return CounterBump{before, after};
        });
    return bump.value_or(CounterBump{});
}

}  // namespace velmo
