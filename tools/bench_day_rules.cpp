// Classifying and naming every day from 1900 to 2100 with the bundled holiday rules and a
// few memorial days, as the year view and the month view do day by day: day flags, the
// names and the rokuyo. Run from a Release build: bench_day_rules [--benchmark_filter=...]

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "calendar/day_rules.h"
#include "calendar/julius_day.h"
#include "calendar/lunisolar.h"

#include "tools/bench_support.h"

namespace {

using velmo::bench::bundledHolidayLines;

const velmo::DayRules& benchRules() {
    static const velmo::DayRules rules = [] {
        velmo::DayRules r;
        r.setHolidayList(bundledHolidayLines());
        r.setSpecialDayList({",,2,14,,,バレンタインデー", ",,3,3,,,ひな祭り",
                             "1990,,5,1,,,創立記念日", ",,7,7,,,七夕", ",,12,33,,,大晦日",
                             ",,6,,1,3,父の日", ",,5,,1,2,母の日", "2000,2030,11,15,,,七五三"});
        return r;
    }();
    return rules;
}

const std::int32_t kFirstDay = velmo::ymdToJuliusDay(1900, 1, 1);
const std::int32_t kLastDay = velmo::ymdToJuliusDay(2100, 12, 31);

// One pass over all days; the sum keeps the compiler from dropping the work.
std::uint64_t classifyAll(bool withNames, bool withRokuyo) {
    const velmo::DayRules& rules = benchRules();
    std::uint64_t sum = 0;
    for (std::int32_t n = kFirstDay; n <= kLastDay; ++n) {
        const velmo::Ymd d = velmo::juliusDayToYmd(n);
        sum += rules.dayFlags(d.year, d.month, d.day);
        if (withNames)
            sum += rules.dayNames(d.year, d.month, d.day).names.size();
        if (withRokuyo)
            sum += static_cast<std::uint64_t>(velmo::rokuyoOf(n));
    }
    return sum;
}

}  // namespace

#if __has_include(<benchmark/benchmark.h>)
#include <benchmark/benchmark.h>

static void BM_DayFlags1900To2100(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(classifyAll(false, false));
    state.SetItemsProcessed(state.iterations() * (kLastDay - kFirstDay + 1));
}
BENCHMARK(BM_DayFlags1900To2100)->Unit(benchmark::kMillisecond);

static void BM_DayFlagsAndNames1900To2100(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(classifyAll(true, false));
    state.SetItemsProcessed(state.iterations() * (kLastDay - kFirstDay + 1));
}
BENCHMARK(BM_DayFlagsAndNames1900To2100)->Unit(benchmark::kMillisecond);

// The whole of what a calendar needs per day: the target is under 50 ms.
static void BM_DayFlagsNamesAndRokuyo1900To2100(benchmark::State& state) {
    velmo::lunisolarTable();  // parsed once at start-up, not per pass
    for (auto _ : state)
        benchmark::DoNotOptimize(classifyAll(true, true));
    state.SetItemsProcessed(state.iterations() * (kLastDay - kFirstDay + 1));
}
BENCHMARK(BM_DayFlagsNamesAndRokuyo1900To2100)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

#else

int main() {
    velmo::lunisolarTable();
    constexpr int kRounds = 10;
    std::uint64_t sum = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i)
        sum += classifyAll(true, true);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("flags, names and rokuyo 1900-2100: %.1f ms per pass (%llu)\n",
                took.count() / kRounds, static_cast<unsigned long long>(sum));
    return 0;
}

#endif
