#include "cli/render_command.h"

#include <QImage>
#include <QString>
#include <cstdio>
#include <filesystem>

#include "cli/month_model_loader.h"
#include "core/clock.h"
#include "monthview/calendar_settings.h"
#include "monthview/month_grid.h"
#include "monthview/qt_month_painter.h"
#include "monthview/row_presets.h"
#include "store/data_folders.h"
#include "store/file_helpers.h"
#include "store/month_file.h"
#include "store/period_file.h"
#include "store/rule_file.h"
#include "store/shared_folder_hooks.h"

namespace velmo {
namespace {

bool validDate(int year, int month, int day) {
    try {
        return isValidYmd(year, month, day);
    } catch (const EJuliusError&) {
        return false;
    }
}

std::optional<Ymd> parseIsoDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = wholeNumber(std::string_view(text).substr(0, 4));
    const auto month = wholeNumber(std::string_view(text).substr(5, 2));
    const auto day = wholeNumber(std::string_view(text).substr(8, 2));
    if (!year || !month || !day || !validDate(*year, *month, *day))
        return std::nullopt;
    return Ymd{*year, *month, *day};
}

std::optional<std::pair<int, int>> parseSize(const std::string& text) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    const auto width = wholeNumber(std::string_view(text).substr(0, x));
    const auto height = wholeNumber(std::string_view(text).substr(x + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > 16384 || *height > 16384)
        return std::nullopt;
    return std::make_pair(*width, *height);
}

std::nullopt_t refuse(const std::string& text) {
    std::fprintf(stderr, "velmo-tool render: %s (see velmo-tool --help)\n", text.c_str());
    return std::nullopt;
}

}  // namespace

std::optional<RenderRequest> parseRenderArguments(const std::vector<std::string>& arguments) {
    RenderRequest request;
    bool haveMonth = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&](const char* name) -> std::optional<std::string> {
            const std::string prefix = std::string(name) + "=";
            if (argument.starts_with(prefix))
                return argument.substr(prefix.size());
            if (argument == name && i + 1 < arguments.size())
                return arguments[++i];
            return std::nullopt;
        };
        if (argument == "--rokuyo") {
            request.rokuyo = true;
        } else if (argument.starts_with("--out")) {
            const auto file = value("--out");
            if (!file || file->empty())
                return refuse("--out needs a file name");
            request.outFile = *file;
        } else if (argument.starts_with("--today")) {
            const auto text = value("--today");
            request.today = text ? parseIsoDate(*text) : std::nullopt;
            if (!request.today)
                return refuse("--today needs a date YYYY-MM-DD");
        } else if (argument.starts_with("--size")) {
            const auto text = value("--size");
            request.size = text ? parseSize(*text) : std::nullopt;
            if (!request.size)
                return refuse("--size needs WIDTHxHEIGHT in pixels");
        } else if (const auto month = haveMonth ? std::nullopt : monthArgument(argument)) {
            if (!month->valid)
                return refuse(kMonthArgumentRefusal);
            request.year = month->year;
            request.month = month->month;
            haveMonth = true;
        } else {
            return refuse("unexpected argument \"" + argument + "\"");
        }
    }
    if (!haveMonth)
        return refuse("the month YYYYMM is missing");
    if (request.outFile.empty())
        return refuse("--out FILE.png is missing");
    return request;
}

KvMCalProperties rowPresetProperties(KvMCalProperties base, const DisplayKeys& display,
                                     std::optional<int> requestedWidth) {
    const RowPreset& preset = presetFor(display.vCalGyou);
    std::uint8_t dayWidth = 0;
    if (preset.width == WidthRule::Screen && requestedWidth) {
        // The picture stands in for the screen: its width is the view's.
        dayWidth = clampDayWidth((*requestedWidth - 3) / kColumnCount);
    } else {
        // Without a screen to measure, a screen-wide preset is as wide as "５行".
        const RowPreset& widthPreset =
            preset.width == WidthRule::Screen ? presetFor(kDefaultRowPresetId) : preset;
        dayWidth = presetDayWidth(widthPreset, {display.cbMonthBtn, display.udYokoC, 0, 0});
    }
    return presetProperties(base, preset, dayWidth);
}

int runRenderCommand(const std::string& startFolder, const std::vector<std::string>& arguments,
                     UserInterface& ui) {
    const std::optional<RenderRequest> request = parseRenderArguments(arguments);
    if (!request)
        return 2;

    const auto application = startWindowlessQt();

    ThreadSleeper sleeper;
    SystemClock clock;
    const Ymd today = request->today.value_or([&] {
        const LocalDate d = clock.today();
        return Ymd{d.year, d.month, d.day};
    }());

    const ToolMonthSource source = readToolMonthSource(startFolder, clock, sleeper);
    TKvMCalModel model(ymdToJuliusDay(today.year, today.month, today.day));
    model.state().Suspended = true;
    const std::optional<int> requestedWidth =
        request->size ? std::optional<int>(request->size->first) : std::nullopt;
    model.setProperties(
        rowPresetProperties(model.properties(), source.settings.display, requestedWidth));
    applyCalendarSettings(model, source.settings);
    if (request->rokuyo)
        model.set(&KvMCalProperties::ShowRokuyo, true);
    loadToolMonth(model, startFolder, source, request->year, request->month, today, ui, sleeper);

    const Size size = request->size ? Size{request->size->first, request->size->second}
                                    : preferredControlSize(model.properties());
    model.setControlSize(size);
    QImage image = MonthPainter::makeImage(size, 1.0);
    MonthPainter painter;
    model.setOnRedraw([&] { painter.paint(model, image); });
    model.state().Suspended = false;
    model.updateMetrics();

    if (!image.save(QString::fromStdString(request->outFile), "PNG")) {
        std::fprintf(stderr, "velmo-tool render: cannot write %s\n", request->outFile.c_str());
        return 1;
    }
    return 0;
}

}  // namespace velmo
