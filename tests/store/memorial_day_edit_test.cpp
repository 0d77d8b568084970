#include "store/memorial_day_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/julius_day.h"
#include "store/cp932.h"
#include "store/rule_file.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using Lines = std::vector<std::string>;

// Answers the memorial-day page with a scripted answer and keeps what it was shown.
class ScriptedDialog final : public MemorialDayDialog {
public:
    explicit ScriptedDialog(MemorialDayAnswer answer) : answer_(std::move(answer)) {}
    MemorialDayAnswer run(const MemorialDayRequest& request) override {
        requests.push_back(request);
        return answer_;
    }
    std::vector<MemorialDayRequest> requests;

private:
    MemorialDayAnswer answer_;
};

class MemorialDayEdit : public ::testing::Test {
protected:
    MemorialDayEditOutcome edit(int year, int month, int day, MemorialDayAnswer answer) {
        dialog = ScriptedDialog(std::move(answer));
        return editMemorialDay(rules, ymdToJuliusDay(year, month, day), dialog, folder(), ui,
                               sleeper);
    }
    std::string folder() const { return temp.path().string() + "/"; }
    std::string fileText() const { return testing::TempFolder::read(temp / "Sday.myc"); }

    testing::TempFolder temp;
    testing::ScriptedUserInterface ui;
    testing::RecordingSleeper sleeper;
    DayRules rules;
    ScriptedDialog dialog{{}};
};

TEST(MemorialDayLines, FindOnlySevenFieldLinesByNumber) {
    const Lines lines{"3,5,x,y",            // 4 fields: the third and fourth look right
                      "1,2,3,5,,,z,extra",  // 8 fields
                      "a,b,x3,5,,,non-number", ",,03,5,,,雛祭り翌々日", "2000,2010,3,5,,,later"};
    EXPECT_EQ(findMemorialDay(lines, 3, 5), (MemorialDayEntry{3, 0, 0, "雛祭り翌々日"}));
    EXPECT_EQ(findMemorialDay({"1990,x,12,24,,,イブ"}, 12, 24),
              (MemorialDayEntry{0, 1990, 0, "イブ"}));
    EXPECT_EQ(findMemorialDay(lines, 3, 6), MemorialDayEntry{});
}

TEST(MemorialDayLines, NamesForEditingAndStorage) {
    EXPECT_EQ(memorialNameForEditing("1，000円　の日，2，3"), "1,000円 の日，2，3");
    EXPECT_EQ(memorialNameForEditing("a，1"), "a，1");
    EXPECT_EQ(memorialNameForStorage("a b,c\td\r\ne\x1A"), "a　b，c　d　　e　");
    EXPECT_EQ(memorialNameForStorage("\"引用\" の日"), "＂引用\"　の日");
    EXPECT_EQ(cp932::firstUnencodable("＂"), std::nullopt);
}

TEST(MemorialDayLines, YearBoxesHoldIntegersOrNothing) {
    for (const char* good : {"", "  ", "2000", " 1990 ", "-5", "+7", "2147483647"})
        EXPECT_TRUE(isMemorialYearText(good)) << good;
    for (const char* bad :
         {"20x0", "2000.5", "２０００", "99999999999", "-2147483648", "1 2", "1,2"})
        EXPECT_FALSE(isMemorialYearText(bad)) << bad;
    EXPECT_EQ(memorialInputProblem("", "20x0", "x"), kMemorialYearRefusal);
    EXPECT_EQ(memorialInputProblem("", "", "笑顔😀"),
              "記念日名に保存できない文字 U+1F600 (😀) があります。");
    EXPECT_EQ(memorialInputProblem("1990", "", "普通の名前"), "");
}

TEST_F(MemorialDayEdit, RegistersANewDayWithSpaceAndComma) {
    // 2024-03-05 is a Tuesday.
    EXPECT_EQ(edit(2024, 3, 5, {true, "Tea time, again", "", ""}), MemorialDayEditOutcome::Saved);
    ASSERT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(dialog.requests[0].name, "");
    EXPECT_EQ(dialog.requests[0].weekday, 3);
    EXPECT_EQ(dialog.requests[0].weekdayLabel, "（ 火曜日 ）");
    EXPECT_EQ(dialog.requests[0].dateLabel, "2024年3月5日");
    EXPECT_EQ(rules.specialDayList(), Lines{",,3,5,,,Tea　time，　again"});
    EXPECT_EQ(fileText(), cp932::encode(",,3,5,,,Tea　time，　again\r\n"));
    EXPECT_EQ(rules.dayNames(2030, 3, 5), (DayNameList{"Tea　time，　again", "S"}));
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(MemorialDayEdit, EditsReplaceDeleteOrLeaveTheLine) {
    rules.setSpecialDayList({"1990,,5,1,,,1，000日目　記念", "2,14,バレンタイン"});
    EXPECT_EQ(edit(2024, 5, 1, {true, "新しい名前", " 1995 ", "2030"}),
              MemorialDayEditOutcome::Saved);
    EXPECT_EQ(dialog.requests[0].name, "1,000日目 記念");
    EXPECT_EQ(dialog.requests[0].fromYearText, "1990");
    EXPECT_EQ(dialog.requests[0].toYearText, "");
    EXPECT_EQ(rules.specialDayList(), (Lines{"2,14,バレンタイン", "1995,2030,5,1,,,新しい名前"}));

    // Cancelled with the boxes as they were: nothing happens, nothing is written.
    std::filesystem::remove(temp / "Sday.myc");
    EXPECT_EQ(edit(2024, 5, 1, {false, "ignored", "1995", "2030"}),
              MemorialDayEditOutcome::Unchanged);
    EXPECT_FALSE(std::filesystem::exists(temp / "Sday.myc"));

    // A year box changed counts as a change even without confirming.
    EXPECT_EQ(edit(2024, 5, 1, {false, "新しい名前", "1995", ""}), MemorialDayEditOutcome::Saved);
    EXPECT_EQ(rules.specialDayList().back(), "1995,,5,1,,,新しい名前");

    // A cleared name deletes the day, whatever the year boxes hold.
    EXPECT_EQ(edit(2024, 5, 1, {true, " 　 ", "junk", ""}), MemorialDayEditOutcome::Saved);
    EXPECT_EQ(rules.specialDayList(), Lines{"2,14,バレンタイン"});
    EXPECT_EQ(fileText(), cp932::encode("2,14,バレンタイン\r\n"));
}

TEST_F(MemorialDayEdit, RefusedInputChangesNothing) {
    rules.setSpecialDayList({",,6,1,,,元の名前"});
    EXPECT_EQ(edit(2024, 6, 1, {true, "名前", "2O24", ""}), MemorialDayEditOutcome::Refused);
    EXPECT_EQ(ui.texts(), Lines{kMemorialYearRefusal});
    EXPECT_EQ(ui.shown()[0].caption, "確認 -ベルモ-");
    EXPECT_EQ(edit(2024, 6, 1, {true, "😀", "", ""}), MemorialDayEditOutcome::Refused);
    EXPECT_EQ(rules.specialDayList(), Lines{",,6,1,,,元の名前"});
    EXPECT_FALSE(std::filesystem::exists(temp / "Sday.myc"));
}

TEST_F(MemorialDayEdit, AwkwardNamesNeverHideLaterDays) {
    rules.setSpecialDayList({"12,31,大晦日"});
    for (const char* name :
         {"\"quoted\" start", "tab\there", "line\nbreak", "end mark\x1A!", "a, b, c"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(edit(2024, 1, 10, {true, name, "", ""}), MemorialDayEditOutcome::Saved);
        DayRules reread;
        loadSpecialDayRules(reread, temp / "Sday.myc", ui, sleeper);
        EXPECT_TRUE(reread.specialDayBuild().clean());
        EXPECT_EQ(reread.specialDayList().size(), 2u);
        EXPECT_EQ(reread.dayNames(2024, 12, 31).names, "大晦日");
        EXPECT_EQ(reread.specialDayBuild().rules.back().name, memorialNameForStorage(name));
    }
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(MemorialDayEdit, AFailedWriteKeepsTheChangeInMemory) {
    std::filesystem::create_directory(temp / "Sday.myc");
    EXPECT_EQ(edit(2024, 7, 7, {true, "七夕", "", ""}), MemorialDayEditOutcome::WriteFailed);
    EXPECT_EQ(ui.texts(), Lines{"[ " + folder() + "Sday.myc ]の書込に失敗しました。"});
    EXPECT_EQ(sleeper.pauses().size(), 5u);
    EXPECT_EQ(rules.dayNames(2024, 7, 7).names, "七夕");
}

// ---------------------------------------------------------------------------------------
// The setup window's grid

TEST(MemorialGridRead, ShowsEveryFormAsSevenCells) {
    const MemorialGrid grid =
        readMemorialGrid({"2000,,1,,2,2,成人", "12,24,イブ", "", "2010,0,8,1,夏", "7,x,y", "a,b"});
    ASSERT_EQ(grid.rows.size(), 3u);
    EXPECT_EQ(grid.rows[0], (MemorialGridRow{"2000", "", "1", "", "月曜日", "2", "成人"}));
    EXPECT_EQ(grid.rows[1], (MemorialGridRow{"", "", "12", "24", "", "", "イブ"}));
    EXPECT_EQ(grid.rows[2], (MemorialGridRow{"2010", "2010", "8", "1", "", "", "夏"}));
    EXPECT_EQ(grid.unreadLines, (Lines{"7,x,y", "a,b"}));
}

TEST(MemorialGridWrite, RowsBecomeSevenFieldLines) {
    const MemorialGridLines written = memorialGridLines({
        {" 2000 ", "", "1", "", "月曜日", "2", "成人 式"},
        {"", "", "3", "3", "", "", "  "},  // blank name: dropped
        {"", "", "12", "33", "土曜日", "", "\"年末\""},
    });
    EXPECT_EQ(written.problem, "");
    EXPECT_EQ(written.lines, (Lines{"2000,,1,,2,2,成人　式", ",,12,33,7,,＂年末\""}));
    EXPECT_TRUE(buildRuleList(written.lines).clean());
}

TEST(MemorialGridWrite, RefusesCellsThatWouldBreakTheFile) {
    struct Bad {
        MemorialGridRow row;
        std::string problem;
    };
    const Bad bad[] = {
        {{"x", "", "", "", "", "", "n"}, "2行目の「年１～」が正しくありません。"},
        {{"", "", "13", "", "", "", "n"}, "2行目の「月」が正しくありません。"},
        {{"", "", "", "32", "", "", "n"}, "2行目の「日」が正しくありません。"},
        {{"", "", "", "", "月", "", "n"}, "2行目の「曜日」が正しくありません。"},
        {{"", "", "", "", "", "6", "n"}, "2行目の「何週」が正しくありません。"},
        {{"", "", "", "", "", "", "😀"},
         "2行目の「記念日等」に保存できない文字 U+1F600 (😀) があります。"},
    };
    for (const Bad& b : bad) {
        const MemorialGridLines written =
            memorialGridLines({{"", "", "1", "1", "", "", "ok"}, b.row});
        EXPECT_EQ(written.problem, b.problem);
        EXPECT_TRUE(written.lines.empty());
    }
}

TEST(MemorialGridWrite, WritesOnceAndReloads) {
    testing::TempFolder temp;
    testing::ScriptedUserInterface ui;
    testing::RecordingSleeper sleeper;
    const std::string folder = temp.path().string() + "/";
    ASSERT_TRUE(writeMemorialGrid({{"", "", "2", "3", "", "", "節分"}}, folder, ui, sleeper));
    EXPECT_EQ(testing::TempFolder::read(temp / "Sday.myc"), cp932::encode(",,2,3,,,節分\r\n"));
    DayRules rules;
    reloadSpecialDays(rules, folder, ui, sleeper);
    EXPECT_EQ(rules.dayNames(2025, 2, 3).names, "節分");
    EXPECT_TRUE(ui.shown().empty());

    EXPECT_FALSE(writeMemorialGrid({{"", "", "99", "", "", "", "x"}}, folder, ui, sleeper));
    EXPECT_EQ(ui.texts().back(), "1行目の「月」が正しくありません。");

    temp.write("Sday.myc", cp932::encode("2,3,節分\r\n2,x,bad\r\n"));
    reloadSpecialDays(rules, folder, ui, sleeper);
    EXPECT_EQ(ui.texts().back(), "スペシャルDayファイル読込ミス\r\n処理は続けます。");
    EXPECT_EQ(ui.shown().back().caption, "確認 -ベルモ-");
    EXPECT_EQ(rules.dayNames(2025, 2, 3).names, "節分");

    std::filesystem::remove(temp / "Sday.myc");
    std::filesystem::create_directory(temp / "Sday.myc");
    EXPECT_FALSE(writeMemorialGrid({{"", "", "2", "3", "", "", "節分"}}, folder, ui, sleeper));
    EXPECT_EQ(ui.texts().back(), "[ " + folder + "Sday.myc ]の書込に失敗しました。");
    EXPECT_LE(sleeper.pauses().size(), 1u);
}

}  // namespace
}  // namespace velmo
