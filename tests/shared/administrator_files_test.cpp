#include "shared/administrator_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>
#include <string>
#include <vector>

#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::TempFolder;
using Fields = std::vector<std::string>;

constexpr std::int32_t kToday = 2461385;

// One computer of the office: its own settings folder, the office's shared folder.
struct Computer {
    Computer(std::string name, const TempFolder& office)
        : context{std::move(name), kToday, seeded(), ui, sleeper},
          place{office.path() / "share", office.path() / (context.computerName + ".velnetid.myc")} {
        std::filesystem::create_directories(place.sharedFolder);
    }
    static RandomNumber seeded() {
        auto generator = std::make_shared<std::mt19937>(7);
        return [generator](std::uint32_t bound) {
            return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(*generator);
        };
    }
    Fields rights() { return loadFramedFile(place.rightsFile, 5, ui, sleeper).value_or(Fields{}); }
    int evaluate(bool firstNetworkSetup = false) {
        return evaluateRightsLevel(place, held, firstNetworkSetup, context);
    }

    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    CipherFileContext context;
    RightsPlace place;
    AdministratorEntry held;
};

TEST(AdministratorFiles, TheAdministratorFileHoldsTheEntryThisComputerAndTheDay) {
    TempFolder office;
    Computer pc1("PC1", office);
    ASSERT_TRUE(writeAdministratorFile(pc1.place.sharedFolder, {"総務", ""}, pc1.context));
    EXPECT_EQ(
        loadFramedFile(pc1.place.sharedFolder / kAdministratorFileName, 5, pc1.ui, pc1.sleeper),
        (Fields{"総務", "", "PC1", "0", "2461385"}));
    const std::optional<AdministratorRecord> record =
        loadAdministratorFile(pc1.place.sharedFolder, pc1.ui, pc1.sleeper);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->password, "false");  // an empty password reads back as "false"
    EXPECT_EQ(record->computer, "PC1");
    EXPECT_TRUE(pc1.ui.texts().empty());
}

TEST(AdministratorFiles, TheFolderAdministrationFileDeciphersLineByLineToItsIni) {
    TempFolder office;
    Computer pc1("PC1", office);
    ASSERT_TRUE(
        writeFolderAdministrationFile(pc1.place.sharedFolder, {"総務", "abc"}, pc1.context));
    const std::string bytes =
        TempFolder::read(pc1.place.sharedFolder / kFolderAdministrationFileName);
    EXPECT_EQ(bytes.find("SvName"), std::string::npos);  // enciphered on disk
    const std::string ini = cp932::decode(encipherIniLines(bytes, kFolderAdministrationKey));
    EXPECT_EQ(ini.rfind("[Net]\r\ndum1=", 0), 0u) << ini;
    for (const char* line : {"\r\nSvName=総務\r\n", "\r\nSvCode=abc\r\n", "\r\nSvPCName=PC1\r\n",
                             "\r\nHiduke=2461385\r\n"})
        EXPECT_NE(ini.find(line), std::string::npos) << line;
    const std::size_t dum1 = ini.find("dum1=") + 5;
    const std::string header = ini.substr(dum1, ini.find("\r\n", dum1) - dum1);
    EXPECT_NE(ini.find("\r\ndum2=" + halfCode(header) + "\r\n"), std::string::npos);

    // Without a name or a password there is nothing to write.
    EXPECT_FALSE(writeFolderAdministrationFile(pc1.place.sharedFolder, {"総務", ""}, pc1.context));
    EXPECT_EQ(pc1.ui.texts().back(),
              "管理者コード作成エラー（１）\r\n"
              "管理者名と暗証コードをチェックした後、再度処理を試みてください。");
}

TEST(AdministratorFiles, TheRightsFileIsReadableOnlyByItsOwnerAndFailuresAreTold) {
    TempFolder office;
    Computer pc1("PC1", office);
    ASSERT_TRUE(writeRightsFile(pc1.place.rightsFile, {"PC1", "pw"}, 6, pc1.context));
    struct stat status {};
    ASSERT_EQ(::stat(pc1.place.rightsFile.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_EQ(pc1.rights(), (Fields{"PC1", "pw", "PC1", "6", "2461385"}));

    EXPECT_FALSE(
        writeRightsFile(office / "no" / "such" / "velnetid.myc", {"PC1", "pw"}, 0, pc1.context));
    EXPECT_EQ(pc1.ui.texts().back(), kCipherWriteMessage);
}

TEST(AdministratorFiles, NamesAndPasswordsTheFilesCannotKeepAreRefused) {
    EXPECT_FALSE(administratorTextProblem("管理者 太郎"));
    EXPECT_TRUE(administratorTextProblem("a\tb"));
    EXPECT_TRUE(administratorTextProblem("a\x7F"));
    EXPECT_TRUE(administratorTextProblem("a\r\nb"));
    const std::optional<std::string> emoji = administratorTextProblem("pass😀");
    ASSERT_TRUE(emoji);
    EXPECT_EQ(emoji->rfind("保存できない文字があります", 0), 0u);
}

TEST(RightsLevel, AMissingRightsFileIsRebuiltFromTheAdministratorFile) {
    TempFolder office;
    Computer pc1("PC1", office);
    Computer pc2("PC2", office);
    ASSERT_TRUE(writeAdministratorFile(pc1.place.sharedFolder, {"総務", "pw"}, pc1.context));

    EXPECT_EQ(pc1.evaluate(), kAdministratorComputer);
    EXPECT_EQ(pc1.rights(), (Fields{"PC1", "", "PC1", "7", "2461385"}));
    EXPECT_EQ(pc1.held.name, "PC1");
    // The password held after a start is empty: a rebuild gives the others nothing.
    EXPECT_EQ(pc2.evaluate(), kNoRights);
    EXPECT_EQ(pc2.rights(), (Fields{"PC2", "", "PC2", "0", "2461385"}));
    // With the administrator's password held, a rebuild grants 6.
    std::filesystem::remove(pc2.place.rightsFile);
    pc2.held.password = "pw";
    EXPECT_EQ(pc2.evaluate(), kGrantedRights);
    EXPECT_TRUE(pc1.ui.texts().empty());
    EXPECT_TRUE(pc2.ui.texts().empty());
}

TEST(RightsLevel, OnlyZeroSixAndSevenCountAndSevenOnlyOnTheAdministratorComputer) {
    TempFolder office;
    Computer pc1("PC1", office);
    Computer pc2("PC2", office);
    ASSERT_TRUE(writeAdministratorFile(pc1.place.sharedFolder, {"総務", "pw"}, pc1.context));

    // A rights file edited to claim 99 grants nothing: it is rebuilt.
    ASSERT_TRUE(writeRightsFile(pc2.place.rightsFile, {"PC2", ""}, 99, pc2.context));
    EXPECT_EQ(pc2.evaluate(), kNoRights);
    EXPECT_EQ(pc2.rights()[3], "0");
    // An old administrator keeps 7 no longer once another computer is administrator.
    ASSERT_TRUE(writeRightsFile(pc2.place.rightsFile, {"PC2", ""}, 7, pc2.context));
    EXPECT_EQ(pc2.evaluate(), kNoRights);
    EXPECT_EQ(pc2.rights()[3], "0");
    // 6 from an earlier grant lasts as long as the file.
    ASSERT_TRUE(writeRightsFile(pc2.place.rightsFile, {"PC2", "pw"}, 6, pc2.context));
    EXPECT_EQ(pc2.evaluate(), kGrantedRights);
    EXPECT_TRUE(pc2.ui.texts().empty());
}

TEST(RightsLevel, ARightsFileCopiedFromAnotherComputerIsRebuiltForThisOne) {
    TempFolder office;
    Computer pc1("PC1", office);
    Computer pc2("PC2", office);
    ASSERT_TRUE(writeAdministratorFile(pc1.place.sharedFolder, {"総務", "pw"}, pc1.context));
    ASSERT_EQ(pc1.evaluate(), kAdministratorComputer);
    std::filesystem::copy_file(pc1.place.rightsFile, pc2.place.rightsFile);

    EXPECT_EQ(pc2.evaluate(/*firstNetworkSetup=*/true), kNoRights);
    EXPECT_EQ(pc2.ui.texts(),
              (Fields{"管理コンピュータをインストールしたコンピュータに変更します。\r\n"
                      "From [PC2] to [PC1]"}));
    EXPECT_EQ(pc2.rights(), (Fields{"PC2", "", "PC2", "0", "2461385"}));
    // Without "/F" the copy is rebuilt as well, silently.
    std::filesystem::copy_file(pc1.place.rightsFile, pc2.place.rightsFile,
                               std::filesystem::copy_options::overwrite_existing);
    pc2.ui.clearShown();
    EXPECT_EQ(pc2.evaluate(), kNoRights);
    EXPECT_EQ(pc2.rights()[2], "PC2");
    EXPECT_TRUE(pc2.ui.texts().empty());
}

TEST(RightsLevel, BrokenOrMissingFilesGiveNoRightsWithTheirMessages) {
    TempFolder office;
    Computer pc2("PC2", office);
    // No administrator file: the rebuild fails, and so does the evaluation.
    EXPECT_EQ(pc2.evaluate(), kNoRights);
    EXPECT_EQ(pc2.ui.texts(),
              (Fields{"ネット管理ファイル[" + (pc2.place.sharedFolder / "velnet.myc").string() +
                      "]がありません。"}));
    EXPECT_FALSE(std::filesystem::exists(pc2.place.rightsFile));

    // A broken rights file is never used.
    pc2.ui.clearShown();
    office.write("PC2.velnetid.myc", "garbage\r\n");
    EXPECT_EQ(pc2.evaluate(), kNoRights);
    EXPECT_EQ(pc2.ui.texts(), (Fields{kCipherReadMessage}));
    EXPECT_EQ(TempFolder::read(pc2.place.rightsFile), "garbage\r\n");
}

// Files written by velmo-tool net-create for administrator "総務課" on SOUMU-PC.
TEST(AdministratorFiles, GoldenFilesDecodeBackToTheirFields) {
    const std::filesystem::path golden =
        std::filesystem::path(VELMO_SOURCE_DIR) / "tests/data/administrator";
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    const std::string soumu = cp932::decode("\x91\x8d\x96\xb1\x89\xdb");  // 総務課 in CP932
    ASSERT_EQ(soumu, "総務課");
    EXPECT_EQ(loadFramedFile(golden / kAdministratorFileName, 5, ui, sleeper),
              (Fields{soumu, "kami2026", "SOUMU-PC", "0", "2461385"}));
    EXPECT_EQ(loadFramedFile(golden / kRightsFileName, 5, ui, sleeper),
              (Fields{"SOUMU-PC", "kami2026", "SOUMU-PC", "7", "2461385"}));
    const std::string ini = encipherIniLines(
        TempFolder::read(golden / kFolderAdministrationFileName), kFolderAdministrationKey);
    EXPECT_TRUE(ini.starts_with("[Net]\r\ndum1=")) << ini;
    for (const std::string& line :
         {"SvName=" + cp932::encode(soumu) + "\r\n", std::string("SvCode=kami2026\r\n"),
          std::string("SvPCName=SOUMU-PC\r\n")})
        EXPECT_NE(ini.find(line), std::string::npos) << line;
    EXPECT_TRUE(ui.texts().empty());
}

TEST(FirstSetupAdministrator, TheStartFolderGetsThisComputerOnceAndNeverAnother) {
    TempFolder office;
    Computer pc1("PC1", office);
    const std::filesystem::path start = pc1.place.sharedFolder;
    EXPECT_TRUE(prepareFirstSetupAdministrator(start, pc1.held, pc1.context));
    EXPECT_EQ(pc1.held.name, "PC1");
    EXPECT_EQ(pc1.held.password, "PC1");
    EXPECT_EQ(loadFramedFile(start / kAdministratorFileName, 5, pc1.ui, pc1.sleeper),
              (Fields{"PC1", "PC1", "PC1", "0", "2461385"}));
    EXPECT_EQ(pc1.evaluate(), kAdministratorComputer);

    // A second computer started the same way leaves the administrator alone.
    Computer pc2("PC2", office);
    const std::string before = TempFolder::read(start / kAdministratorFileName);
    EXPECT_TRUE(prepareFirstSetupAdministrator(start, pc2.held, pc2.context));
    EXPECT_EQ(TempFolder::read(start / kAdministratorFileName), before);
    EXPECT_EQ(pc2.held.name, "PC2");
    EXPECT_EQ(pc2.evaluate(), kNoRights);
    EXPECT_TRUE(pc2.ui.texts().empty());
}

TEST(FirstSetupAdministrator, AFailedWriteIsToldAndReported) {
    TempFolder office;
    Computer pc1("PC1", office);
    EXPECT_FALSE(prepareFirstSetupAdministrator(office.path() / "gone", pc1.held, pc1.context));
    ASSERT_FALSE(pc1.ui.texts().empty());
    EXPECT_EQ(pc1.ui.texts().back(), kFirstSetupAdministratorFailedMessage);
}

}  // namespace
}  // namespace velmo
