// Throughput of the line file reader on a 10 MB CP932 file of schedule lines.
// Run from a Release build: bench_line_file [--benchmark_filter=...]

#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "core/user_interface.h"
#include "store/cp932.h"
#include "store/line_file.h"
#include "tools/bench_support.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileSize = std::size_t{10} * 1024 * 1024;

// Lines shaped like a month file's entries: day, position, an empty field, a text
// mixing ASCII and double-byte characters (with "，" for ","), colour and carried values.
std::string scheduleFileBytes() {
    static constexpr std::string_view kColours[] = {"clBlack", "clRed", "clBlue", "255", "8421504"};
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> day(1, 31);
    std::uniform_int_distribution<int> position(0, 9);
    std::uniform_int_distribution<std::size_t> text(0, std::size(velmo::bench::kScheduleTexts) - 1);
    std::uniform_int_distribution<std::size_t> colour(0, std::size(kColours) - 1);
    std::uniform_int_distribution<int> repeat(1, 3);

    std::string utf8;
    std::string bytes;
    bytes.reserve(kFileSize + 256);
    while (bytes.size() < kFileSize) {
        utf8.clear();
        utf8 += std::to_string(day(random)) + "," + std::to_string(position(random)) + ",,";
        for (int i = repeat(random); i > 0; --i) {
            utf8 += velmo::bench::kScheduleTexts[text(random)];
        }
        utf8 += ",";
        utf8 += kColours[colour(random)];
        utf8 += ",0,9:30,0,1";
        bytes += velmo::cp932::encode(utf8);
        bytes += "\r\n";
    }
    return bytes;
}

class BenchFile {
public:
    BenchFile() : file_(folder_.path() / "Ca202409.myc"), bytes_(scheduleFileBytes()) {
        std::ofstream(file_, std::ios::binary)
            .write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    }
    const fs::path& file() const { return file_; }
    const std::string& bytes() const { return bytes_; }

private:
    velmo::bench::TemporaryFolder folder_;
    fs::path file_;
    std::string bytes_;
};

const BenchFile& benchFile() {
    static const BenchFile file;
    return file;
}

// Reads the file once; returns the number of lines, or 0 on failure.
std::size_t readOnce() {
    velmo::bench::StderrUserInterface ui;
    velmo::ThreadSleeper sleeper;
    velmo::LineList lines;
    if (!velmo::readLineFile(benchFile().file(), lines, ui, sleeper))
        return 0;
    return lines.size();
}

}  // namespace

#if __has_include(<benchmark/benchmark.h>)
#include <benchmark/benchmark.h>

static void BM_ReadLineFile(benchmark::State& state) {
    const std::size_t size = benchFile().bytes().size();
    for (auto _ : state) {
        const std::size_t lines = readOnce();
        if (lines == 0)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_ReadLineFile)->Unit(benchmark::kMillisecond);

// The same without the file system: splitting and decoding only.
static void BM_SplitFileText(benchmark::State& state) {
    const std::string& bytes = benchFile().bytes();
    for (auto _ : state) {
        velmo::LineList lines = velmo::splitFileText(bytes);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_SplitFileText)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

#else

int main() {
    const std::size_t size = benchFile().bytes().size();
    constexpr int kRounds = 20;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) {
        if (readOnce() == 0)
            return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("readLineFile: %.1f MB/s\n", size * kRounds / took.count() / (1024.0 * 1024.0));
    return 0;
}

#endif
