#include "app/commands/main_commands.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace velmo {
namespace {

using C = MonthMenuCommand;

TEST(MainCommands, ARegisteredCommandRunsWithItsDayAndAnUnregisteredOneIsReported) {
    MainCommands commands;
    std::vector<std::int32_t> copied;
    commands.add(C::DayCopy, [&](std::int32_t day) { copied.push_back(day); });
    EXPECT_TRUE(commands.run(C::DayCopy, 2460000));
    EXPECT_EQ(copied, std::vector<std::int32_t>{2460000});
    EXPECT_FALSE(commands.run(C::DayPaste, 2460001));
    EXPECT_TRUE(commands.handles(C::DayCopy));
    EXPECT_FALSE(commands.handles(C::DayPaste));
}

TEST(MainCommands, EachCommandHasExactlyOneOwner) {
    MainCommands commands;
    commands.add(C::Exit, [](std::int32_t) {});
    EXPECT_THROW(commands.add(C::Exit, [](std::int32_t) {}), std::logic_error);
    EXPECT_THROW(commands.add(C::Print, {}), std::logic_error);
    EXPECT_FALSE(commands.handles(C::Print));
}

TEST(MainCommands, WhatNobodyTookOnIsShownDisabled) {
    MainCommands commands;
    commands.add(C::Files1, [](std::int32_t) {});
    commands.add(C::Exit, [](std::int32_t) {});
    const std::set<C> unhandled = commands.unhandled(kMainWindowCommands);
    EXPECT_EQ(unhandled.size(), std::size(kMainWindowCommands) - 2);
    EXPECT_FALSE(unhandled.contains(C::Files1));
    EXPECT_TRUE(unhandled.contains(C::Files2));
    EXPECT_TRUE(unhandled.contains(C::Print));
}

}  // namespace
}  // namespace velmo
