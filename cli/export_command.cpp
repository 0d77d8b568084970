#include "cli/export_command.h"

#include <cstdio>
#include <filesystem>
#include <optional>

#include "app/commands/export_grid.h"
#include "backup/icalendar_export.h"
#include "backup/month_export.h"
#include "backup/spreadsheet_export.h"
#include "cli/console_user_interface.h"
#include "cli/month_model_loader.h"
#include "cli/render_command.h"
#include "cli/tool_environment.h"
#include "monthview/calendar_settings.h"
#include "platform/posix/system_info.h"
#include "store/export_settings.h"

namespace velmo {
namespace {

struct ExportRequest {
    int year = 0;
    int month = 0;
    std::string format;
    std::filesystem::path out;
    bool yes = false;
};

int refuse(const std::string& text) {
    std::fprintf(stderr, "velmo-tool export: %s (see velmo-tool --help)\n", text.c_str());
    return 2;
}

std::optional<ExportFormat> fileFormat(const std::string& name) {
    if (name == "txt")
        return ExportFormat::Text;
    if (name == "csv")
        return ExportFormat::Csv;
    if (name == "html")
        return ExportFormat::Html;
    if (name == "ics")
        return ExportFormat::ICalendar;
    return std::nullopt;
}

// The spreadsheet goes where --out says; like any export it replaces a file only when
// allowed to.
int writeSpreadsheet(const ExportRequest& request, const std::string& startFolder,
                     const ExportGrid& grid, const ExportSettings& settings, const Clock& clock,
                     UserInterface& ui) {
    std::error_code error;
    if (std::filesystem::exists(request.out, error) &&
        !ask(ui, "同名のファイルが存在します。\r\n上書きしますか？", DefaultButton::Yes,
             kMainInformationCaption)) {
        informMain(ui, "中止します。");
        return 1;
    }
    SpreadsheetExportInputs inputs;
    inputs.year = request.year;
    inputs.month = request.month;
    inputs.grid = grid;
    inputs.settings = settings;
    inputs.today = clock.today();
    inputs.startFolder = startFolder;
    inputs.settings.preview = false;
    inputs.file = request.out;
    return createSpreadsheetCalendar(inputs, ui) ? 0 : 1;
}

}  // namespace

int runExportCommand(const std::string& startFolder, const std::vector<std::string>& arguments) {
    ExportRequest request;
    bool haveMonth = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == "--format" && hasValue) {
            request.format = arguments[++i];
        } else if (a == "--out" && hasValue) {
            request.out = arguments[++i];
        } else if (a == "--yes") {
            request.yes = true;
        } else if (const auto month = haveMonth ? std::nullopt : monthArgument(a)) {
            if (!month->valid)
                return refuse(kMonthArgumentRefusal);
            request.year = month->year;
            request.month = month->month;
            haveMonth = true;
        } else {
            return refuse("unexpected argument \"" + a + "\"");
        }
    }
    const std::optional<ExportFormat> format = fileFormat(request.format);
    if (!haveMonth)
        return refuse("the month YYYYMM is missing");
    if (!format && request.format != "xlsx")
        return refuse("--format must be txt, csv, html, ics or xlsx");
    if (request.out.empty())
        return refuse("--out FILE is missing");
    request.out = std::filesystem::absolute(request.out);

    // The model's fonts are measured through Qt even without a window.
    const auto application = startWindowlessQt();

    ConsoleUserInterface ui(request.yes);
    ThreadSleeper sleeper;
    ToolClock clock;
    const LocalDate date = clock.today();
    const Ymd today{date.year, date.month, date.day};
    const ToolMonthSource source = readToolMonthSource(startFolder, clock, sleeper);
    TKvMCalModel model(ymdToJuliusDay(today.year, today.month, today.day));
    model.state().Suspended = true;
    model.setProperties(rowPresetProperties(model.properties(), source.settings.display, {}));
    applyCalendarSettings(model, source.settings);
    loadToolMonth(model, startFolder, source, request.year, request.month, today, ui, sleeper);
    model.setControlSize(preferredControlSize(model.properties()));
    model.state().Suspended = false;
    model.updateMetrics();
    const ExportGrid grid = exportGrid(model);

    const ExportSettings settings =
        loadExportSettings(startFolder + kSettingsFileName, startFolder, sleeper);
    if (!format)
        return writeSpreadsheet(request, startFolder, grid, settings, clock, ui);

    const DataLocation& data = source.folders.local;
    const MonthExportContext context{
        ui,
        sleeper,
        clock,
        startFolder,
        data.folder(),
        {},
        [&](const ExportFileChoice&) { return std::optional(request.out); },
        [&] { return displayedMonthDays(grid); },
        iCalendarUidDomain(data.label(), platform::computerName())};
    const MonthExportResult result = exportMonth(request.year, request.month, *format,
                                                 request.out.parent_path().string(), context);
    return result.written ? 0 : 1;
}

}  // namespace velmo
