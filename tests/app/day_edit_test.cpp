#include "app/navigation/day_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/line_file.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_locks.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/store_fakes.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using testing::FakeSharedFolder;
using testing::fileBytes;
using testing::RecordingSleeper;
using testing::ScriptedLocks;
using testing::ScriptedUserInterface;
using testing::Steps;
using testing::TempFolder;
using Lines = std::vector<std::string>;

constexpr const char* kPlaceholder = " 0,0,9,2024/12 [Data\\Files1\\]";

class DayEditTest : public ::testing::Test {
protected:
    std::string folder() const { return dir.path().string() + "/"; }
    std::string monthFile() const { return TempFolder::read(dir / "Ca202412.myc"); }
    void writeMonth(const Lines& lines) { dir.write("Ca202412.myc", fileBytes(lines)); }

    DayEditResult edit(LockOperations* locks, const DayLinesEditor& editor,
                       SharedFolderHooks& shared) {
        const MonthFileContext files{folder(), "Data\\Files1\\", ui, sleeper, shared};
        loadSlot(slot, 2, 2024, 12, false, files);
        return editDay({slot, 2, 2024, 12, 10, false}, {files, locks, [this] { ++redraws; }},
                       editor);
    }

    // An editor that records what it was shown and adds one line.
    DayLinesEditor adding(const std::string& text) {
        return [this, text](const DayEditorLines& lines) {
            seen = lines.texts;
            return std::optional(withAddedLine(lines, text, std::nullopt));
        };
    }

    TempFolder dir;
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    MonthSlot slot;
    Steps steps;
    ScriptedLocks locks{steps};
    Lines seen;
    int redraws = 0;
};

TEST_F(DayEditTest, LocallyTheLinesWaitInTheSlotForTheNextSave) {
    writeMonth({kPlaceholder, "10,1,,会議"});
    LocalFolderHooks local;
    const DayEditResult result = edit(nullptr, adding("来客"), local);
    EXPECT_EQ(result.outcome, DayEditOutcome::Stored);
    EXPECT_EQ(seen, (Lines{"会議"}));
    EXPECT_EQ(monthFile(), fileBytes({kPlaceholder, "10,1,,会議"}));  // not written yet
    EXPECT_TRUE(hasUnsavedChange(slot));

    const DayEditResult cancelled = edit(
        nullptr, [](const DayEditorLines&) { return std::optional<DayEditorLines>(); }, local);
    EXPECT_EQ(cancelled.outcome, DayEditOutcome::Cancelled);
    EXPECT_TRUE(steps.empty());
}

TEST_F(DayEditTest, InNetworkModeTheEditSeesAnotherComputersLineAndIsSavedAtOnce) {
    writeMonth({kPlaceholder});
    FakeSharedFolder shared;
    const MonthFileContext files{folder(), "Data\\Files1\\", ui, sleeper, shared};
    loadSlot(slot, 2, 2024, 12, false, files);
    // Another computer adds a line after this one loaded the month.
    writeMonth({kPlaceholder, "10,1,,PC2の予定"});

    const DayEditResult result =
        editDay({slot, 2, 2024, 12, 10, false}, {files, &locks, [this] { ++redraws; }},
                adding("PC1の予定"));
    EXPECT_EQ(result.outcome, DayEditOutcome::Stored);
    EXPECT_EQ(result.protocol, ProtocolOutcome::Done);
    EXPECT_EQ(seen, (Lines{"PC2の予定"}));
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(shared.raised, 1);
    const std::string lock = folder() + "Ca202412.lock";
    EXPECT_EQ(steps, (Steps{"maintenance?", "acquire " + lock, "maintenance?", "acquire " + lock,
                            "maintenance?", "release " + lock}));
    LineList onDisk;
    ASSERT_TRUE(readLineFile(dir / "Ca202412.myc", onDisk, ui, sleeper));
    ASSERT_EQ(onDisk.size(), 3u);
    EXPECT_NE(onDisk[1].find("PC2の予定"), std::string::npos);
    EXPECT_NE(onDisk[2].find("PC1の予定"), std::string::npos);
}

TEST_F(DayEditTest, ARefusedLockLeavesTheFileAndTheEditorAlone) {
    writeMonth({kPlaceholder, "10,1,,会議"});
    FakeSharedFolder shared;
    locks.acquires = {LockOperations::Acquire::HeldByOther};
    bool opened = false;
    const DayEditResult result = edit(
        &locks,
        [&](const DayEditorLines& lines) {
            opened = true;
            return std::optional(lines);
        },
        shared);
    EXPECT_EQ(result.outcome, DayEditOutcome::Refused);
    EXPECT_EQ(result.protocol, ProtocolOutcome::HeldByOther);
    EXPECT_FALSE(opened);
    EXPECT_EQ(shared.raised, 0);
    EXPECT_EQ(monthFile(), fileBytes({kPlaceholder, "10,1,,会議"}));
}

TEST_F(DayEditTest, AMonthThatLostHalfItsLinesUnderTheLockIsPointedOut) {
    writeMonth({kPlaceholder, "3,1,,a", "4,1,,b", "5,1,,c", "6,1,,d"});
    FakeSharedFolder shared;
    const MonthFileContext files{folder(), "Data\\Files1\\", ui, sleeper, shared};
    loadSlot(slot, 2, 2024, 12, false, files);
    writeMonth({kPlaceholder});
    editDay({slot, 2, 2024, 12, 10, false}, {files, &locks, {}}, adding("x"));
    EXPECT_EQ(ui.texts(), Lines{"データ行数が、[4]行少なくなっています（元の半分以下）。\r\n"
                                "ご注意下さい。\r\n（どなたかがデータを削除されているのであれば、"
                                "問題はありません。）"});
}

TEST(DayEditLines, AnAddedLineTakesTheEmptyLineOfADayWithoutEntries) {
    DayEditorLines empty{{""}, {DayLineRecord{}}};
    const DayEditorLines one = withAddedLine(empty, "会議", 0x0000FF);
    EXPECT_EQ(one.texts, (Lines{"会議"}));
    ASSERT_EQ(one.records.size(), 1u);
    EXPECT_EQ(one.records[0].attr.color, Colour{0x0000FF});
    const DayEditorLines two = withAddedLine(one, "", std::nullopt);
    EXPECT_EQ(two.texts, (Lines{"会議", ""}));
    EXPECT_EQ(two.records.size(), 2u);
}

}  // namespace
}  // namespace velmo
