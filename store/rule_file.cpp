#include "store/rule_file.h"

#include "store/file_helpers.h"
#include "store/line_file.h"

namespace velmo {

RuleFileRead readRuleFile(std::vector<std::string>& list, const std::filesystem::path& path,
                          UserInterface& ui, Sleeper& sleeper) {
    list.clear();
    // The line reader reports every failure; a file that is simply absent means "no
    // rules of this kind" and must stay silent.
    const std::optional<std::filesystem::path> onDisk =
        findCaseInsensitive(path.parent_path(), path.filename().string());
    if (!onDisk)
        return RuleFileRead::Missing;
    return readLineFile(*onDisk, list, ui, sleeper) ? RuleFileRead::Read : RuleFileRead::Failed;
}

void loadHolidayRules(DayRules& rules, const std::filesystem::path& path, UserInterface& ui,
                      Sleeper& sleeper) {
    std::vector<std::string> lines;
    readRuleFile(lines, path, ui, sleeper);
    if (!rules.setHolidayList(std::move(lines)).clean())
        ui.message(kHolidayLoadMessage);
}

void loadSpecialDayRules(DayRules& rules, const std::filesystem::path& path, UserInterface& ui,
                         Sleeper& sleeper) {
    std::vector<std::string> lines;
    readRuleFile(lines, path, ui, sleeper);
    if (!rules.setSpecialDayList(std::move(lines)).clean())
        ui.message(kSpecialDayLoadMessage);
}

}  // namespace velmo
