#include "shared/folder_creation.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::TempFolder;
using Texts = std::vector<std::string>;
using Mode = FolderCreationMode;

// One computer of the office with the dialog's surroundings: its rights file, the
// shared folder set in its options, the folder browser's and password box's answers.
struct Desk {
    Desk(std::string name, const TempFolder& office)
        : context{std::move(name), 2461385, seededRandom(), ui, sleeper},
          rightsFile(office.path() / (context.computerName + ".velnetid.myc")) {}

    static RandomNumber seededRandom() {
        auto generator = std::make_shared<std::mt19937>(11);
        return [generator](std::uint32_t bound) {
            return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(*generator);
        };
    }
    FolderCreationOutcome press(Mode mode, AdministratorEntry entered,
                                FolderCreationPlace place = {}) {
        if (place.sharedFolderBox.empty())
            place.sharedFolderBox = sharedFolderBox;
        place.rightsFile = rightsFile;
        FolderCreation creation(
            state, place, context,
            [this](const std::string& start) {
                browserStarts.push_back(start);
                return browserAnswer;
            },
            [this] { return existingPassword; });
        return creation.press(mode, entered);
    }

    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    CipherFileContext context;
    fs::path rightsFile;
    FolderCreationState state;
    std::string sharedFolderBox;
    std::optional<fs::path> browserAnswer;
    std::vector<std::string> browserStarts;
    std::optional<std::string> existingPassword;
};

TEST(FolderCreation, TheDialogRefusesToOpenWithoutWhatItsModeNeeds) {
    TempFolder office;
    EXPECT_EQ(folderCreationRefusal(Mode::CreateFolder, "PC1", "", true), kNetworkSharingOnMessage);
    EXPECT_EQ(folderCreationRefusal(Mode::CreateFolder, "", "", false),
              kCreationNoComputerNameMessage);
    EXPECT_FALSE(folderCreationRefusal(Mode::CreateFolder, "PC1", "", false));
    EXPECT_EQ(folderCreationRefusal(Mode::ReassignAdministrator, "PC1", " ", true),
              kSharedFolderNotSetMessage);
    EXPECT_EQ(folderCreationRefusal(Mode::GrantRights, "PC1", (office / "gone").string(), true),
              kSharedFolderUnconfirmedMessage);
    EXPECT_FALSE(folderCreationRefusal(Mode::GrantRights, "PC1", office.path().string(), true));
}

TEST(FolderCreation, AnOfficeCreatesItsFolderAndGrantsRightsOnlyWithThePassword) {
    TempFolder office;
    const fs::path share = office / "share";
    fs::create_directories(share);
    Desk pc1("PC1", office);
    pc1.browserAnswer = share;

    // PC1 creates the shared folder and becomes its administrator computer.
    const FolderCreationOutcome created = pc1.press(Mode::CreateFolder, {"総務", "s3cret"});
    EXPECT_TRUE(created.closeDialog);
    EXPECT_EQ(created.chosenFolder, share);
    EXPECT_EQ(pc1.ui.texts(), (Texts{"データ構造は正常に作成されました。"}));
    for (const char* set : {"Files1", "Files2", "Files3"})
        EXPECT_TRUE(fs::is_directory(share / "Data" / set)) << set;
    EXPECT_TRUE(fs::exists(share / kFolderAdministrationFileName));
    EXPECT_EQ(pc1.state.rightsLevel, kAdministratorComputer);
    EXPECT_EQ(pc1.state.held.password, "s3cret");

    const std::string adminBytes = TempFolder::read(share / kAdministratorFileName);
    Desk pc2("PC2", office);
    pc2.sharedFolderBox = share.string();
    // A wrong password on a computer without rights: only the message.
    EXPECT_TRUE(pc2.press(Mode::GrantRights, {"PC2", "guess"}).closeDialog);
    EXPECT_EQ(pc2.ui.texts(), (Texts{kWrongPasswordMessage}));
    EXPECT_EQ(pc2.state.rightsLevel, kNoRights);
    EXPECT_FALSE(fs::exists(pc2.rightsFile));
    // The right one grants 6.
    pc2.ui.clearShown();
    pc2.press(Mode::GrantRights, {"PC2", "s3cret"});
    EXPECT_EQ(pc2.ui.texts(), (Texts{"管理者権限を設定しました。"}));
    EXPECT_EQ(pc2.state.rightsLevel, kGrantedRights);
    AdministratorEntry held;
    EXPECT_EQ(evaluateRightsLevel({share, pc2.rightsFile}, held, false, pc2.context),
              kGrantedRights);
    // A wrong password later offers to take the rights away; No keeps them, Yes removes.
    pc2.ui.clearShown();
    pc2.ui.answer(false);
    pc2.press(Mode::GrantRights, {"PC2", "typo"});
    EXPECT_EQ(pc2.state.rightsLevel, kGrantedRights);
    pc2.ui.answer(true);
    pc2.press(Mode::GrantRights, {"PC2", "typo"});
    EXPECT_EQ(pc2.state.rightsLevel, kNoRights);
    EXPECT_EQ(evaluateRightsLevel({share, pc2.rightsFile}, held, false, pc2.context), kNoRights);
    EXPECT_EQ(pc2.ui.questions(),
              (Texts(2,
                     "パスワードが、管理者によって設定されたものと違います。\r\n"
                     "このコンピュータの管理者権限を削除しますか？")));
    // None of PC2's attempts touched the administrator file.
    EXPECT_EQ(TempFolder::read(share / kAdministratorFileName), adminBytes);

    // On the administrator computer, mode 2 only says so and writes nothing.
    pc1.sharedFolderBox = share.string();
    pc1.ui.clearShown();
    const std::string pc1Rights = TempFolder::read(pc1.rightsFile);
    pc1.press(Mode::GrantRights, {"総務", "s3cret"});
    EXPECT_EQ(pc1.ui.texts(),
              (Texts{"管理コンピュータには、管理者権限はすでに設定されています。"}));
    EXPECT_EQ(TempFolder::read(share / kAdministratorFileName), adminBytes);
    EXPECT_EQ(TempFolder::read(pc1.rightsFile), pc1Rights);
}

TEST(FolderCreation, TheEnteredNameAndPasswordAreCheckedBeforeAnythingElse) {
    TempFolder office;
    Desk pc1("PC1", office);
    pc1.browserAnswer = office.path();
    EXPECT_FALSE(pc1.press(Mode::CreateFolder, {"", "pw"}).closeDialog);
    EXPECT_EQ(pc1.ui.texts(), (Texts{"ネット管理者名を記入してください。"}));
    pc1.ui.answer(false);
    EXPECT_FALSE(pc1.press(Mode::CreateFolder, {"総務", ""}).closeDialog);
    pc1.ui.answer(true);
    EXPECT_TRUE(pc1.press(Mode::CreateFolder, {"総務", ""}).closeDialog);
    EXPECT_EQ(pc1.ui.shown()[1].defaultButton, DefaultButton::No);
    pc1.ui.clearShown();
    EXPECT_FALSE(pc1.press(Mode::CreateFolder, {"総務", "pass\tword"}).closeDialog);
    EXPECT_EQ(pc1.ui.texts(), (Texts{"制御文字は使えません。\r\n別の文字に置き換えてください。"}));
    EXPECT_TRUE(pc1.browserStarts.empty());
    EXPECT_TRUE(fs::is_empty(office.path()));
}

TEST(FolderCreation, CreatingAsksBeforeEveryOverwriteAndTakesOverOnlyWithTheOldPassword) {
    TempFolder office;
    const fs::path share = office / "share";
    fs::create_directories(share);
    Desk pc1("PC1", office);
    pc1.browserAnswer = share;
    ASSERT_TRUE(pc1.press(Mode::CreateFolder, {"総務", "old"}).closeDialog);
    const std::string adminBytes = TempFolder::read(share / kAdministratorFileName);

    Desk pc2("PC2", office);
    pc2.browserAnswer = share;
    const std::string anyFile =
        "いずれかのファイルが存在します。\r\n推奨は、他のファイルがないフォルダですが、\r\n"
        "このフォルダでよろしいですか？";
    const std::string iniExists =
        "既に、データフォルダ管理ファイルが存在します。\r\n上書きしますか？";
    // No to the first question stops with the dialog open.
    pc2.ui.answer(false);
    EXPECT_FALSE(pc2.press(Mode::CreateFolder, {"経理", "new"}).closeDialog);
    EXPECT_EQ(pc2.ui.texts(), (Texts{anyFile, kStoppedMessage}));
    // Yes twice, then the old administrator's password is asked; a wrong one stops.
    pc2.ui.clearShown();
    pc2.ui.answer(true);
    pc2.ui.answer(true);
    pc2.existingPassword = "wrong";
    EXPECT_FALSE(pc2.press(Mode::CreateFolder, {"経理", "new"}).closeDialog);
    EXPECT_EQ(pc2.ui.texts(), (Texts{anyFile, iniExists, kWrongPasswordMessage}));
    EXPECT_EQ(TempFolder::read(share / kAdministratorFileName), adminBytes);
    // With the old password PC2 takes over; the data folders are kept.
    pc2.ui.clearShown();
    pc2.ui.answer(true);
    pc2.ui.answer(true);
    pc2.existingPassword = "old";
    office.write("share/Data/Files1/CaMe2026.mcp", "kept");
    EXPECT_EQ(pc2.press(Mode::CreateFolder, {"経理", "new"}).chosenFolder, share);
    EXPECT_EQ(pc2.ui.texts(), (Texts{anyFile, iniExists, "管理者コードだけを書き換えます。",
                                     "データ構造は正常に作成されました。"}));
    EXPECT_EQ(TempFolder::read(share / "Data" / "Files1" / "CaMe2026.mcp"), "kept");
    EXPECT_EQ(pc2.state.rightsLevel, kAdministratorComputer);
    // PC1's old claim to 7 does not survive its next evaluation.
    AdministratorEntry held;
    EXPECT_EQ(evaluateRightsLevel({share, pc1.rightsFile}, held, false, pc1.context), kNoRights);

    // Cancelling the browser closes the dialog with nothing done.
    pc2.browserAnswer.reset();
    pc2.ui.clearShown();
    EXPECT_EQ(pc2.press(Mode::CreateFolder, {"経理", "new"}).chosenFolder, fs::path());
    EXPECT_EQ(pc2.ui.texts(), (Texts{kStoppedMessage}));
}

TEST(FolderCreation, ReassigningWritesTheConfiguredFolderAndTheStartFolderStepNeverOverwrites) {
    TempFolder office;
    const fs::path share = office / "share";
    Desk pc1("PC1", office);
    pc1.sharedFolderBox = share.string();
    EXPECT_FALSE(pc1.press(Mode::ReassignAdministrator, {"総務", "pw"}).closeDialog);
    EXPECT_EQ(pc1.ui.texts(), (Texts{kSharedFolderNotSetMessage}));

    // The start-folder step prepares a folder that has no administrator yet ...
    fs::create_directories(share);
    FolderCreationPlace startStep;
    startStep.presetFolder = share;
    startStep.skipOtherFilesQuestion = true;
    pc1.ui.clearShown();
    EXPECT_EQ(pc1.press(Mode::CreateFolder, {"総務", "pw"}, startStep).chosenFolder, share);
    EXPECT_TRUE(pc1.browserStarts.empty());
    // ... and refuses one that has.
    const std::string adminBytes = TempFolder::read(share / kAdministratorFileName);
    pc1.ui.clearShown();
    EXPECT_FALSE(pc1.press(Mode::CreateFolder, {"他人", "x"}, startStep).closeDialog);
    EXPECT_EQ(TempFolder::read(share / kAdministratorFileName), adminBytes);

    // Another computer re-designated: it becomes the administrator computer.
    Desk pc2("PC2", office);
    pc2.sharedFolderBox = share.string();
    EXPECT_TRUE(pc2.press(Mode::ReassignAdministrator, {"経理", "pw2"}).closeDialog);
    EXPECT_EQ(pc2.state.rightsLevel, kAdministratorComputer);
    const std::optional<AdministratorRecord> admin =
        loadAdministratorFile(share, pc2.ui, pc2.sleeper);
    ASSERT_TRUE(admin);
    EXPECT_EQ(admin->computer, "PC2");
    EXPECT_EQ(admin->name, "経理");
}

}  // namespace
}  // namespace velmo
