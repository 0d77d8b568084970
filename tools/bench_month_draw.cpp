// Laying out and drawing a full month view, as every date or property change does: an
// 898 x 598 control with the "５行" row layout, five lines on every day (tags, colours,
// tabs), 20 period schedules, holidays, special days and the rokuyo. The target is under
// 5 ms per redraw. Run from a Release build: bench_month_draw [--benchmark_filter=...]

#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "calendar/lunisolar.h"
#include "monthview/month_grid.h"
#include "monthview/qt_month_painter.h"

#include "tools/bench_support.h"

namespace {

using velmo::bench::bundledHolidayLines;

std::string entry(int day, int position, const std::string& text, const std::string& colour) {
    char head[16];
    std::snprintf(head, sizeof head, "%2d,%d,,", day, position);
    return head + text + "," + colour + ",,,,,";
}

// Five lines on every day of a month, of the kinds people write.
velmo::LineList busyMonth(int year, int month) {
    static const char* const kTexts[] = {
        "<B>週次定例</B> 10:00",
        "09:30\t資料作成と見積書の確認",
        "13:00 来客（山田様）",
        "<S>飲み会</S> 中止",
        "18:00 ジム",
    };
    static const char* const kColours[] = {"", "clRed", "clBlue", "$00008000", "1"};
    velmo::LineList lines;
    for (int day = 1; day <= velmo::daysOfMonth(year, month); ++day) {
        for (int i = 0; i < 5; ++i)
            lines.push_back(entry(day, i + 1, kTexts[i], kColours[(day + i) % 5]));
    }
    lines.push_back(entry(77, 1, "月メモ", ""));
    return lines;
}

// 20 periods over the visible six weeks, overlapping so that they take several lanes.
velmo::LineList periods() {
    velmo::LineList lines{"***** FromTo予定 [Data\\Files1\\]"};
    static const char* const kColours[] = {"clBlue", "clRed", "$00008000", "clPurple", "clTeal"};
    for (int i = 0; i < 20; ++i) {
        const velmo::Ymd from = velmo::juliusDayToYmd(velmo::ymdToJuliusDay(2024, 8, 26) + i * 2);
        const velmo::Ymd to =
            velmo::juliusDayToYmd(velmo::ymdToJuliusDay(2024, 8, 26) + i * 2 + 1 + i % 6);
        char line[256];
        std::snprintf(line, sizeof line,
                      "%4d,%2d,%2d,%s,%4d,%2d,%2d,%s,%4d,%2d,%2d,%d,%s,期間予定%d,PC,,,,,",
                      from.year, from.month, from.day, i % 3 == 0 ? "M" : "A", to.year, to.month,
                      to.day, i % 2 == 0 ? "E" : "M", from.year, from.month, from.day, 1 + i % 3,
                      kColours[i % 5], i + 1);
        lines.push_back(line);
    }
    return lines;
}

struct Bench {
    std::unique_ptr<velmo::TKvMCalModel> model;
    velmo::MonthPainter painter;
    QImage image;
    bool paint = true;

    Bench() {
        using P = velmo::KvMCalProperties;
        model = std::make_unique<velmo::TKvMCalModel>(velmo::ymdToJuliusDay(2024, 9, 10));
        velmo::TKvMCalModel& m = *model;
        m.state().Suspended = true;
        P p = m.properties();
        p.isFontBold = true;
        p.ItemGyo = 5;
        p.LenFontHidukeH = 18;
        p.LenFontNeighbH = 16;
        p.LenTopItem = 0;
        p.LenFontYoteiH = 12;
        p.LenGyokan = 2;
        p.LenFontKinenbH = 12;
        p.LenFontKinenbNH = 11;
        p.LenHidukeH = 22;
        p.LenItemLeftM = 6;
        p.LenKinenC = 2;
        p.LenKinenNC = 1;
        p.LenDayH = 95;
        p.LenDayW = 128;
        p.ShowRokuyo = true;
        m.setProperties(p);
        m.state().ExtendNames = true;
        m.rules().setHolidayList(bundledHolidayLines());
        m.rules().setSpecialDayList({"9,10,創立記念日", "9,16,祖母の誕生日", "9,20,入籍日"});
        for (int slot = 0; slot < velmo::kFreeMonthSlot; ++slot) {
            const int month = 8 + slot;
            m.monthSlots()[static_cast<std::size_t>(slot)] = {2024, month, busyMonth(2024, month),
                                                              0,    false, {}};
        }
        m.state().CurrentSlot = 1;
        m.periods().lines = periods();
        m.setControlSize({898, 598});
        image = velmo::MonthPainter::makeImage(m.controlSize(), 1.0);
        m.setOnRedraw([this] {
            if (paint)
                painter.paint(*model, image);
        });
        m.state().Suspended = false;
        velmo::lunisolarTable();
        m.updateMetrics();  // the first redraw also loads the fonts
    }
};

// A Qt application on the off-screen platform, for the fonts.
QGuiApplication& application() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_month_draw";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

}  // namespace

#if __has_include(<benchmark/benchmark.h>)
#include <benchmark/benchmark.h>

// Relayout: cell slots, period lanes and day lines, then the whole picture.
static void BM_LayoutAndDraw(benchmark::State& state) {
    application();
    Bench bench;
    for (auto _ : state)
        bench.model->relayout();
    benchmark::DoNotOptimize(bench.image.constBits());
}
BENCHMARK(BM_LayoutAndDraw)->Unit(benchmark::kMillisecond);

static void BM_LayoutOnly(benchmark::State& state) {
    application();
    Bench bench;
    bench.paint = false;
    for (auto _ : state)
        bench.model->relayout();
}
BENCHMARK(BM_LayoutOnly)->Unit(benchmark::kMillisecond);

static void BM_DrawOnly(benchmark::State& state) {
    application();
    Bench bench;
    for (auto _ : state)
        bench.painter.paint(*bench.model, bench.image);
    benchmark::DoNotOptimize(bench.image.constBits());
}
BENCHMARK(BM_DrawOnly)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

#else

int main() {
    application();
    Bench bench;
    constexpr int kRounds = 200;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i)
        bench.model->relayout();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("layout and draw, 898 x 598: %.2f ms per redraw\n", took.count() / kRounds);
    return 0;
}

#endif
