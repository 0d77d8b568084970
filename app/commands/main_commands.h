#pragma once
// The main window's commands (its menu, the month view's context menu, buttons and keys)
// and who carries each out. Every feature registers the commands it owns; a command
// nobody registered is shown disabled and can never be silently dropped.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <span>

#include "monthview/context_menus.h"

namespace velmo {

// The context-menu commands the month view leaves to the main window and its features.
inline constexpr MonthMenuCommand kMainWindowCommands[] = {
    MonthMenuCommand::Resident,  MonthMenuCommand::DayCopy, MonthMenuCommand::DayPaste,
    MonthMenuCommand::Files1,    MonthMenuCommand::Files2,  MonthMenuCommand::NetOn,
    MonthMenuCommand::NetReload, MonthMenuCommand::Print,   MonthMenuCommand::Memo,
    MonthMenuCommand::Exit};

class MainCommands {
public:
    // day: the day the command was chosen on (the right-clicked day), 0 from a menu.
    using Handler = std::function<void(std::int32_t day)>;

    // Each command has exactly one owner: a second registration throws
    // std::logic_error, since two features would fight over it.
    void add(MonthMenuCommand command, Handler handler);

    bool handles(MonthMenuCommand command) const { return handlers_.contains(command); }

    // Carries the command out; false when nobody registered it.
    bool run(MonthMenuCommand command, std::int32_t day = 0) const;

    // The commands of `commands` nobody registered.
    std::set<MonthMenuCommand> unhandled(std::span<const MonthMenuCommand> commands) const;

private:
    std::map<MonthMenuCommand, Handler> handlers_;
};

}  // namespace velmo
