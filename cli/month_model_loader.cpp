#include "cli/month_model_loader.h"

#include <charconv>
#include <filesystem>

#include "store/file_helpers.h"
#include "store/month_file.h"
#include "store/period_file.h"
#include "store/rule_file.h"
#include "store/shared_folder_hooks.h"

namespace velmo {
namespace {

// The settings reader limits the row layouts on small screens; a command has no screen,
// so it reads them as on an ordinary desktop.
constexpr int kNotionalWorkAreaHeight = 1080;

// The month slot of the displayed month inside the month window (previous month first).
constexpr int kDisplayedSlot = 1;

std::optional<std::filesystem::path> existingFile(const std::filesystem::path& path) {
    const std::filesystem::path found = resolveCaseInsensitive(path);
    std::error_code ignored;
    if (std::filesystem::is_regular_file(found, ignored))
        return found;
    return std::nullopt;
}

}  // namespace

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || rest != end)
        return std::nullopt;
    return value;
}

std::optional<ToolMonthArgument> monthArgument(std::string_view text) {
    if (text.size() != 6 || !wholeNumber(text))
        return std::nullopt;
    ToolMonthArgument month{*wholeNumber(text.substr(0, 4)), *wholeNumber(text.substr(4, 2))};
    month.valid = month.month >= 1 && month.month <= 12 && month.year >= 1;
    return month;
}

std::unique_ptr<QGuiApplication> startWindowlessQt() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "velmo-tool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

ToolMonthSource readToolMonthSource(const std::string& startFolder, const Clock& clock,
                                    Sleeper& sleeper) {
    SettingsFilePlace place;
    place.settingsFile = startFolder + kSettingsFileName;
    place.startFolder = startFolder;
    place.localOperation = true;
    SettingsStore store(place);
    SettingsEnvironment environment{clock, kNotionalWorkAreaHeight};
    ToolMonthSource source{store.read(environment, sleeper).settings, {}};
    source.folders = decideDataFolders(source.settings.data.edFolder, startFolder,
                                       source.settings.yDataForm, folderExistsOnDisk);
    return source;
}

void loadToolMonth(TKvMCalModel& model, const std::string& startFolder,
                   const ToolMonthSource& source, int year, int month, const Ymd& today,
                   UserInterface& ui, Sleeper& sleeper) {
    const DataLocation& data = source.folders.local;
    model.readHolidayFile(std::filesystem::path(startFolder) / kHolidayFileName, ui, sleeper);
    model.setDataKyoFile(source.folders.commonFolder, ui, sleeper);

    LocalFolderHooks hooks;
    const MonthFileContext monthContext{data.folder(), data.label(), ui, sleeper, hooks};
    for (int slot = 0; slot < kFreeMonthSlot; ++slot) {
        const int key = year * 12 + (month - 1) + slot - kDisplayedSlot;
        loadSlot(model.monthSlots()[static_cast<std::size_t>(slot)], slot, key / 12, key % 12 + 1,
                 true, monthContext);
    }
    model.state().CurrentSlot = kDisplayedSlot;

    PeriodList& periods = model.periods();
    periods.lines = {periodHeaderLine(data.label())};
    if (existingFile(periodFilePath(data.folder()))) {
        const PeriodFileContext periodContext{data, std::string(), ui, sleeper, hooks};
        loadPeriodList(periods, periodContext, nullptr);
    }

    const bool todayShown = today.year == year && today.month == month;
    model.setJuliusDay(ymdToJuliusDay(year, month, todayShown ? today.day : 1));
}

}  // namespace velmo
