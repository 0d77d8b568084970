// velmo-tool run as a separate process, as scripts use it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "store/cp932.h"
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

// The tool refuses the arguments with the exit code and exactly the text.
void expectRefusal(const std::string& arguments, int exitCode, const std::string& text) {
    const ToolRun run = runTool(arguments);
    EXPECT_EQ(run.exitCode, exitCode) << arguments;
    EXPECT_EQ(run.out, text) << arguments;
}

TEST(VelmoTool, RefusedDatesPrintTheCalendarMessage) {
    expectRefusal("jd 1582 10 10", 1, "1582/10/5-10/14は存在しません。\n");
    expectRefusal("jd 99999999999 1 1", 1, "99999999999/1/1は扱える範囲外です。\n");
    expectRefusal("ymd 2147483648", 1, "ユリウス日2147483648は扱える範囲外です。\n");
    EXPECT_EQ(runTool("jd 2000 1").exitCode, 2);
    EXPECT_EQ(runTool("jd 2000 1 x").exitCode, 2);
    EXPECT_EQ(runTool("ymd 12.5").exitCode, 2);
}

// A start folder holding the bundled holiday rules, as the first start leaves it.
std::string seededStartFolder(const testing::TempFolder& temp) {
    std::ifstream in(std::string(VELMO_SOURCE_DIR) + "/resources/seed/Hday.dat");
    std::string rules;
    for (std::string line; std::getline(in, line);)
        rules += line + "\r\n";
    temp.write("Hday.dat", cp932::encode(rules));
    std::filesystem::create_directories(temp / "Data/Files1");
    return temp.path().string() + "/";
}

TEST(VelmoTool, HolidaysPrintsTheYearsList) {
    testing::TempFolder temp;
    const std::string start = seededStartFolder(temp);
    const ToolRun run = runTool("--start-folder '" + start + "' holidays 2021");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "2021/01/01,元日\n2021/01/11,成人の日\n2021/02/11,建国記念の日\n"
              "2021/02/23,天皇誕生日\n2021/03/20,春分の日\n2021/04/29,昭和の日\n"
              "2021/05/03,憲法記念日\n2021/05/04,みどりの日\n2021/05/05,こどもの日\n"
              "2021/07/22,海の日\n2021/07/23,スポーツの日\n2021/08/08,山の日\n"
              "2021/08/09,振替休日\n2021/09/20,敬老の日\n2021/09/23,秋分の日\n"
              "2021/11/03,文化の日\n2021/11/23,勤労感謝の日\n");
    EXPECT_FALSE(std::filesystem::exists(temp / "Data/Dekita"));

    const ToolRun refused = runTool("--start-folder '" + start + "' holidays 2000");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, "[確認 -ベルモ-] 範囲(2001～2100)エラー 1\n");
    EXPECT_EQ(runTool("--start-folder '" + start + "' holidays next").out,
              "[確認 -ベルモ-] 範囲(2001～2100)エラー 2\n");
    EXPECT_EQ(runTool("holidays 2021 --frobnicate").exitCode, 2);
}

TEST(VelmoTool, HolidaysWriteSavesTheCsvInTheStartFolder) {
    testing::TempFolder temp;
    const std::string start = seededStartFolder(temp);
    const ToolRun run = runTool("holidays --write 2019", "VELMO_HOME='" + start + "'");
    const std::string path = start + "Data/Dekita/holiday2019.csv";
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "[確認 -ベルモ-] 祝日ファイル[" + path + "]を作成しました\n");
    const std::string csv = cp932::decode(testing::TempFolder::read(path));
    EXPECT_NE(csv.find("\r\n2019/04/30,国民の休日\r\n2019/05/01,即位の日\r\n"
                       "2019/05/02,国民の休日\r\n2019/05/03,憲法記念日\r\n"),
              std::string::npos)
        << csv;
    EXPECT_EQ(csv.find("2019/12/23"), std::string::npos);
}

TEST(VelmoTool, HolidaysWithoutRulesOrWithBadRules) {
    testing::TempFolder temp;
    // No Hday.dat in a folder the program has used: only the built-in equinox days, and
    // no message.
    temp.write("Torka.ini", "");
    EXPECT_EQ(runTool("--start-folder '" + temp.path().string() + "' holidays 2030").out,
              "2030/03/20,春分の日\n2030/09/23,秋分の日\n");
    // Sday.myc lives in Data/ once Data/Files1/ exists.
    temp.write("Hday.dat", "1,1,x\r\n1,y,z\r\n");
    temp.write("Data/Files1/.keep", "");
    temp.write("Data/Sday.myc", "2,x,bad\r\n");
    const ToolRun run = runTool("--start-folder '" + temp.path().string() + "' holidays 2030");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "[velmo-tool] 祭日ファイル読込ミス\n処理は続けます。\n"
              "[velmo-tool] スペシャルDayファイル読込ミス\n処理は続けます。\n"
              "2030/01/01,x\n2030/03/20,春分の日\n2030/09/23,秋分の日\n");
}

TEST(VelmoTool, RangePrintsFlagsNamesAndRokuyoPerDay) {
    testing::TempFolder temp;
    const std::string start = seededStartFolder(temp);
    temp.write("Data/Sday.myc", cp932::encode(",,2,10,,,\"創立記念日, 本社\"\r\n"));
    const ToolRun run = runTool("--start-folder '" + start + "' range 2024-02-09 2024-02-12");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "2024-02-09,2460350,6,0x00,\"\",,12,30,大安\n"
              // DayNames quotes a name holding a comma; CSV doubles those quotes.
              "2024-02-10,2460351,7,0x12,\"\"\"創立記念日, 本社\"\"\",S,1,1,先勝\n"
              "2024-02-11,2460352,1,0x05,\"建国記念の日\",H,1,2,友引\n"
              "2024-02-12,2460353,2,0x08,\"振替休日\",H,1,3,先負\n");
    // Outside the lunisolar table the month is 0 and the rokuyo unknown.
    EXPECT_EQ(runTool("--start-folder '" + start + "' range 1989-12-27 1989-12-27").out,
              "1989-12-27,2447888,4,0x00,\"\",,0,0,不明\n");
}

TEST(VelmoTool, RangeNamesTheDateItRefuses) {
    expectRefusal("range 2024-02-12 2024-02-11", 2,
                  "range: FROM 2024-02-12 is after TO 2024-02-11\n");
    expectRefusal("range 1582-10-10 1582-10-20", 2,
                  "range: 1582-10-10 is not a valid date (YYYY-MM-DD)\n");
    expectRefusal("range 2024-01-01 2024-02-30", 2,
                  "range: 2024-02-30 is not a valid date (YYYY-MM-DD)\n");
}

TEST(VelmoTool, FirstCommandOnAFreshHomeSeedsTheStartFolderAsTheProgramDoes) {
    testing::TempFolder temp;
    const std::string start = (temp / "velmo").string() + "/";
    const ToolRun run = runTool("holidays 2026 --write", "VELMO_HOME='" + start + "'");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    // The bundled holiday rules are there, so the export holds the national holidays.
    const std::string csv =
        cp932::decode(testing::TempFolder::read(start + "Data/Dekita/holiday2026.csv"));
    EXPECT_NE(csv.find("2026/01/12,成人の日\r\n"), std::string::npos) << csv;
    for (const char* name : {"Hday.dat", "ReadMe.txt", "CaSima.dat", "localfol.myc"})
        EXPECT_TRUE(std::filesystem::exists(start + name)) << name;
    EXPECT_TRUE(std::filesystem::is_directory(start + "Data/Files1"));

    // Once seeded the folder is the user's: a removed text is not brought back.
    std::filesystem::remove(start + "ReadMe.txt");
    EXPECT_NE(
        runTool("--start-folder '" + start + "' range 2026-01-12 2026-01-12").out.find("成人の日"),
        std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(start + "ReadMe.txt"));
}

TEST(VelmoTool, SearchBuildsTheListingOnceAndPrintsTheMatchingLines) {
    testing::TempFolder temp;
    const std::string start = "--start-folder '" + temp.path().string() + "/' ";
    temp.write(
        "Data/Files1/Ca202409.myc",
        cp932::encode("10,1,,定例会議,,,,,,\r\n10,2,,昼食,,,,,,\r\n77,1,,会議室の予約,\r\n"));
    ToolRun run = runTool(start + "search 会議");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    // The notice of the missing listing goes to stderr, the matches to stdout.
    EXPECT_EQ(run.out,
              "[確認 -ベルモ-] 検索データが見あたりません。\n新しい検索データを作ります。\n"
              "  会議室の予約\n2024年 9月10日(火) 定例会議\n");
    const std::filesystem::path listing = temp / "Data/Files1/kensaku.txt";
    EXPECT_EQ(cp932::decode(testing::TempFolder::read(listing)),
              "\r\n[ 2024年 9月 ]\r\n  会議室の予約\r\n\r\n2024年 9月10日(火) 定例会議\r\n"
              "                   昼食\r\n");

    // A fresh listing is searched as it stands, not rebuilt.
    temp.write("Data/Files1/kensaku.txt", cp932::encode("手で足した会議\r\n"));
    run = runTool(start + "search 会議");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "手で足した会議\n");
    EXPECT_EQ(runTool(start + "search 昼食").exitCode, 1);
    EXPECT_EQ(runTool(start + "search").exitCode, 2);
}

TEST(VelmoTool, SearchInNetworkModeUsesTheSharedDataFolder) {
    testing::TempFolder office;
    const std::string share = (office / "share").string() + "/";
    office.write("share/Data/Files1/Ca202409.myc", cp932::encode(" 3,1,,共有の会議,\r\n"));
    office.write("PC1/Data/Files1/Ca202409.myc", cp932::encode(" 3,1,,手元の会議,\r\n"));
    office.write("PC1/Torka.ini",
                 "[Settei]\r\ncbNet=1\r\nvNet_flg=1\r\nedtNetFolder=" + share + "\r\n");
    const ToolRun run = runTool("--start-folder '" + (office / "PC1").string() + "/' search 会議",
                                "VELMO_COMPUTER_NAME=PC1");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_NE(run.out.find("2024年 9月 3日(火) 共有の会議\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("手元の会議"), std::string::npos) << run.out;
    EXPECT_TRUE(std::filesystem::exists(office / "share/Data/Files1/kensaku.txt"));
    EXPECT_FALSE(std::filesystem::exists(office / "PC1/Data/Files1/kensaku.txt"));
}

// Two computers of an office, each with its own start folder, on one shared folder.
TEST(VelmoTool, NetCreateMakesThisComputerTheAdministratorAndOthersGetNoRights) {
    testing::TempFolder office;
    const std::string share = (office / "share").string();
    const auto on = [&](const std::string& pc, const std::string& command) {
        return runTool("--start-folder '" + (office / pc).string() + "/' " + command,
                       "VELMO_COMPUTER_NAME=" + pc);
    };
    ToolRun run = on("PC1", "net-create '" + share + "' --admin 総務 --password s3cret");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_NE(run.out.find("データ構造は正常に作成されました。"), std::string::npos);
    for (const char* name : {"torkanet.bini", "velnet.myc", "Data/Files1", "Data/Files3"})
        EXPECT_TRUE(std::filesystem::exists(office / ("share/" + std::string(name)))) << name;
    const std::string adminFile = testing::TempFolder::read(office / "share/velnet.myc");

    // A second creation is refused without --force, and without the old password.
    EXPECT_EQ(on("PC2", "net-create '" + share + "' --admin x --password y").exitCode, 1);
    EXPECT_EQ(on("PC2", "net-create '" + share + "' --admin x --password y --force").exitCode, 1);
    run = on("PC2", "net-create '" + share + "' --admin x --password y --force --old-password no");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("パスワードが、管理者によって設定されたものと違います。"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(testing::TempFolder::read(office / "share/velnet.myc"), adminFile);
    EXPECT_EQ(on("PC2", "net-create '" + share + "' --admin 経理").exitCode, 2);

    for (const char* pc : {"PC1", "PC2"})
        office.write(std::string(pc) + "/Torka.ini", "[Settei]\r\nedtNetFolder=" + share + "/\r\n");
    EXPECT_EQ(on("PC1", "rights").out, "7 管理コンピュータ\n");
    EXPECT_EQ(on("PC2", "rights").out, "0\n");
    // PC1's rights file copied to PC2 is rebuilt for PC2.
    std::filesystem::copy_file(office / "PC1/velnetid.myc", office / "PC2/velnetid.myc",
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(on("PC2", "rights").out, "0\n");
    EXPECT_EQ(on("PC1", "rights").out, "7 管理コンピュータ\n");
}

}  // namespace
}  // namespace velmo
