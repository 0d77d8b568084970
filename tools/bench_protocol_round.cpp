// One round of a shared edit: maintenance test, lock, reload, lock again, add a line,
// save, raise the update counter, release. The shared folder is VELMO_BENCH_SHARED
// (created when missing; a sshfs mount for the network figure, see
// bench_protocol_round.py), else a temporary folder on the local disk.
// Run from a Release build: bench_protocol_round [--benchmark_filter=...]

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/navigation/day_edit.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "shared/shared_folder_session.h"
#include "store/data_folders.h"
#include "tools/bench_support.h"

namespace {

namespace fs = std::filesystem;

fs::path sharedFolder() {
    if (const char* given = std::getenv("VELMO_BENCH_SHARED"))
        return given;
    static const fs::path made = [] {
        char pattern[] = "/tmp/velmo-bench-XXXXXX";
        return fs::path(::mkdtemp(pattern));
    }();
    return made;
}

// A run in network mode on the shared folder, editing one month of one day.
struct Round {
    Round() : session([this] { return &folders; }, "BENCH", ui, status, sleeper, {}, exists) {
        fs::create_directories(sharedFolder() / "Data/Files1");
        session.mode().setSharedFolder(sharedFolder().string() + "/");
        session.mode().setState(true);
    }
    bool once(int n) {
        const velmo::DataLocation& data = folders.current();
        const velmo::MonthFileContext files{data.folder(), data.label(), ui, sleeper,
                                            session.mode()};
        const velmo::DayEditResult result =
            velmo::editDay({slot, velmo::kFreeMonthSlot, 2031, 5, 14, false},
                           {files, session.editLocks()}, [n](const velmo::DayEditorLines& lines) {
                               return std::optional(velmo::withAddedLine(
                                   lines, "bench " + std::to_string(n), std::nullopt));
                           });
        return result.outcome == velmo::DayEditOutcome::Stored &&
               result.protocol == velmo::ProtocolOutcome::Done;
    }

    velmo::DataFolders folders;
    velmo::bench::StderrUserInterface ui;
    velmo::SilentStatusLine status;
    velmo::ThreadSleeper sleeper;
    velmo::FolderExists exists = velmo::folderExistsOnDisk;
    velmo::SharedFolderSession session;
    velmo::MonthSlot slot;
};

}  // namespace

#if __has_include(<benchmark/benchmark.h>)
#include <benchmark/benchmark.h>

static void BM_ProtocolRound(benchmark::State& state) {
    Round round;
    int n = 0;
    for (auto _ : state) {
        if (!round.once(n++))
            state.SkipWithError("the edit was refused");
    }
    state.SetLabel(sharedFolder().string());
}
// The month grows by one line a round; a fixed count keeps rounds comparable.
BENCHMARK(BM_ProtocolRound)->Unit(benchmark::kMillisecond)->Iterations(200);

BENCHMARK_MAIN();

#else

int main() {
    Round round;
    constexpr int kRounds = 200;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) {
        if (!round.once(i))
            return 1;
    }
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("protocol round: %.2f ms\n", took.count() / kRounds);
    return 0;
}

#endif
