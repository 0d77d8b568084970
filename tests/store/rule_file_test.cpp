#include "store/rule_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "backup/holiday_csv.h"
#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fifo.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using Kind = testing::ShownBox::Kind;
using Lines = std::vector<std::string>;

class RuleFiles : public ::testing::Test {
protected:
    std::filesystem::path writeCp932(const std::string& name, const std::string& utf8) {
        return temp.write(name, cp932::encode(utf8));
    }
    std::string folder() const { return temp.path().string() + "/"; }

    testing::TempFolder temp;
    testing::ScriptedUserInterface ui;
    testing::RecordingSleeper sleeper;
    DayRules rules;
};

TEST_F(RuleFiles, MissingFileIsSilentAndEmpty) {
    Lines list{"old line"};
    EXPECT_EQ(readRuleFile(list, temp / "Hday.dat", ui, sleeper), RuleFileRead::Missing);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_TRUE(sleeper.pauses().empty());
    rules.setHolidayList({"1,1,元日"});
    loadHolidayRules(rules, temp / "Hday.dat", ui, sleeper);
    EXPECT_TRUE(rules.holidayBuild().rules.empty());
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(RuleFiles, UnreadableFileTriesFiveTimesThenTells) {
    std::filesystem::create_directory(temp / "Sday.myc");
    Lines list{"old line"};
    EXPECT_EQ(readRuleFile(list, temp / "Sday.myc", ui, sleeper), RuleFileRead::Failed);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(ui.texts(), Lines{"読込エラー[" + (temp / "Sday.myc").string() + "]"});
    EXPECT_EQ(sleeper.total(), std::chrono::milliseconds(2000));
}

// The special days are read at every start; a pipe in their place must not hang it.
TEST_F(RuleFiles, PipeInPlaceOfTheSpecialDaysIsRefusedAtOnce) {
    const std::filesystem::path fifo = testing::makeFifo(temp / "Sday.myc");
    rules.setSpecialDayList({"9,1,防災の日"});
    EXPECT_TRUE(testing::returnsBesideFifo(
        fifo, [&] { loadSpecialDayRules(rules, temp / "SDAY.MYC", ui, sleeper); }));
    EXPECT_EQ(ui.texts(), Lines{"読込エラー[" + fifo.string() + "]"});
    EXPECT_TRUE(rules.specialDayBuild().rules.empty());
}

TEST_F(RuleFiles, ReadsCp932LinesFoundIgnoringCase) {
    temp.write("HDAY.DAT", cp932::encode("1,1,元日\r\n5,5,こどもの日\n11,3,文化の日\r") +
                               "11,23,勤労感謝の日\x1A" + "12,25,after the end mark");
    loadHolidayRules(rules, temp / "Hday.dat", ui, sleeper);
    EXPECT_TRUE(ui.shown().empty());
    // The last line lost its CP932 encoding on purpose: the bytes decode as they are.
    ASSERT_EQ(rules.holidayList().size(), 4u);
    EXPECT_EQ(rules.dayNames(2024, 5, 5).names, "こどもの日");
    EXPECT_EQ(rules.dayNames(2024, 12, 25).names, "");
}

TEST_F(RuleFiles, MalformedLinesShowTheLoadMessageAndNeverCrash) {
    const std::string longLine(1 << 20, 'x');
    const std::string longCommas = std::string(1 << 19, ',') + "1,1,x";
    writeCp932("Hday.dat",
               "1,1,元日\r\n"
               "1,2\r\n"                     // too few fields: ignored
               "1,2,3,4,5,6,7,8\r\n"         // too many: ignored
               "2,11,\"quote left open\r\n"  // still three fields
                   + longLine + "\r\n" + longCommas + "\r\n" +
                   "5,3,憲法記念日\r\n"
                   "2,3,4,x,not a number\r\n"
                   "11,3,文化の日\r\n");
    loadHolidayRules(rules, temp / "Hday.dat", ui, sleeper);
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].kind, Kind::Message);
    EXPECT_EQ(ui.shown()[0].text, "祭日ファイル読込ミス\r\n処理は続けます。");
    // The rules before the bad line stay; the ones after it are not read.
    EXPECT_EQ(rules.dayNames(2024, 1, 1).names, "元日");
    EXPECT_EQ(rules.holidayBuild().rules[1].name, "quote left open");
    EXPECT_EQ(rules.dayNames(2024, 5, 3).names, "憲法記念日");
    EXPECT_EQ(rules.dayNames(2024, 11, 3).names, "");

    writeCp932("Sday.myc", "3,3,雛祭り\r\n3,x,y\r\n" + std::string("\x1A") + "junk");
    loadSpecialDayRules(rules, temp / "Sday.myc", ui, sleeper);
    ASSERT_EQ(ui.shown().size(), 2u);
    EXPECT_EQ(ui.shown()[1].text, "スペシャルDayファイル読込ミス\r\n処理は続けます。");
    EXPECT_EQ(rules.dayNames(2024, 3, 3), (DayNameList{"雛祭り", "S"}));
}

TEST_F(RuleFiles, OutOfRangeNumbersAreReportedButLaterLinesStay) {
    writeCp932("Sday.myc", "2,256,範囲外\r\n2,14,バレンタイン\r\n");
    loadSpecialDayRules(rules, temp / "Sday.myc", ui, sleeper);
    EXPECT_EQ(ui.texts(), Lines{kSpecialDayLoadMessage});
    EXPECT_EQ(rules.dayNames(2024, 2, 14).names, "バレンタイン");
    EXPECT_EQ(rules.dayNames(2024, 2, 1).names, "");
}

// ---------------------------------------------------------------------------------------
// Holiday list CSV

TEST_F(RuleFiles, HolidayCsvRefusesYearsOutsideItsRange) {
    for (const char* text : {"2000", "2101", "-5"})
        EXPECT_FALSE(writeHolidayCsv(text, rules, folder(), ui, sleeper)) << text;
    for (const char* text : {"", "20x1", "２０１２", "99999999999"})
        EXPECT_FALSE(writeHolidayCsv(text, rules, folder(), ui, sleeper)) << text;
    ASSERT_EQ(ui.shown().size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(ui.shown()[i].text,
                  i < 3 ? "範囲(2001～2100)エラー 1" : "範囲(2001～2100)エラー 2");
        EXPECT_EQ(ui.shown()[i].caption, "確認 -ベルモ-");
    }
    EXPECT_FALSE(std::filesystem::exists(temp / "Data"));
    EXPECT_EQ(*checkHolidayCsvYear(" 2100 ").year, 2100);
}

TEST_F(RuleFiles, HolidayCsvOf2012) {
    std::ifstream bundled(std::string(VELMO_SOURCE_DIR) + "/resources/seed/Hday.dat");
    Lines lines;
    for (std::string line; std::getline(bundled, line);)
        lines.push_back(line);
    rules.setHolidayList(lines);
    rules.setSpecialDayList({"9,22,誕生日"});  // special days stay out of the list
    temp.write("Data/Dekita/holiday2012.csv", "older list");

    ASSERT_TRUE(writeHolidayCsv("2012", rules, folder(), ui, sleeper));
    const std::string path = folder() + "Data/Dekita/holiday2012.csv";
    EXPECT_EQ(ui.texts(), Lines{"祝日ファイル[" + path + "]を作成しました"});
    EXPECT_EQ(ui.shown()[0].caption, "確認 -ベルモ-");
    const std::string expected =
        "2012/01/01,元日\r\n2012/01/02,振替休日\r\n2012/01/09,成人の日\r\n"
        "2012/02/11,建国記念の日\r\n2012/03/20,春分の日\r\n2012/04/29,昭和の日\r\n"
        "2012/04/30,振替休日\r\n2012/05/03,憲法記念日\r\n2012/05/04,みどりの日\r\n"
        "2012/05/05,こどもの日\r\n2012/07/16,海の日\r\n2012/09/17,敬老の日\r\n"
        "2012/09/22,秋分の日\r\n2012/10/08,体育の日\r\n2012/11/03,文化の日\r\n"
        "2012/11/23,勤労感謝の日\r\n2012/12/23,天皇誕生日\r\n2012/12/24,振替休日\r\n";
    EXPECT_EQ(testing::TempFolder::read(path), cp932::encode(expected));
}

TEST_F(RuleFiles, HolidayCsvJoinsSeveralNamesAndReportsAFailedSave) {
    rules.setHolidayList({"1,1,元日", R"(1,1,"New Year")"});
    EXPECT_EQ(holidayCsvLines(rules, 2030).front(), R"(2030/01/01,元日,"New Year")");
    temp.write("Data/Dekita", "a file where the folder should be");
    EXPECT_FALSE(writeHolidayCsv("2030", rules, folder(), ui, sleeper));
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].kind, Kind::Error);
    EXPECT_EQ(ui.shown()[0].text,
              "ファイル " + folder() + "Data/Dekita/holiday2030.csv を作成できません。");
}

}  // namespace
}  // namespace velmo
