#include "cli/render_command.h"

#include <QImage>
#include <QString>
#include <array>
#include <cstdio>
#include <filesystem>

#include "cli/month_model_loader.h"
#include "core/clock.h"
#include "monthview/calendar_settings.h"
#include "monthview/month_grid.h"
#include "monthview/qt_month_painter.h"
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

struct RowPreset {
    int id;
    std::uint8_t itemGyo;
    std::uint8_t fontHidukeH;
    std::uint8_t fontNeighbH;
    std::uint8_t topItem;
    std::uint8_t fontYoteiH;
    std::uint8_t gyokan;
    std::uint8_t bottomItem;
    std::uint8_t fontKinenbH;
    std::uint8_t fontKinenbNH;
    std::uint8_t hidukeExtra;  // LenHidukeH = LenFontHidukeH + this
    std::uint8_t hidukeW;
    std::uint8_t yohaku;
    std::uint8_t itemLeftM;
    std::uint8_t kinenC;
    std::uint8_t kinenNC;
    std::uint8_t youbiH;
    enum class Width { Fixed117, Standard, Screen } width;
};

constexpr std::array<RowPreset, 11> kRowPresets{{
    {3, 3, 16, 14, 0, 12, 2, 3, 12, 11, 4, 28, 4, 6, 1, 0, 22, RowPreset::Width::Screen},
    {4, 4, 18, 16, 0, 12, 2, 4, 12, 11, 4, 28, 4, 6, 2, 1, 24, RowPreset::Width::Fixed117},
    {14, 4, 22, 18, 2, 14, 2, 3, 14, 12, 4, 34, 6, 6, 2, 2, 24, RowPreset::Width::Standard},
    {5, 5, 18, 16, 0, 12, 2, 3, 12, 11, 4, 28, 4, 6, 2, 1, 24, RowPreset::Width::Standard},
    {15, 5, 18, 16, 0, 12, 2, 3, 12, 11, 4, 28, 4, 6, 2, 1, 24, RowPreset::Width::Screen},
    {6, 6, 16, 14, 2, 11, 1, 2, 12, 11, 3, 26, 4, 6, 1, 0, 24, RowPreset::Width::Screen},
    {26, 6, 22, 16, 2, 12, 2, 3, 14, 12, 5, 34, 6, 6, 2, 2, 24, RowPreset::Width::Screen},
    {16, 6, 22, 18, 2, 14, 3, 4, 14, 12, 5, 34, 6, 6, 2, 2, 24, RowPreset::Width::Screen},
    {7, 7, 19, 16, 1, 12, 3, 4, 12, 11, 5, 30, 4, 6, 2, 1, 28, RowPreset::Width::Screen},
    {8, 8, 19, 16, 1, 12, 1, 3, 12, 11, 5, 30, 4, 8, 2, 0, 24, RowPreset::Width::Screen},
    {9, 9, 18, 16, 2, 11, 1, 2, 12, 11, 6, 32, 4, 10, 2, 1, 26, RowPreset::Width::Screen},
}};

const RowPreset& rowPreset(int id) {
    for (const RowPreset& preset : kRowPresets) {
        if (preset.id == id)
            return preset;
    }
    return kRowPresets[3];  // "５行"
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

KvMCalProperties rowPresetProperties(KvMCalProperties p, const DisplayKeys& display,
                                     std::optional<int> requestedWidth) {
    const RowPreset& preset = rowPreset(display.vCalGyou);
    p.ItemGyo = preset.itemGyo;
    p.LenFontYoubiH = 16;
    p.LenFontHidukeH = preset.fontHidukeH;
    p.LenFontNeighbH = preset.fontNeighbH;
    p.LenTopItem = preset.topItem;
    p.LenFontYoteiH = preset.fontYoteiH;
    p.LenGyokan = preset.gyokan;
    p.LenBottomItem = preset.bottomItem;
    p.LenFontKinenbH = preset.fontKinenbH;
    p.LenFontKinenbNH = preset.fontKinenbNH;
    p.LenHidukeW = preset.hidukeW;
    p.LenYohaku = preset.yohaku;
    p.LenItemLeftM = preset.itemLeftM;
    p.LenKinenC = preset.kinenC;
    p.LenKinenNC = preset.kinenNC;
    p.LenYoubiH = preset.youbiH;
    p.LenYoteiH = saturateByte(p.LenFontYoteiH + p.LenGyokan);
    p.LenHidukeH = saturateByte(p.LenFontHidukeH + preset.hidukeExtra);
    p.LenDayH =
        saturateByte(p.LenHidukeH + p.LenTopItem + p.LenYoteiH * p.ItemGyo + p.LenBottomItem);

    const int extra = display.cbMonthBtn ? 12 : 0;
    const int adjustment = static_cast<std::int8_t>(static_cast<std::uint8_t>(display.udYokoC));
    switch (preset.width) {
        case RowPreset::Width::Fixed117:
            p.LenDayW = 117;
            break;
        case RowPreset::Width::Screen:
            if (requestedWidth) {
                p.LenDayW = saturateByte((*requestedWidth - 3) / kColumnCount);
                break;
            }
            [[fallthrough]];
        case RowPreset::Width::Standard:
            p.LenDayW = saturateByte(128 + extra + adjustment);
            break;
    }
    return normalizedProperties(p);
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
