// velmo-tool run as a separate process, as scripts use it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

struct ToolRun {
    int exitCode;
    std::string out;
};

ToolRun runTool(const std::string& arguments, const std::string& environment = "") {
    const std::string command =
        environment + " " + std::string(VELMO_TOOL_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ToolRun run{-1, {}};
    if (!pipe)
        return run;
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
        run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(VelmoTool, VersionAndUsage) {
    const ToolRun version = runTool("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("velmo-tool ", 0), 0u) << version.out;
    EXPECT_EQ(runTool("").exitCode, 2);
    EXPECT_EQ(runTool("frobnicate").exitCode, 2);
}

TEST(VelmoTool, CatPrintsCp932LinesAsUtf8) {
    testing::TempFolder temp;
    // "予定" CR LF, "a" CR, "b" LF, then an end-of-file mark with junk after it.
    const auto file = temp.write("Ca202409.myc", "\x97\x5C\x92\xE8\r\na\rb\n\x1A junk");
    const ToolRun run = runTool("cat '" + file.string() + "'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "予定\na\nb\n");
}

TEST(VelmoTool, FoldersHonourStartFolderAndComputerName) {
    testing::TempFolder temp;
    const ToolRun run = runTool("--start-folder '" + temp.path().string() + "' folders");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("start folder: " + temp.path().string() + "/\n"), std::string::npos)
        << run.out;
    const ToolRun fromEnvironment =
        runTool("folders", "VELMO_HOME='" + temp.path().string() + "/x'");
    EXPECT_NE(fromEnvironment.out.find("start folder: " + temp.path().string() + "/x/\n"),
              std::string::npos)
        << fromEnvironment.out;
    const ToolRun simulated = runTool("folders", "VELMO_COMPUTER_NAME=PC-KEIRI");
    EXPECT_NE(simulated.out.find("computer name: PC-KEIRI\n"), std::string::npos) << simulated.out;
}

TEST(VelmoTool, JdPrintsDayNumberAndWeekday) {
    const ToolRun run = runTool("jd 2000 1 1");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "2451545 7\n");
    EXPECT_EQ(runTool("jd 1582 10 15").out, "2299161 6\n");
    EXPECT_EQ(runTool("jd -4712 1 1").out, "0 2\n");
    EXPECT_EQ(runTool("jd 2023 2 31").out, runTool("jd 2023 3 3").out);
}

TEST(VelmoTool, YmdPrintsTheDateOfADayNumber) {
    const ToolRun run = runTool("ymd 2451545");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "2000 1 1\n");
    EXPECT_EQ(runTool("ymd 2299160").out, "1582 10 4\n");
    EXPECT_EQ(runTool("ymd -1").out, "-4713 12 31\n");
}

TEST(VelmoTool, RefusedDatesPrintTheCalendarMessage) {
    const ToolRun gap = runTool("jd 1582 10 10");
    EXPECT_EQ(gap.exitCode, 1);
    EXPECT_EQ(gap.out, "1582/10/5-10/14は存在しません。\n");
    const ToolRun farYear = runTool("jd 99999999999 1 1");
    EXPECT_EQ(farYear.exitCode, 1);
    EXPECT_EQ(farYear.out, "99999999999/1/1は扱える範囲外です。\n");
    const ToolRun farDay = runTool("ymd 2147483648");
    EXPECT_EQ(farDay.exitCode, 1);
    EXPECT_EQ(farDay.out, "ユリウス日2147483648は扱える範囲外です。\n");
    EXPECT_EQ(runTool("jd 2000 1").exitCode, 2);
    EXPECT_EQ(runTool("jd 2000 1 x").exitCode, 2);
    EXPECT_EQ(runTool("ymd 12.5").exitCode, 2);
}

}  // namespace
}  // namespace velmo
