#include "backup/period_backups.h"

#include <gtest/gtest.h>

#include "store/period_file.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using Names = std::array<std::string, 3>;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::TempFolder;

constexpr const char* kFile = "***** FromTo予定 [Data\\Files1\\]\r\n2024, 9, 1,M,2024, 9, 2,E\r\n";

class PeriodBackupsTest : public ::testing::Test {
protected:
    PeriodBackupsTest() {
        dir.write("Data/Files1/CaFromTo.myc", kFile);
        dir.write("Data/CaMemo.myc", "memo");
    }
    fs::path data(std::string_view name) const { return dir / "Data/Files1" / name; }
    fs::path common(std::string_view name) const { return dir / "Data" / name; }
    void setNames(const Names& n) { names = {.CaFT1 = n[0], .CaFT2 = n[1], .CaFT3 = n[2]}; }
    Names current() const { return {names.CaFT1, names.CaFT2, names.CaFT3}; }
    // Each generation: the period copy and its memo copy.
    void makeGeneration(std::string_view token) {
        dir.write("Data/Files1/CaFT" + std::string(token) + ".mcp", "old");
        dir.write("Data/CaME" + std::string(token) + ".mcp", "old memo");
    }
    PeriodBackupContext backupsOn(Ymd today) {
        return {dir.path().string() + "/Data/", today, names, cleanupWanted,
                [this](const Names& n) {
                    persisted.push_back(n);
                    if (onPersist)
                        onPersist();
                    return persistWorks;
                }};
    }
    PeriodLoadOutcome load(Ymd today) {
        PeriodFileContext context{
            DataLocation::dataSet(dir.path().string() + "/", 1), {}, ui, sleeper, local};
        PeriodBackupContext backups = backupsOn(today);
        return loadPeriodListWithBackups(list, context, backups);
    }

    TempFolder dir;
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    LocalFolderHooks local;
    PeriodList list;
    DataKeys names;
    bool cleanupWanted = false;
    bool persistWorks = true;
    std::function<void()> onPersist;
    std::vector<Names> persisted;
};

TEST(TenDayTokenTest, ChangesOnThe1st10thAnd20th) {
    EXPECT_EQ(tenDayToken({2024, 9, 9}), "4090");
    EXPECT_EQ(tenDayToken({2024, 9, 10}), "4091");
    EXPECT_EQ(tenDayToken({2024, 9, 20}), "4092");
    EXPECT_EQ(tenDayToken({2024, 9, 30}), "4092");
    EXPECT_EQ(tenDayToken({2024, 9, 31}), "4092");
    EXPECT_EQ(tenDayToken({2030, 1, 1}), "0010");
    // Read back in the right decade, whatever the letter case.
    EXPECT_EQ(backupPeriodStart("caft4092.MCP", {2024, 9, 30}), (Ymd{2024, 9, 20}));
    EXPECT_EQ(backupPeriodStart("CaME9122.mcp", {2030, 1, 5}), (Ymd{2029, 12, 20}));
    EXPECT_EQ(backupPeriodStart("CaFT4100.mcp", {2024, 9, 30}), (Ymd{2014, 10, 1}));
    for (const char* bad : {"CaFT4130.mcp", "CaFT4003.mcp", "CaFTabcd.mcp", "CaFT409.mcp", ""})
        EXPECT_EQ(backupPeriodStart(bad, {2024, 9, 30}), std::nullopt) << bad;
}

TEST_F(PeriodBackupsTest, FirstLoadOfATenDayPeriodTakesOneBackup) {
    EXPECT_EQ(load({2024, 9, 10}), PeriodLoadOutcome::Loaded);
    EXPECT_EQ(TempFolder::read(data("CaFT4091.mcp")), kFile);
    EXPECT_EQ(TempFolder::read(common("CaME4091.mcp")), "memo");
    EXPECT_EQ(persisted, (std::vector<Names>{{"CaFT4091.mcp", "", ""}}));
    EXPECT_TRUE(cleanupWanted);

    // Later loads in the same period, however the name is spelled, take none.
    names.CaFT1 = "CAFT4091.MCP";
    EXPECT_EQ(load({2024, 9, 19}), PeriodLoadOutcome::Loaded);
    EXPECT_EQ(persisted.size(), 1u);
    EXPECT_TRUE(ui.shown().empty());
}

// The new generation is on disk and the names reach the settings before the oldest
// generation is deleted, so a crash in between can neither lose one nor rotate twice.
TEST_F(PeriodBackupsTest, RotationWritesAndPersistsBeforeDeletingTheOldest) {
    for (const char* token : {"4082", "4081", "4080"})
        makeGeneration(token);
    setNames({"CaFT4082.mcp", "CaFT4081.mcp", "cAft4080.mcp"});
    onPersist = [this] {
        EXPECT_TRUE(fs::exists(data("CaFT4090.mcp")));
        EXPECT_TRUE(fs::exists(common("CaME4090.mcp")));
        EXPECT_TRUE(fs::exists(data("CaFT4080.mcp")));
    };
    load({2024, 9, 1});
    EXPECT_EQ(current(), (Names{"CaFT4090.mcp", "CaFT4082.mcp", "CaFT4081.mcp"}));
    EXPECT_EQ(persisted, std::vector<Names>{current()});
    EXPECT_FALSE(fs::exists(data("CaFT4080.mcp")));
    EXPECT_FALSE(fs::exists(common("CaME4080.mcp")));
    EXPECT_TRUE(fs::exists(data("CaFT4081.mcp")));
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(PeriodBackupsTest, RotationNeverDeletesWhatItKeepsOrWhatIsNotABackup) {
    // A name that comes back moves to the front; nothing drops out.
    makeGeneration("4090");
    makeGeneration("4081");
    setNames({"CaFT4082.mcp", "CaFT4090.mcp", "CaFT4081.mcp"});
    load({2024, 9, 1});
    EXPECT_EQ(current(), (Names{"CaFT4090.mcp", "CaFT4082.mcp", "CaFT4081.mcp"}));
    EXPECT_TRUE(fs::exists(data("CaFT4081.mcp")));
    EXPECT_EQ(TempFolder::read(data("CaFT4090.mcp")), kFile);
    EXPECT_EQ(TempFolder::read(common("CaME4090.mcp")), "memo");

    // A settings value that is no backup name is never turned into a deletion.
    dir.write("victim.myc", "keep");
    setNames({"CaFT4082.mcp", "CaFT4081.mcp", "../../victim.myc"});
    load({2024, 9, 10});
    EXPECT_EQ(TempFolder::read(dir / "victim.myc"), "keep");

    // Names that could not be persisted keep the dropped generation on disk.
    persistWorks = false;
    load({2024, 9, 20});
    EXPECT_EQ(current(), (Names{"CaFT4092.mcp", "CaFT4091.mcp", "CaFT4082.mcp"}));
    EXPECT_TRUE(fs::exists(data("CaFT4081.mcp")));
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(PeriodBackupsTest, AFailedCopyRotatesNothingAndFailedDeletionsAreReported) {
    makeGeneration("4080");
    setNames({"CaFT4082.mcp", "CaFT4081.mcp", "CaFT4080.mcp"});
    fs::create_directory(data("CaFT4090.mcp"));  // the copy cannot replace a folder
    EXPECT_EQ(load({2024, 9, 1}), PeriodLoadOutcome::Loaded);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"[ " + data("CaFT4090.mcp").string() +
                                                   " ]の書込に失敗しました。"});
    EXPECT_EQ(sleeper.pauses().size(), 10u);
    EXPECT_EQ(current(), (Names{"CaFT4082.mcp", "CaFT4081.mcp", "CaFT4080.mcp"}));
    EXPECT_TRUE(persisted.empty());
    EXPECT_FALSE(cleanupWanted);
    EXPECT_TRUE(fs::exists(data("CaFT4080.mcp")));

    // Old copies that cannot be deleted (folders holding files) are reported; the load
    // goes on.
    fs::remove(data("CaFT4080.mcp"));
    fs::remove(common("CaME4080.mcp"));
    dir.write("Data/Files1/CaFT4080.mcp/x", "");
    dir.write("Data/CaME4080.mcp/x", "");
    EXPECT_EQ(load({2024, 9, 10}), PeriodLoadOutcome::Loaded);
    ASSERT_EQ(ui.shown().size(), 3u);
    EXPECT_EQ(ui.shown()[1].text,
              "旧期間ファイルを削除できません。\r\n" + data("CaFT4080.mcp").string());
    EXPECT_EQ(ui.shown()[1].caption, kMainInformationCaption);
    EXPECT_EQ(ui.shown()[2].text,
              "旧メモファイルを削除できません。\r\n" + common("CaME4080.mcp").string());
    EXPECT_EQ(list.lines.size(), 2u);
}

TEST_F(PeriodBackupsTest, CleanUpRemovesOnlyCopiesOlderThanTheNamedGenerations) {
    setNames({"CaFT4100.mcp", "CaFT4092.mcp", "CaFT4090.mcp"});
    // caft4092.MCP is a named copy; CaFT4091 is recent (another data set's); CaFTold
    // carries no date; 4082 and 3092 (ten years back) are older than every name.
    for (const char* token : {"4100", "4090", "4091", "4082", "3092"})
        makeGeneration(token);
    dir.write("Data/Files1/caft4092.MCP", "named");
    dir.write("Data/Files1/CaFTold.mcp", "undated");
    PeriodBackupContext backups = backupsOn({2024, 10, 5});
    EXPECT_TRUE(cleanUpStaleBackups(data("").string(), backups, ui));
    for (const char* kept : {"CaFT4100.mcp", "caft4092.MCP", "CaFT4090.mcp", "CaFT4091.mcp",
                             "CaFTold.mcp", "CaFromTo.myc"})
        EXPECT_TRUE(fs::exists(data(kept))) << kept;
    for (const char* kept : {"CaME4100.mcp", "CaME4090.mcp", "CaME4091.mcp", "CaMemo.myc"})
        EXPECT_TRUE(fs::exists(common(kept))) << kept;
    for (const char* gone : {"CaFT4082.mcp", "CaFT3092.mcp"})
        EXPECT_FALSE(fs::exists(data(gone))) << gone;
    for (const char* gone : {"CaME4082.mcp", "CaME3092.mcp"})
        EXPECT_FALSE(fs::exists(common(gone))) << gone;

    // Across a decade: 2029-12-10 is older than 2030-01-01's generations.
    setNames({"CaFT0010.mcp", "CaFT9122.mcp", "CaFT9121.mcp"});
    makeGeneration("9120");
    const PeriodBackupContext in2030 = backupsOn({2030, 1, 5});
    EXPECT_TRUE(cleanUpStaleBackups(data("").string(), in2030, ui));
    EXPECT_FALSE(fs::exists(data("CaFT9120.mcp")));

    // With fewer than three generations named nothing is stale yet.
    makeGeneration("9120");
    setNames({"CaFT0010.mcp", "CaFT9122.mcp", ""});
    EXPECT_TRUE(cleanUpStaleBackups(data("").string(), in2030, ui));
    EXPECT_TRUE(fs::exists(data("CaFT9120.mcp")));

    // A deletion that fails ends the clean-up.
    setNames({"CaFT0010.mcp", "CaFT9122.mcp", "CaFT9121.mcp"});
    fs::remove(data("CaFT9120.mcp"));
    dir.write("Data/Files1/CaFT9120.mcp/x", "");
    EXPECT_FALSE(cleanUpStaleBackups(data("").string(), in2030, ui));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"ファイルの削除に失敗しました。"});
    EXPECT_TRUE(fs::exists(common("CaME9120.mcp")));
}

}  // namespace
}  // namespace velmo
