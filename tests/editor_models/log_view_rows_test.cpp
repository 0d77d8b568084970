#include "editor_models/log_view_rows.h"

#include <gtest/gtest.h>

#include "store/cp932.h"
#include "store/start_end_log.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::TempFolder;
using Rows = std::vector<std::string>;

const std::string kTue = "令和6年9月10日(火)";
const std::string kWed = "令和6年9月11日(水)";

Rows build(const LineList& log) {
    ScriptedUserInterface ui;
    std::optional<Rows> rows = buildLogViewRows(log, ui);
    EXPECT_TRUE(rows.has_value());
    EXPECT_TRUE(ui.shown().empty());
    return rows.value_or(Rows{});
}

// The heading and its empty row, then the rows given.
Rows shown(Rows body) {
    body.insert(body.begin(), {logViewHeading(), ""});
    return body;
}

// ... and the heading once more after a run that is still open.
Rows shownOpen(Rows body) {
    body = shown(std::move(body));
    body.insert(body.end(), {"", logViewHeading()});
    return body;
}

TEST(LogViewColumns, MeasuredInCp932Bytes) {
    EXPECT_EQ(logViewHeading(),
              "日付" + std::string(18 + 10, ' ') + "開始時刻" + std::string(12, ' ') + "終了時刻");
    const std::string row = logViewRow(kTue, "9:00:00", "18:00:00");
    EXPECT_EQ(cp932::byteLength(row), 60u);
    EXPECT_EQ(row,
              kTue + "    " + std::string(11, ' ') + "9:00:00" + std::string(12, ' ') + "18:00:00");
    EXPECT_EQ(cp932::byteLength(logViewRow("", "", "不正終了")), 60u);
}

TEST(LogViewRows, OneRowPerRun) {
    // Same day; the title line and unknown lines are skipped.
    EXPECT_EQ(build({kStartEndLogTitle, "S:2024/09/10 9:00:00", "x", "E:2024/09/10 18:00:00"}),
              shown({logViewRow(kTue, "9:00:00", "18:00:00")}));
    // Past midnight: the first day ends with "-", the next day starts with "-".
    EXPECT_EQ(build({"S:2024/09/10 23:00:00", "E:2024/09/11 1:00:00"}),
              shown({logViewRow(kTue, "23:00:00", "-"), logViewRow(kWed, "-", "1:00:00")}));
    // A start with no end before the next start; the second run is on the same date.
    EXPECT_EQ(
        build({"S:2024/09/10 9:00:00", "S:2024/09/10 10:00:00", "E:2024/09/10 18:00:00"}),
        shown({logViewRow(kTue, "9:00:00", "不正終了"), logViewRow("", "10:00:00", "18:00:00")}));
    // An end with no start.
    EXPECT_EQ(build({"E:2024/09/10 18:00:00", "S:2024/09/10 19:00:00", "E:2024/09/10 20:00:00"}),
              shown({logViewRow(kTue, "", "18:00:00"), logViewRow("", "19:00:00", "20:00:00")}));
}

TEST(LogViewRows, RunStillOpenAtTheEnd) {
    EXPECT_EQ(
        build({"S:2024/09/10 9:00:00", "E:2024/09/10 18:00:00", "S:2024/09/11 8:00:00"}),
        shownOpen({logViewRow(kTue, "9:00:00", "18:00:00"), logViewRow(kWed, "8:00:00", "")}));
    EXPECT_EQ(build({}), shown({}));
}

TEST(LogViewRows, LoggingStartedAndStopped) {
    EXPECT_EQ(build({"T:2024/09/10 9:00:00", "E:2024/09/10 18:00:00"}),
              shown({logViewRow(kTue, "記録開始", "18:00:00")}));
    EXPECT_EQ(build({"S:2024/09/10 9:00:00", "T:2024/09/10 10:00:00", "F:2024/09/10 11:00:00"}),
              shown({logViewRow(kTue, "9:00:00", "不明"), logViewRow("", "記録開始", "記録終了")}));
    // A stop with no open run is a row of its own; the next entry does not overwrite it.
    EXPECT_EQ(build({"F:2024/09/10 9:00:00", "E:2024/09/11 18:00:00"}),
              shown({logViewRow(kTue, "", "記録停止"), logViewRow(kWed, "", "18:00:00")}));
    EXPECT_EQ(build({"F:2024/09/10 9:00:00"}), shownOpen({logViewRow(kTue, "", "記録停止")}));
}

TEST(LogViewRows, UnreadableEntry) {
    const LineList log{"S:2024/09/10 9:00:00", "E:someday", "S:2024/09/10 19:00:00"};
    ScriptedUserInterface stop;
    stop.answer(true);
    EXPECT_EQ(buildLogViewRows(log, stop), std::nullopt);
    ASSERT_EQ(stop.shown().size(), 1u);
    EXPECT_EQ(stop.shown()[0].text, "中止しますか？");
    EXPECT_EQ(stop.shown()[0].caption, "確認 -ベルモ-");
    EXPECT_EQ(stop.shown()[0].defaultButton, DefaultButton::Yes);

    // Going on: the entry keeps its place, and the next entry shows its date again.
    ScriptedUserInterface goOn;
    goOn.answer(false);
    EXPECT_EQ(buildLogViewRows(log, goOn),
              shownOpen({logViewRow(kTue, "9:00:00", kUnreadableTimeText),
                         logViewRow(kTue, "19:00:00", "")}));
}

TEST(LogViewRows, ReadFromTheFile) {
    TempFolder folder;
    RecordingSleeper sleeper;
    ScriptedUserInterface ui;
    const auto file = folder.write(
        kStartEndLogFileName,
        cp932::encode(kStartEndLogTitle) + "\r\nS:2024/09/10 9:00:00\r\nE:2024/09/10 18:00:00\r\n");
    EXPECT_EQ(readLogViewRows(file, ui, sleeper), shown({logViewRow(kTue, "9:00:00", "18:00:00")}));
    EXPECT_TRUE(ui.shown().empty());

    const auto missing = folder / "none.myd";
    EXPECT_EQ(readLogViewRows(missing, ui, sleeper), shown({}));
    EXPECT_EQ(ui.texts(), Rows{"[ " + missing.string() + " ]の読込に失敗しました。"});
    EXPECT_EQ(sleeper.pauses().size(), 5u);
    EXPECT_EQ(sleeper.total(), std::chrono::milliseconds(1500));
}

}  // namespace
}  // namespace velmo
