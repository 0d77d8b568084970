// velmo-tool backup and backups run as separate processes, also killed in mid-copy.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tests/backup/backup_tree_snapshot.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::treeSnapshot;
using Environment = std::map<std::string, std::string>;

constexpr int kMonthFiles = 24;

struct Finish {
    bool killed = false;
    int exitCode = -1;
    std::string out;
};

class BackupCommandTest : public ::testing::Test {
protected:
    BackupCommandTest() {
        fs::create_directories(dir / "home");
        for (int i = 0; i < kMonthFiles; ++i)
            dir.write("start/Data/Files1/Ca2026" + std::to_string(10 + i) + ".myc",
                      std::string(3000 + i, static_cast<char>('a' + i % 26)));
        dir.write("start/Data/CaMemo.myc", "memo");
    }
    fs::path root() const { return dir / "xdg/Norv/Torka/SafeGuard"; }
    fs::path common() const { return dir / "start/Data"; }

    // Runs the tool; with stopAtHit, it is stopped at that copied file and killed there.
    Finish run(const std::vector<std::string>& arguments, const std::string& today,
               int stopAtHit = 0) {
        Environment env{{"HOME", (dir / "home").string()},
                        {"XDG_DATA_HOME", (dir / "xdg").string()},
                        {"XDG_CONFIG_HOME", (dir / "config").string()},
                        {"VELMO_TODAY", today}};
        if (stopAtHit > 0) {
            env["VELMO_CRASH_POINT"] = "backup-file-copied";
            env["VELMO_CRASH_POINT_HIT"] = std::to_string(stopAtHit);
        }
        std::vector<std::string> argv{VELMO_TOOL_PATH, "--start-folder", (dir / "start").string()};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const fs::path output = dir / "out.txt";
        const pid_t child = ::fork();
        if (child == 0) {
            for (const auto& [name, value] : env)
                ::setenv(name.c_str(), value.c_str(), 1);
            const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(fd, 1);
            ::dup2(fd, 2);
            std::vector<char*> args;
            for (std::string& a : argv)
                args.push_back(a.data());
            args.push_back(nullptr);
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        Finish finish;
        int status = 0;
        ::waitpid(child, &status, WUNTRACED);
        if (WIFSTOPPED(status)) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            finish.killed = true;
        } else if (WIFEXITED(status)) {
            finish.exitCode = WEXITSTATUS(status);
        }
        finish.out = TempFolder::read(output);
        return finish;
    }

    // A generation holds the common data folder as it is, plus its marker.
    void expectFullCopy(int number) const {
        auto copy = treeSnapshot(root() / ("0" + std::to_string(number) + "_AutoVelData"));
        EXPECT_EQ(copy.erase("VelDate.myc"), 1u) << number;
        EXPECT_EQ(copy, treeSnapshot(common())) << number;
    }

    TempFolder dir;
};

TEST_F(BackupCommandTest, FiveDaysKeepThreeFullGenerationsNewestFirst) {
    for (int day = 6; day <= 10; ++day) {
        const std::string today =
            "2026-12-" + std::string(day < 10 ? "0" : "") + std::to_string(day);
        dir.write("start/Data/CaMemo.myc", "memo of " + today);
        const Finish done = run({"backup", "--generations", "3"}, today);
        EXPECT_EQ(done.exitCode, 0) << done.out;
    }
    EXPECT_EQ(TempFolder::subfolders(root()),
              (std::vector<fs::path>{root() / "01_AutoVelData", root() / "02_AutoVelData",
                                     root() / "03_AutoVelData"}));
    expectFullCopy(1);
    EXPECT_EQ(TempFolder::read(root() / "03_AutoVelData/CaMemo.myc"), "memo of 2026-12-08");
    EXPECT_EQ(run({"backups"}, "2026-12-10").out,
              "01_AutoVelData  2026/12/10\n02_AutoVelData  2026/12/09\n"
              "03_AutoVelData  2026/12/08\n");
    EXPECT_NE(TempFolder::read(dir / "start/Torka.ini").find("BackupDay=2461385"),
              std::string::npos);

    const Finish again = run({"backup"}, "2026-12-10");
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, "today's backup exists already\n");
    EXPECT_EQ(run({"backup", "--generations", "1"}, "2026-12-11").exitCode, 1);
    EXPECT_EQ(run({"backup", "--generations"}, "2026-12-11").exitCode, 2);
}

TEST_F(BackupCommandTest, AKilledCopyLeavesTheGenerationsAndTheNextRunMends) {
    ASSERT_EQ(run({"backup"}, "2026-12-08").exitCode, 0);
    ASSERT_EQ(run({"backup"}, "2026-12-09").exitCode, 0);
    const auto before = treeSnapshot(root());
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> hit(1, kMonthFiles + 1);
    for (int round = 0; round < 20; ++round) {
        const int stopAt = hit(random);
        const Finish killed = run({"backup"}, "2026-12-10", stopAt);
        ASSERT_TRUE(killed.killed) << "stop at " << stopAt << ": " << killed.out;
        auto now = treeSnapshot(root());
        std::erase_if(now, [](const auto& e) { return e.first.starts_with("tmp_"); });
        EXPECT_EQ(now, before) << "killed at file " << stopAt;
    }
    EXPECT_TRUE(fs::exists(root() / "tmp_AutoVelData"));
    ASSERT_EQ(run({"backup"}, "2026-12-10").exitCode, 0);
    EXPECT_FALSE(fs::exists(root() / "tmp_AutoVelData"));
    expectFullCopy(1);
    EXPECT_EQ(TempFolder::subfolders(root()).size(), 3u);
}

TEST_F(BackupCommandTest, ConvertFolderTurnsAnOldInstallationIntoFormat2WithBackups) {
    dir.write("old/Torka.ini", "[Set2]\r\nyDataForm=1\r\n");
    dir.write("old/Ca202612.myc", "december");
    dir.write("old/CaMemo.myc", "memo");
    const Finish done = run({"convert-folder", (dir / "old").string()}, "2026-12-10");
    EXPECT_EQ(done.exitCode, 0) << done.out;
    EXPECT_EQ(TempFolder::read(dir / "old/Data/Files1/Ca202612.myc"), "december");
    EXPECT_EQ(TempFolder::read(dir / "old/Data/CaMemo.myc"), "memo");
    // The installation as it was: kept beside it and as a generation.
    EXPECT_EQ(TempFolder::read(dir / "Old_Torka/Ca202612.myc"), "december");
    EXPECT_EQ(TempFolder::read(root() / "01_Torka/Ca202612.myc"), "december");

    // A second run finds format 2 and leaves everything alone.
    const Finish again = run({"convert-folder", (dir / "old").string()}, "2026-12-10");
    EXPECT_EQ(again.exitCode, 0) << again.out;
    EXPECT_FALSE(fs::exists(root() / "02_Torka"));
}

TEST_F(BackupCommandTest, ConvertFolderStopsWhenTheRecordedFormatContradictsTheFolder) {
    dir.write("odd/Torka.ini", "[Set2]\r\nyDataForm=2\r\n");
    dir.write("odd/Ca202612.myc", "december");
    const auto before = treeSnapshot(dir / "odd");
    const Finish done = run({"convert-folder", (dir / "odd").string()}, "2026-12-10");
    EXPECT_EQ(done.exitCode, 1) << done.out;
    EXPECT_EQ(treeSnapshot(dir / "odd"), before);
    EXPECT_EQ(run({"convert-folder"}, "2026-12-10").exitCode, 2);
}

}  // namespace
}  // namespace velmo
