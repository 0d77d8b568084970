#include "platform/posix/process_scan.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "tests/support/temp_folder.h"

namespace velmo::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

bool contains(const std::vector<int>& pids, int pid) {
    return std::find(pids.begin(), pids.end(), pid) != pids.end();
}

// A child running `program` with `argv0` as its first argument; killed and reaped
// with the object unless the test reaped it already.
class Child {
public:
    Child(const fs::path& program, const char* argv0) {
        pid_ = ::fork();
        if (pid_ == 0) {
            ::execl(program.c_str(), argv0, "30", static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~Child() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            reap();
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    int pid() const { return pid_; }
    int reap() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return status;
    }
    // Waits until the child has ended but leaves it unreaped.
    void waitUntilEnded() const {
        siginfo_t info{};
        ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOWAIT);
    }
    // After fork() the child shows the parent's name until execl() has run.
    void waitForExec(std::string_view name) const {
        for (int i = 0; i < 200 && !contains(processesNamed(name), pid_); ++i)
            ::usleep(10'000);
    }

private:
    int pid_ = -1;
};

fs::path copyOfSleep(const TempFolder& folder, const char* name) {
    fs::path copy = folder / name;
    fs::copy_file("/bin/sleep", copy);
    return copy;
}

fs::path writeFile(const TempFolder& folder, std::string_view name, bool executable) {
    fs::path file = folder.write(name, "#!/bin/sh\n");
    fs::permissions(
        file, executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write);
    return file;
}

TEST(ProcessScan, NamesCompareWithoutCaseAndExtension) {
    EXPECT_EQ(companionKey("Velclock.exe"), "velclock");
    EXPECT_EQ(companionKey("VELCLOCK.EXE"), "velclock");
    EXPECT_EQ(companionKey("ruvon"), "ruvon");
    // A name that is only the extension stays as it is.
    EXPECT_EQ(companionKey(".exe"), ".exe");
}

TEST(ProcessScan, FindsARunningCompanionByItsExecutableName) {
    TempFolder folder;
    Child child(copyOfSleep(folder, "Velclock"), "Velclock");
    ASSERT_GT(child.pid(), 0);
    child.waitForExec("velclock");

    EXPECT_TRUE(contains(processesNamed("velclock.exe"), child.pid()));
    EXPECT_TRUE(contains(processesNamed("VELCLOCK"), child.pid()));
    EXPECT_TRUE(processRunning(child.pid()));
    EXPECT_FALSE(contains(processesNamed("Velprin.exe"), child.pid()));
    EXPECT_TRUE(processesNamed("").empty());
}

TEST(ProcessScan, FindsAProcessByItsFirstArgument) {
    // The executable is sleep; only the name it was started under says Ruvon.
    Child child("/bin/sleep", "/opt/norv/Ruvon.exe");
    ASSERT_GT(child.pid(), 0);
    child.waitForExec("ruvon");

    EXPECT_TRUE(contains(processesNamed("Ruvon.exe"), child.pid()));
}

TEST(ProcessScan, AnEndedProcessIsNoLongerFound) {
    TempFolder folder;
    Child child(copyOfSleep(folder, "Velclock"), "Velclock");
    child.waitForExec("velclock");
    ASSERT_EQ(::kill(child.pid(), SIGKILL), 0);

    // Ended but not yet reaped: the entry in /proc remains, the program does not run.
    child.waitUntilEnded();
    EXPECT_FALSE(processRunning(child.pid()));
    EXPECT_FALSE(contains(processesNamed("Velclock"), child.pid()));

    const int pid = child.pid();
    child.reap();
    EXPECT_FALSE(processRunning(pid));
    EXPECT_FALSE(contains(processesNamed("Velclock"), pid));
}

TEST(ProcessScan, CloseRequestEndsTheCompanion) {
    TempFolder folder;
    Child child(copyOfSleep(folder, "Velclock"), "Velclock");
    child.waitForExec("velclock");

    ASSERT_TRUE(requestClose(child.pid()));
    const int status = child.reap();
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
}

TEST(ProcessScan, CloseRequestRefusesProcessGroupsAndInvalidIds) {
    EXPECT_FALSE(requestClose(0));
    EXPECT_FALSE(requestClose(-1));
    EXPECT_FALSE(processRunning(0));
    EXPECT_FALSE(processRunning(-5));
}

TEST(FindCompanion, FirstFolderHoldingTheProgramWins) {
    TempFolder first;
    TempFolder second;
    const fs::path inSecond = writeFile(second, "ruvon", true);
    EXPECT_EQ(findCompanion("Ruvon.exe", {first.path(), second.path()}, ""), inSecond);

    const fs::path inFirst = writeFile(first, "RUVON.EXE", true);
    EXPECT_EQ(findCompanion("Ruvon.exe", {first.path(), second.path()}, ""), inFirst);
    EXPECT_EQ(findCompanion("ruvon", {second.path(), first.path()}, ""), inSecond);
}

TEST(FindCompanion, TheExactSpellingWinsWithinAFolder) {
    TempFolder folder;
    writeFile(folder, "ruvon", true);
    const fs::path exact = writeFile(folder, "Ruvon.exe", true);
    EXPECT_EQ(findCompanion("Ruvon.exe", {folder.path()}, ""), exact);
}

TEST(FindCompanion, SkipsFilesThatCannotRunAndFolders) {
    TempFolder first;
    TempFolder second;
    writeFile(first, "Velprin.exe", false);
    fs::create_directory(first / "velprin");
    const fs::path runnable = writeFile(second, "velprin", true);
    EXPECT_EQ(findCompanion("Velprin.exe", {first.path(), second.path()}, ""), runnable);
    EXPECT_EQ(findCompanion("Velprin.exe", {first.path()}, ""), std::nullopt);
}

TEST(FindCompanion, LooksOnThePathAfterTheGivenFolders) {
    TempFolder start;
    TempFolder bin1;
    TempFolder bin2;
    const fs::path onPath = writeFile(bin2, "Velclock", true);
    const std::string path = "::" + bin1.path().string() + ":" + bin2.path().string();
    EXPECT_EQ(findCompanion("Velclock.exe", {start.path(), "/nonexistent/velmo"}, path), onPath);

    const fs::path inStart = writeFile(start, "velclock.exe", true);
    EXPECT_EQ(findCompanion("Velclock.exe", {start.path()}, path), inStart);
    EXPECT_EQ(findCompanion("Orvan.exe", {start.path()}, path), std::nullopt);
}

}  // namespace
}  // namespace velmo::platform
