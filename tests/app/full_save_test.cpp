#include "app/startup/full_save.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/scripted_user_interface.h"

namespace velmo {
namespace {

using testing::ScriptedUserInterface;
using Save = ProfileFile::SaveOutcome;

TEST(FullSave, DataIsSavedEvenWhenTheSettingsFail) {
    std::vector<std::string> steps;
    ScriptedUserInterface ui;
    const auto data = [&] {
        steps.push_back("data");
        return true;
    };
    FullSaveResult r = fullSave(
        [&] {
            steps.push_back("settings");
            return SettingsSaveResult{Save::Failed, "/home/h/Torka.ini"};
        },
        data, ui);
    EXPECT_EQ(steps, (std::vector<std::string>{"settings", "data"}));
    EXPECT_FALSE(r.settingsSaved);
    EXPECT_TRUE(r.dataSaved);
    ASSERT_EQ(ui.texts(),
              std::vector<std::string>{"設定ファイル[/home/h/Torka.ini]を保存できませんでした。"});

    r = fullSave([]() -> SettingsSaveResult { throw std::runtime_error("disk"); }, data, ui);
    EXPECT_TRUE(r.dataSaved);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(ui.texts().back(), "設定ファイルを保存できませんでした。");

    ScriptedUserInterface quiet;
    r = fullSave([] { return SettingsSaveResult{Save::Saved, "/x"}; }, [] { return false; }, quiet);
    EXPECT_TRUE(r.settingsSaved);
    EXPECT_FALSE(r.dataSaved);
    EXPECT_TRUE(quiet.texts().empty());  // the caller reports its own data failure
}

}  // namespace
}  // namespace velmo
