#include "app/commands/main_commands.h"

#include <stdexcept>
#include <string>

namespace velmo {

void MainCommands::add(MonthMenuCommand command, Handler handler) {
    if (!handler || !handlers_.emplace(command, std::move(handler)).second) {
        throw std::logic_error("main window command " + std::to_string(static_cast<int>(command)) +
                               (handles(command) ? " registered twice" : " without a handler"));
    }
}

bool MainCommands::run(MonthMenuCommand command, std::int32_t day) const {
    const auto found = handlers_.find(command);
    if (found == handlers_.end())
        return false;
    found->second(day);
    return true;
}

std::set<MonthMenuCommand> MainCommands::unhandled(
    std::span<const MonthMenuCommand> commands) const {
    std::set<MonthMenuCommand> missing;
    for (MonthMenuCommand command : commands) {
        if (!handles(command))
            missing.insert(command);
    }
    return missing;
}

}  // namespace velmo
