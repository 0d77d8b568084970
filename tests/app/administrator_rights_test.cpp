#include "app/startup/administrator_rights.h"

#include <gtest/gtest.h>

#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using testing::FakeClock;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::TempFolder;

struct AdministratorRun {
    explicit AdministratorRun(const TempFolder& office, bool firstSetupSwitch = false)
        : folders(foldersIn(office)), rights(folders, firstSetupSwitch, clock, ui, sleeper) {}
    static StartFolders foldersIn(const TempFolder& office) {
        StartFolders f;
        f.startFolder = (office / "share").string() + "/";
        f.startedFromNetwork = true;
        f.computerName = "PC1";
        f.rightsFile = (office / "velnetid.myc").string();
        std::filesystem::create_directories(f.startFolder);
        return f;
    }

    FakeClock clock{{2026, 12, 10, 9, 0, 0, 0}};
    RecordingSleeper sleeper;
    ScriptedUserInterface ui;
    StartFolders folders;
    AdministratorRights rights;
};

TEST(AdministratorRights, TheFirstSetupComputerIsTheAdministratorComputerOfItsStartFolder) {
    TempFolder office;
    AdministratorRun run(office, true);
    run.rights.prepareFirstNetworkSetup();
    EXPECT_EQ(run.rights.state().held.name, "PC1");
    run.rights.evaluate(run.folders.startFolder);
    EXPECT_EQ(run.rights.level(), kAdministratorComputer);
    EXPECT_TRUE(std::filesystem::exists(run.folders.rightsFile));
    EXPECT_TRUE(run.ui.texts().empty());
    // The file is dated today.
    EXPECT_EQ(loadFramedFile(office / "share" / kAdministratorFileName, 5, run.ui, run.sleeper)
                  .value()
                  .back(),
              "2461385");
}

TEST(AdministratorRights, TheDialogSkipsTheOtherFilesQuestionOnlyForTheStartFolder) {
    TempFolder office;
    AdministratorRun run(office);
    const std::string start = run.folders.startFolder;
    EXPECT_TRUE(run.rights.placeFor(start).skipOtherFilesQuestion);
    EXPECT_TRUE(run.rights.placeFor(start.substr(0, start.size() - 1)).skipOtherFilesQuestion);
    EXPECT_FALSE(run.rights.placeFor((office / "other").string()).skipOtherFilesQuestion);
    EXPECT_FALSE(run.rights.placeFor("").skipOtherFilesQuestion);
    EXPECT_EQ(run.rights.placeFor(start).rightsFile, run.folders.rightsFile);
}

}  // namespace
}  // namespace velmo
