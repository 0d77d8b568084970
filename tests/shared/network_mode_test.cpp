#include "shared/network_mode.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/scripted_user_interface.h"

namespace velmo {
namespace {

using testing::ScriptedUserInterface;
using Texts = std::vector<std::string>;

class NetworkModeTest : public ::testing::Test {
protected:
    NetworkModeTest() { folders.local = DataLocation::dataSet("/home/pc1/velmo/", 3); }

    NetworkMode make(std::string computer = "PC1") {
        NetworkModeHooks hooks;
        hooks.maintenanceOn = [this] {
            steps.push_back("maintenance?");
            return maintenance;
        };
        hooks.saveAll = [this] { steps.push_back("save " + folders.current().folder()); };
        hooks.showState = [this](bool on) { steps.push_back(on ? "shown on" : "shown off"); };
        hooks.reloadAll = [this] {
            steps.push_back("reload " + folders.current().folder() +
                            (mode && mode->leaving() ? " (leaving)" : ""));
        };
        hooks.showCurrentMonth = [this] { steps.push_back("current month"); };
        NetworkMode made([this] { return &folders; }, std::move(computer), ui,
                         [this](const std::string& f) { return present.contains(f); }, hooks);
        made.setSharedFolder("/mnt/share/");
        return made;
    }

    DataFolders folders;
    ScriptedUserInterface ui;
    std::set<std::string> present{"/mnt/share/Data/Files1/"};
    bool maintenance = false;
    std::vector<std::string> steps;
    const NetworkMode* mode = nullptr;
};

TEST_F(NetworkModeTest, SwitchingOnSavesLocallyThenLoadsTheSharedDataFolder) {
    NetworkMode network = make();
    network.toggle();
    EXPECT_TRUE(network.networkMode());
    EXPECT_EQ(folders.current().folder(), "/mnt/share/Data/Files1/");
    EXPECT_TRUE(folders.current().isShared());
    EXPECT_EQ(steps, (Texts{"maintenance?", "save /home/pc1/velmo/Data/Files3/", "shown on",
                            "reload /mnt/share/Data/Files1/", "current month"}));
    EXPECT_TRUE(ui.texts().empty());
}

TEST_F(NetworkModeTest, SwitchingOffReturnsToTheLocalDataSetWithoutSavingTheSharedData) {
    NetworkMode network = make();
    mode = &network;
    network.switchOn();
    steps.clear();
    network.toggle();
    EXPECT_FALSE(network.networkMode());
    EXPECT_FALSE(network.leaving());
    EXPECT_EQ(folders.current().folder(), "/home/pc1/velmo/Data/Files3/");
    EXPECT_EQ(folders.current().number(), 3);
    // No save: the months in memory came from the shared folder.
    EXPECT_EQ(steps, (Texts{"shown off", "reload /home/pc1/velmo/Data/Files3/ (leaving)",
                            "current month"}));
}

TEST_F(NetworkModeTest, SwitchingOnIsRefusedWithoutFolderMaintenanceOrAName) {
    {
        NetworkMode network = make();
        network.setSharedFolder("  ");
        network.switchOn();
        EXPECT_EQ(ui.texts(), Texts{kNoSharedFolderMessage});
        // Nothing saved or reloaded, and no maintenance lock looked for where a blank
        // folder would resolve: the current directory.
        EXPECT_TRUE(steps.empty());
    }
    {
        ui.clearShown();
        steps.clear();
        present.clear();
        NetworkMode network = make();
        network.switchOn();
        EXPECT_FALSE(network.networkMode());
        EXPECT_EQ(ui.texts(), Texts{kSharedFolderNotFoundMessage});
        EXPECT_EQ(steps, (Texts{"maintenance?", "save /home/pc1/velmo/Data/Files3/", "shown off"}));
        present.insert("/mnt/share/Data/Files1/");
    }
    {
        ui.clearShown();
        steps.clear();
        maintenance = true;
        NetworkMode network = make();
        network.switchOn();
        EXPECT_FALSE(network.networkMode());
        EXPECT_EQ(steps, Texts{"maintenance?"});
        maintenance = false;
    }
    for (const char* name : {"", "localhost"}) {
        ui.clearShown();
        NetworkMode network = make(name);
        network.switchOn();
        EXPECT_FALSE(network.networkMode()) << name;
        EXPECT_FALSE(folders.current().isShared());
        EXPECT_EQ(ui.texts(), Texts{kNoComputerNameMessage});
    }
}

TEST_F(NetworkModeTest, ALostSharedFolderSwitchesOffWithTheCheckCode) {
    NetworkMode network = make();
    mode = &network;
    EXPECT_TRUE(network.available(kSaveCheck));  // local operation needs no folder
    network.switchOn();
    EXPECT_TRUE(network.available(kReloadCheck));
    present.clear();
    steps.clear();
    EXPECT_FALSE(network.available(kSaveCheck));
    EXPECT_FALSE(network.networkMode());
    EXPECT_EQ(ui.texts(), Texts{"ネットフォルダ[/mnt/share/Data/Files1/]が確認できません。\r\n"
                                "ローカルフォルダに設定を戻します（ネットＯｆｆ）。[n050]"});
    EXPECT_EQ(steps, (Texts{"shown off", "reload /home/pc1/velmo/Data/Files3/ (leaving)",
                            "current month"}));
}

}  // namespace
}  // namespace velmo
