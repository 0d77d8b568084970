#include "cli/month_model_loader.h"

#include <filesystem>
#include <optional>

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
