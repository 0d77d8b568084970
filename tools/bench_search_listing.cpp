// The search listing over 50 years of month files (12 months x 200 entries each):
// rebuilding it from the month files, and a whole `velmo-tool search` over a fresh
// listing (process start, settings, loading kensaku.txt, matching, printing).
// Run from a Release build: bench_search_listing [--benchmark_filter=...]
// VELMO_TOOL names the velmo-tool to time (default: cli/velmo-tool of the same build).

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"
#include "store/entry_line.h"
#include "store/line_file.h"
#include "store/month_file.h"
#include "store/search_listing.h"
#include "tools/bench_support.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFirstYear = 1990;
constexpr int kYears = 50;
constexpr int kLinesPerMonth = 200;
constexpr const char* kSearchedText = "会議";

// One month as the day editor stores it: entries numbered per day, a few memo lines.
velmo::LineList monthLines(std::mt19937& random) {
    std::uniform_int_distribution<int> day(1, 28);
    std::uniform_int_distribution<std::size_t> text(0, std::size(velmo::bench::kScheduleTexts) - 1);
    std::uniform_int_distribution<int> memo(0, 19);
    std::vector<int> positions(velmo::kMonthMemoDay + 1, 0);
    velmo::LineList lines;
    for (int i = 0; i < kLinesPerMonth; ++i) {
        const int d = memo(random) == 0 ? velmo::kMonthMemoDay : day(random);
        velmo::DayLineAttr attr;
        attr.auxTime = "9:30";
        lines.push_back(velmo::formatEntryLine(d, ++positions[static_cast<std::size_t>(d)],
                                               velmo::bench::kScheduleTexts[text(random)], attr));
    }
    return lines;
}

// A start folder whose data folder (Data/Files1/) holds the months and a fresh listing.
class BenchFolder {
public:
    BenchFolder() : start_(folder_.path()), data_(start_ / "Data" / "Files1") {
        fs::create_directories(data_);
        std::mt19937 random(2024);
        for (int year = kFirstYear; year < kFirstYear + kYears; ++year) {
            for (int month = 1; month <= 12; ++month) {
                if (velmo::writeLinesRetrying(velmo::monthFilePath(data_.string(), year, month),
                                              monthLines(random), {1, {}},
                                              sleeper_) != velmo::WriteOutcome::Written)
                    throw std::runtime_error("cannot write the month files");
            }
        }
        velmo::writeSearchListing(velmo::searchListingPath(data_), build(), ui_, sleeper_);
    }
    std::vector<std::string> build() { return velmo::buildSearchListing(data_, ui_, sleeper_); }
    const fs::path& start() const { return start_; }

private:
    velmo::bench::TemporaryFolder folder_;
    velmo::bench::StderrUserInterface ui_;
    velmo::ThreadSleeper sleeper_;
    fs::path start_;
    fs::path data_;
};

BenchFolder& benchFolder() {
    static BenchFolder folder;
    return folder;
}

fs::path toolPath() {
    if (const char* tool = std::getenv("VELMO_TOOL"))
        return tool;
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "cli" / "velmo-tool";
}

// One `velmo-tool search` with its output thrown away; its exit status.
int runSearch(const fs::path& tool) {
    const std::string startFolder = benchFolder().start().string() + "/";
    std::vector<std::string> arguments{tool.string(), "--start-folder", startFolder, "search",
                                       kSearchedText};
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (failed != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

}  // namespace

#if __has_include(<benchmark/benchmark.h>)
#include <benchmark/benchmark.h>

static void BM_BuildSearchListing(benchmark::State& state) {
    BenchFolder& folder = benchFolder();
    std::size_t lines = 0;
    for (auto _ : state) {
        const std::vector<std::string> listing = folder.build();
        lines = listing.size();
        benchmark::DoNotOptimize(listing.data());
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_BuildSearchListing)->Unit(benchmark::kMillisecond);

static void BM_VelmoToolSearch(benchmark::State& state) {
    const fs::path tool = toolPath();
    // The first run seeds the start folder; the listing is fresh, so none rebuilds.
    if (runSearch(tool) != 0) {
        state.SkipWithError(("cannot run " + tool.string() + " (set VELMO_TOOL)").c_str());
        return;
    }
    for (auto _ : state) {
        if (runSearch(tool) != 0)
            state.SkipWithError("search failed");
    }
}
BENCHMARK(BM_VelmoToolSearch)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();

#else

int main() {
    constexpr int kRounds = 10;
    const auto time = [](auto&& run) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kRounds; ++i)
            run();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        return took.count() / kRounds;
    };
    BenchFolder& folder = benchFolder();
    std::printf("buildSearchListing: %.1f ms\n", time([&] { folder.build(); }));
    const fs::path tool = toolPath();
    if (runSearch(tool) != 0)
        return 1;
    std::printf("velmo-tool search: %.1f ms\n", time([&] { runSearch(tool); }));
    return 0;
}

#endif
