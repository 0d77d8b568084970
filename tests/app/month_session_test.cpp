#include "app/navigation/month_session.h"

#include <gtest/gtest.h>

#include "calendar/julius_day.h"
#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/folder_reads.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using testing::TempFolder;

class MonthSessionTest : public ::testing::Test {
protected:
    MonthSessionTest() {
        temp.write("Data/Files1/Ca202409.myc", cp932::encode(" 5,1,,会議,,,,,,\r\n"));
        temp.write("Data/Files1/Ca202407.myc", cp932::encode(" 1,1,,七月,,,,,,\r\n"));
        folders = decideDataFolders("", root, 1, folderExistsOnDisk);
        session.startWindow(today);
        session.reloadAll(folders, names, today);
    }

    const std::string& lineOf(int slot, std::size_t index) {
        return view.monthSlots()[slot].lines.at(index);
    }

    TempFolder temp;
    std::string root = temp.path().string() + "/";
    std::int32_t today = ymdToJuliusDay(2024, 9, 10);
    testing::ScriptedUserInterface ui;
    testing::RecordingSleeper sleeper;
    LocalFolderHooks hooks;
    DataKeys names;
    TKvMCalModel view{today};
    MonthSession session{view, {ui, sleeper, hooks, [](const auto&) { return true; }}};
    DataFolders folders;
};

TEST_F(MonthSessionTest, WindowSlotsHoldTheirMonthsAndTheCurrentMonthIsShown) {
    EXPECT_EQ(view.state().CurrentSlot, kCurrentMonthSlot);
    EXPECT_EQ(lineOf(1, 0), " 5,1,,会議,,,,,,");
    // A month without a file holds only its placeholder.
    EXPECT_EQ(lineOf(0, 0), " 0,0,9,2024/ 8 [Data\\Files1\\]");
    EXPECT_EQ(session.tabLabels(),
              (std::vector<std::string>{"８月", "９月", "１０月", "１１月", "１２月"}));
    EXPECT_EQ(session.shownYearMonth(), "202409");
    // The period file was created with its header.
    EXPECT_EQ(view.periods().lines.at(0), "***** FromTo予定 [Data\\Files1\\]");
}

// Four of the window's months have no file: one listing of the data folder answers for
// all of them and the period file, instead of one listing per missing name.
TEST_F(MonthSessionTest, ReloadListsTheDataFolderOnce) {
    session.reloadAll(folders, names, today);  // takes this ten days' period backup
    testing::FolderReads reads(root + "Data/Files1");
    session.reloadAll(folders, names, today);
    EXPECT_EQ(reads.take(), 1);
    EXPECT_EQ(lineOf(1, 0), " 5,1,,会議,,,,,,");
    EXPECT_EQ(lineOf(4, 0), " 0,0,9,2024/12 [Data\\Files1\\]");

    // Nothing is kept from one load to the next: a month written meanwhile is seen.
    temp.write("Data/Files1/CA202412.MYC", cp932::encode("24,1,,聖夜,,,,,,\r\n"));
    session.reloadAll(folders, names, today);
    EXPECT_EQ(lineOf(4, 0), "24,1,,聖夜,,,,,,");
}

TEST_F(MonthSessionTest, MonthBeforeTheWindowIsAFreeMonthAndOutOfReachChangesNothing) {
    ASSERT_TRUE(session.showMonth("202407"));
    EXPECT_TRUE(session.freeMonthMode());
    EXPECT_EQ(view.state().CurrentSlot, kFreeSlot);
    EXPECT_EQ(lineOf(kFreeSlot, 0), " 1,1,,七月,,,,,,");
    EXPECT_EQ(session.tabLabels(), (std::vector<std::string>{"2024. 7", "今月"}));

    EXPECT_FALSE(session.showMonth("000101"));
    EXPECT_EQ(ui.texts().back(), "日付がむかしすぎます。");
    EXPECT_EQ(session.shownYearMonth(), "202407");
    EXPECT_TRUE(session.freeMonthMode());

    // The second tab of free-month mode goes back to the current month.
    session.showTab(1);
    EXPECT_FALSE(session.freeMonthMode());
    EXPECT_EQ(session.shownYearMonth(), "202409");
}

TEST_F(MonthSessionTest, AnEditedFreeMonthIsSavedWhenLeftAndSaveAllWritesTheWindow) {
    ASSERT_TRUE(session.showMonth("202407"));
    view.monthSlots()[kFreeSlot].lines.push_back(" 2,1,,追加,,,,,,");
    ASSERT_TRUE(session.showMonth("202409"));
    EXPECT_EQ(cp932::decode(TempFolder::read(temp / "Data/Files1/Ca202407.myc")),
              " 1,1,,七月,,,,,,\r\n 2,1,,追加,,,,,,\r\n");

    view.monthSlots()[1].lines.push_back("10,1,,新規,,,,,,");
    EXPECT_TRUE(session.saveAll());
    EXPECT_EQ(cp932::decode(TempFolder::read(temp / "Data/Files1/Ca202409.myc")),
              " 5,1,,会議,,,,,,\r\n10,1,,新規,,,,,,\r\n");
    // Months that only hold their placeholder are not written.
    EXPECT_FALSE(std::filesystem::exists(temp / "Data/Files1/Ca202410.myc"));
}

TEST_F(MonthSessionTest, AnUnreadMonthIsReadAgainBeforeItIsEdited) {
    // Something unreadable stands at October's file name.
    std::filesystem::create_directories(temp / "Data/Files1/Ca202410.myc");
    session.reloadAll(folders, names, today);
    EXPECT_TRUE(view.monthSlots()[2].readFailed);
    EXPECT_FALSE(session.rereadIfUnread(2));
    EXPECT_TRUE(session.rereadIfUnread(1));

    std::filesystem::remove(temp / "Data/Files1/Ca202410.myc");
    temp.write("Data/Files1/Ca202410.myc", cp932::encode(" 3,1,,十月,,,,,,\r\n"));
    EXPECT_TRUE(session.rereadIfUnread(2));
    EXPECT_EQ(lineOf(2, 0), " 3,1,,十月,,,,,,");
}

// A start and a close without an edit: months of the window and the period list stay
// byte for byte as they were, however the writer would have spelt them (twin codes,
// LF line ends, bytes after 0x1A), and the records' order on disk survives the sort.
TEST_F(MonthSessionTest, AStartAndACloseWithoutAnEditWriteNothing) {
    const std::string month = std::string(" 5,1,,\xED\x40\x87\x90,,,,,,\n\x1A") + "tail";
    const std::string periods = cp932::encode("***** FromTo予定 [Data\\Files1\\]") + "\n" +
                                "2024, 9,20,M,2024, 9,21,E,2024, 9,20,1,,b,PC,,,,,\n" +
                                "2024, 9, 2,M,2024, 9, 3,E,2024, 9, 2,1,,a,PC,,,,,\n";
    temp.write("Data/Files1/Ca202409.myc", month);
    temp.write("Data/Files1/CaFromTo.myc", periods);
    const std::size_t shownBefore = ui.shown().size();  // the fixture's missing period file
    session.reloadAll(folders, names, today);
    view.relayout();  // sorts the period list
    EXPECT_EQ(view.periods().lines.at(1).substr(0, 10), "2024, 9, 2");

    EXPECT_TRUE(session.saveAll());
    EXPECT_EQ(TempFolder::read(temp / "Data/Files1/Ca202409.myc"), month);
    EXPECT_EQ(TempFolder::read(temp / "Data/Files1/CaFromTo.myc"), periods);
    EXPECT_TRUE(session.unsavedFiles().empty());
    EXPECT_EQ(ui.shown().size(), shownBefore);
}

// The data folder became a file: nothing can be written into it.
TEST_F(MonthSessionTest, AFreeMonthThatCouldNotBeSavedIsNeitherDroppedNorLeftBehind) {
    ASSERT_TRUE(session.showMonth("202407"));
    MonthSlot& free = view.monthSlots()[kFreeSlot];
    writeBackDay(free, kFreeSlot, 2024, 7, 2, {"追加"}, {}, false, hooks);
    view.monthSlots()[1].lines.push_back("10,1,,新規,,,,,,");
    const LineList july = free.lines;
    std::filesystem::rename(temp / "Data/Files1", temp / "Data/Moved");
    temp.write("Data/Files1", "");

    // Another free month would take its slot: the move is refused and says why.
    EXPECT_FALSE(session.showMonth("202406"));
    EXPECT_EQ(session.shownYearMonth(), "202407");
    EXPECT_EQ(free.lines, july);
    EXPECT_EQ(ui.texts().back(),
              "2024年7月の予定を保存できないため、他の月へは移動しません。\r\n"
              "保存先のフォルダやディスクを確認してください。");

    // Back in the window the month stays in its slot: every save tries it again, and
    // until one succeeds it is among the unsaved files, as it would have been written.
    ASSERT_TRUE(session.showMonth("202409"));
    EXPECT_FALSE(session.freeMonthMode());
    EXPECT_FALSE(session.saveAll());
    const std::vector<RescueFile> unsaved = session.unsavedFiles();
    ASSERT_EQ(unsaved.size(), 2u);
    EXPECT_EQ(unsaved[0].name, "Ca202409.myc");
    EXPECT_EQ(unsaved[0].lines, view.monthSlots()[1].lines);
    EXPECT_EQ(unsaved[1].name, "Ca202407.myc");
    EXPECT_EQ(unsaved[1].lines, july);

    std::filesystem::remove(temp / "Data/Files1");
    std::filesystem::rename(temp / "Data/Moved", temp / "Data/Files1");
    EXPECT_TRUE(session.saveAll());
    EXPECT_EQ(cp932::decode(TempFolder::read(temp / "Data/Files1/Ca202407.myc")),
              " 1,1,,七月,,,,,,\r\n 2,1,,追加,,,,,,\r\n");
    EXPECT_TRUE(session.unsavedFiles().empty());
    EXPECT_TRUE(session.showMonth("202406"));
}

TEST_F(MonthSessionTest, AFreeMonthTheUserChoseNotToSaveIsDroppedWhenLeft) {
    ASSERT_TRUE(session.showMonth("202407"));
    MonthSlot& free = view.monthSlots()[kFreeSlot];
    writeBackDay(free, kFreeSlot, 2024, 7, 1, {}, {}, false, hooks);  // its only entry
    ui.answer(false);
    ASSERT_TRUE(session.showMonth("202409"));
    EXPECT_EQ(ui.texts().back(), "2024年7月予定は保存しません。");
    EXPECT_TRUE(session.saveAll());
    EXPECT_EQ(cp932::decode(TempFolder::read(temp / "Data/Files1/Ca202407.myc")),
              " 1,1,,七月,,,,,,\r\n");
    EXPECT_TRUE(session.unsavedFiles().empty());
}

}  // namespace
}  // namespace velmo
