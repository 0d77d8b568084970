#include "store/month_file.h"

#include <gtest/gtest.h>

#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/store_fakes.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using testing::FakeSharedFolder;
using testing::fileBytes;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::ShownBox;
using testing::TempFolder;
using Texts = std::vector<std::string>;

constexpr const char* kPlaceholder = " 0,0,9,2024/ 3 [Data\\Files1\\]";
const std::string kHalfQuestion =
    "2024年3月予定が立ち上げ時の半分以下、または０になっています。\r\nこの月を保存してもいい"
    "ですか。\r\n（※大量に予定を削除した月以外は、「いいえ」（保存しない）にしてください。）";
const std::string kHalfConfirm = "本当に予定を大量に削除しましたか？";
const std::string kEmptyQuestion =
    "2024年3月予定が全く有りませんが、\r\nこの月を保存してもいいですか。\r\n（※予定を全削除"
    "した月以外は、「いいえ」（保存しない）にしてください。）";
const std::string kEmptyConfirm = "本当にこのまま 2024年3月予定をない状態にしてもいいですか？";
const std::string kNotSaved = "2024年3月予定は保存しません。";

std::string failureText(const std::string& code) {
    return "2024年3月のデータを書き損ねたおそれがあります(" + code + ")。\r\nチェック願います。";
}

// CP932 bytes of UTF-8 lines, each ended by CR LF.
// The placeholder followed by entries for days 1 .. count-1.
LineList entries(int count) {
    LineList lines{kPlaceholder};
    for (int day = 1; day < count; ++day)
        lines.push_back(formatEntryLine(day, 1, "予定", DayLineAttr{}));
    return lines;
}

class MonthFileTest : public ::testing::Test {
protected:
    fs::path file() const { return dir / "Ca202403.myc"; }
    void writeFile(const LineList& lines) const { dir.write("Ca202403.myc", fileBytes(lines)); }
    std::string content() const { return TempFolder::read(file()); }
    MonthFileContext contextWith(UserInterface& u, SharedFolderHooks& hooks) {
        return {dir.path().string() + "/", "Data\\Files1\\", u, sleeper, hooks};
    }
    MonthSlot load() {
        MonthSlot slot;
        EXPECT_TRUE(loadSlot(slot, 1, 2024, 3, false, context));
        return slot;
    }

    TempFolder dir;
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    LocalFolderHooks local;
    MonthFileContext context = contextWith(ui, local);
};

TEST(MonthFileNames, FileNameAndPlaceholderArePaddedLikePrintf) {
    EXPECT_EQ(monthFileName(2024, 3), "Ca202403.myc");
    EXPECT_EQ(monthFileName(987, 12), "Ca098712.myc");
    // "%4.d/%2.d": width 4 and 2 padded with spaces; precision 0 prints nothing for 0.
    EXPECT_EQ(placeholderLine(2024, 3, "Data\\Files1\\"), kPlaceholder);
    EXPECT_EQ(placeholderLine(2024, 12, "Data\\Files2\\"), " 0,0,9,2024/12 [Data\\Files2\\]");
    EXPECT_EQ(placeholderLine(987, 1, ""), " 0,0,9, 987/ 1 []");
    EXPECT_EQ(placeholderLine(0, 0, "x"), " 0,0,9,    /   [x]");
}

// A month file written by hand with every field form loads, survives an edit of one day
// with every other byte unchanged, and is saved in CP932 with CR LF.
TEST_F(MonthFileTest, HandWrittenFileSurvivesAnEditOfOneDay) {
    const LineList untouched{kPlaceholder,
                             " 1,1,,会議，本社,clRed,,,,,",
                             "10,1,,五つ以下",
                             "12,1,,時刻あり,,,8:00,,-2,",
                             "77,1,,月メモ，一行目,,,,,,",
                             "31,1,,月末,$00FF8000,1,,200,,"};
    LineList original = untouched;
    original.insert(original.begin() + 2,
                    {" 5,1,,歯医者,$000080FF,5,12:30:00,3,70000,", " 5,2,,買い物,1,,,,,",
                     " 5,3,,古い形式,clBlue", " 5,4,,色番号,255,,9:05,,,"});
    writeFile(original);
    MonthSlot slot = load();
    EXPECT_EQ(slot.lines, original);
    EXPECT_EQ(slot.loadedCount, 10);

    DayLines day = readDayLines(slot, 5);
    EXPECT_EQ(day.texts, (Texts{"歯医者", "買い物", "古い形式", "色番号"}));
    EXPECT_EQ(day.attrs,
              (std::vector<DayLineAttr>{
                  {0x000080FF, 5, "12:30:00", 3, 70000}, {}, {}, {0x0000FF, 0, "9:05", 0, 0}}));
    day.texts[0] = "歯医者,予約";
    const WriteBackResult result =
        writeBackDay(slot, 1, 2024, 3, 5, day.texts, day.attrs, false, local);
    EXPECT_FALSE(result.freeMonthChanged || result.saveNow);
    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, context), SaveOutcome::Written);

    LineList expected = untouched;
    expected.insert(expected.end(),
                    {" 5,1,,歯医者，予約,$000080FF,5,12:30:00,3,70000,", " 5,2,,買い物,,,,,,",
                     " 5,3,,古い形式,,,,,,", " 5,4,,色番号,clRed,,9:05,,,"});
    EXPECT_EQ(content(), fileBytes(expected));
    EXPECT_NE(content().find("\r\n 1,1,,\x89\xef\x8b\x63\x81\x43\x96\x7b\x8e\xd0,clRed,,,,,\r\n"),
              std::string::npos);
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(MonthFileTest, MissingFileGivesThePlaceholderAndSavingItWritesNothing) {
    MonthSlot slot = load();
    EXPECT_EQ(slot.lines, LineList{kPlaceholder});
    EXPECT_EQ(slot.loadedCount, 1);
    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, context), SaveOutcome::NothingToWrite);
    EXPECT_FALSE(fs::exists(file()));

    // A filled slot is read again only when forced; kept, it keeps its baseline.
    slot.lines = {" 2,1,,a", " 2,2,,b"};
    writeFile({" 3,1,,other"});
    EXPECT_TRUE(loadSlot(slot, 1, 2024, 3, false, context));
    EXPECT_EQ(slot.lines, (LineList{" 2,1,,a", " 2,2,,b"}));
    EXPECT_EQ(slot.loadedCount, 1);
    EXPECT_TRUE(loadSlot(slot, 1, 2024, 3, true, context));
    EXPECT_EQ(slot.lines, LineList{" 3,1,,other"});
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(MonthFileTest, ShrinkGuardAsksWithExactTextsAndNoPreselected) {
    struct Case {
        int loaded, kept;
        std::vector<bool> answers;
        Texts texts;
        SaveOutcome outcome;
    };
    const Case cases[] = {
        {10, 4, {false}, {kHalfQuestion, kNotSaved}, SaveOutcome::Declined},
        {10, 4, {true, false}, {kHalfQuestion, kHalfConfirm, kNotSaved}, SaveOutcome::Declined},
        {10, 4, {true, true}, {kHalfQuestion, kHalfConfirm}, SaveOutcome::Written},
        {3, 1, {false}, {kEmptyQuestion}, SaveOutcome::Declined},
        {3, 1, {true, false}, {kEmptyQuestion, kEmptyConfirm, kNotSaved}, SaveOutcome::Declined},
        {3, 1, {true, true}, {kEmptyQuestion, kEmptyConfirm}, SaveOutcome::Written},
        {3, 2, {}, {}, SaveOutcome::Written},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.texts));
        ScriptedUserInterface answers;
        writeFile(entries(c.loaded));
        const std::string before = content();
        MonthSlot slot = load();
        slot.lines.resize(static_cast<std::size_t>(c.kept));
        for (bool yes : c.answers)
            answers.answer(yes);

        EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, contextWith(answers, local)), c.outcome);
        EXPECT_EQ(answers.texts(), c.texts);
        for (const ShownBox& box : answers.shown()) {
            if (box.kind == ShownBox::Kind::Question) {
                EXPECT_EQ(box.defaultButton, DefaultButton::No);
                EXPECT_EQ(box.caption, "確認");
            }
        }
        EXPECT_EQ(content(), c.outcome == SaveOutcome::Written ? fileBytes(slot.lines) : before);
    }
}

TEST_F(MonthFileTest, ASingleRealEntryIsAnOrdinaryMonth) {
    writeFile({" 1,1,,a", " 2,1,,b", " 3,1,,c"});
    MonthSlot slot = load();
    slot.lines.resize(1);
    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, context), SaveOutcome::Written);
    EXPECT_EQ(content(), " 1,1,,a\r\n");
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(MonthFileTest, EditorRoundTripOfCommasColourOneAndCarriedValues) {
    writeFile({kPlaceholder, " 4,1,,A，B,1,,,,,", "14,1,,b", " 4,2,,x,clTeal,5,12:30:00,3,70000,",
               "77,1,,m,clRed,,,,,"});
    MonthSlot slot = load();
    DayLines day = readDayLines(slot, 4);
    EXPECT_EQ(day.texts, (Texts{"A,B", "x"}));
    day.texts[1] = "y，z";  // typed full-width: stored the same way, shown as ","
    day.texts.push_back("");
    writeBackDay(slot, 1, 2024, 3, 4, day.texts, day.attrs, false, local);
    EXPECT_EQ(slot.lines,
              (LineList{kPlaceholder, "14,1,,b", "77,1,,m,clRed,,,,,", " 4,1,,A，B,,,,,,",
                        " 4,2,,y，z,clTeal,5,12:30:00,3,70000,", " 4,3,,,,,,,,"}));
    EXPECT_EQ(readDayLines(slot, 4).texts, (Texts{"A,B", "y,z", ""}));
    // Memo lines open with default records; an empty day as one empty line.
    EXPECT_EQ(readDayLines(slot, kMonthMemoDay).attrs, std::vector<DayLineAttr>(1));
    EXPECT_EQ(readDayLines(slot, 20).texts, Texts{""});

    // Another month's day stays unless the month memo is on.
    writeBackDay(slot, 1, 2024, 4, 14, {"new"}, {}, false, local);
    EXPECT_EQ(readDayLines(slot, 14).texts, (Texts{"b", "new"}));
    writeBackDay(slot, 1, 2024, 4, 14, {"memo on"}, {}, true, local);
    EXPECT_EQ(readDayLines(slot, 14).texts, Texts{"memo on"});

    FakeSharedFolder network;
    const WriteBackResult free =
        writeBackDay(slot, kFreeMonthSlot, 2024, 3, 1, {}, {}, false, network);
    EXPECT_TRUE(free.freeMonthChanged && free.saveNow);
}

TEST_F(MonthFileTest, WriteFailuresAndCounterFailuresNameTheirCode) {
    struct Case {
        int loaded, kept;
        bool network;
        std::string code;
        bool shrinkQuestions;  // kept half or less: both shrink-guard questions, answered Yes
    };
    for (const Case& c : {Case{4, 3, false, "fs05", false}, Case{10, 2, false, "fs01", true},
                          Case{3, 1, false, "fs03", true}, Case{4, 3, true, "fs06", false},
                          Case{10, 2, true, "fs02", true}, Case{3, 1, true, "fs04", true}}) {
        SCOPED_TRACE(c.code);
        ScriptedUserInterface answers;
        RecordingSleeper pauses;
        FakeSharedFolder network;
        network.counterWorks = false;
        SharedFolderHooks& hooks = c.network ? static_cast<SharedFolderHooks&>(network) : local;
        // Local cases write into a folder that is gone; network ones write but miss the counter.
        const std::string folder = dir.path().string() + (c.network ? "/" : "/gone/");
        MonthSlot slot{2024, 3, entries(c.loaded), c.loaded, false, {}};
        slot.lines.resize(static_cast<std::size_t>(c.kept));
        if (c.shrinkQuestions) {
            answers.answer(true);
            answers.answer(true);
        }

        const SaveOutcome outcome =
            saveSlot(slot, SaveRequest::Edit, {folder, "Data\\Files1\\", answers, pauses, hooks});
        EXPECT_EQ(outcome, c.network ? SaveOutcome::Written : SaveOutcome::WriteFailed);
        EXPECT_EQ(answers.texts().back(), failureText(c.code));
        EXPECT_EQ(pauses.pauses().size(), c.network ? 0u : 10u);
        EXPECT_EQ(pauses.total(), milliseconds(c.network ? 0 : 3000));
    }
}

// A month file made read-only is not replaced; the user hears of a failed write.
TEST_F(MonthFileTest, ReadOnlyFileIsReportedAsAFailedWrite) {
    writeFile(entries(4));
    fs::permissions(file(), fs::perms::owner_read | fs::perms::group_read);
    MonthSlot slot = load();
    slot.lines.push_back(formatEntryLine(9, 1, "追加", DayLineAttr{}));
    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, context), SaveOutcome::WriteFailed);
    EXPECT_EQ(ui.texts(), Texts{failureText("fs05")});
    EXPECT_EQ(content(), fileBytes(entries(4)));
    EXPECT_EQ(sleeper.total(), milliseconds(3000));
}

TEST_F(MonthFileTest, NetworkModeWritesOnlyForAnEdit) {
    FakeSharedFolder network;
    writeFile(entries(3));
    MonthSlot slot = load();
    slot.lines.push_back(" 9,1,,new");
    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, contextWith(ui, network)), SaveOutcome::Skipped);
    EXPECT_EQ(content(), fileBytes(entries(3)));
    EXPECT_EQ(saveSlot(slot, SaveRequest::Edit, contextWith(ui, network)), SaveOutcome::Written);
    EXPECT_EQ(content(), fileBytes(slot.lines));
    EXPECT_EQ(network.raised, 1);
    EXPECT_TRUE(ui.shown().empty());
}

// The file is there but cannot be read (a folder stands in its place).
TEST_F(MonthFileTest, AMonthThatCouldNotBeReadIsNeverWrittenOver) {
    fs::create_directory(file());
    MonthSlot slot{2024, 3, entries(8), 8, false, {}};
    EXPECT_FALSE(loadSlot(slot, 2, 2024, 3, true, context));
    EXPECT_EQ(ui.texts(), Texts{"予定データ読込エラー[ 2 ]"});
    EXPECT_EQ(sleeper.pauses(), std::vector<milliseconds>(5, milliseconds(500)));
    EXPECT_TRUE(slot.readFailed);
    EXPECT_EQ(slot.lines, LineList{kPlaceholder});
    EXPECT_EQ(slot.loadedCount, 1);
    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, context), SaveOutcome::NothingToWrite);

    // An edit of it is refused with a reason, without shrink-guard questions.
    writeBackDay(slot, 2, 2024, 3, 6, {"new"}, {}, false, local);
    EXPECT_EQ(saveSlot(slot, SaveRequest::Edit, context), SaveOutcome::NotRead);
    EXPECT_EQ(ui.texts().back(),
              "2024年3月予定は、ファイルを読み込めなかったため保存しません。\r\n"
              "（読み込めなかったファイルを、空の予定で上書きしないためです。）\r\n"
              "ファイルを確認してから、この月を読み直してください。");
    EXPECT_EQ(ui.shown().size(), 2u);

    // Once the file reads, even an unforced load takes it, and saving works again.
    fs::remove(file());
    writeFile(entries(3));
    EXPECT_TRUE(loadSlot(slot, 2, 2024, 3, false, context));
    EXPECT_FALSE(slot.readFailed);
    slot.lines.push_back(" 6,1,,new");
    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, context), SaveOutcome::Written);
    EXPECT_EQ(content(), fileBytes(slot.lines));
}

// Reading and writing back an unedited file would change it: the other code of a CP932
// twin (ED40 is written FA5C, 8790 as 81E0), CR LF for LF, nothing after 0x1A. Only a
// slot whose lines differ from its file is written.
TEST_F(MonthFileTest, AnUntouchedMonthKeepsEveryByte) {
    const std::string bytes = std::string(" 5,1,,\xED\x40\x87\x90,,,,,,\n") + "12,1,," +
                              cp932::encode("会議") + ",,,,,,\r\n\x1A" + "after the end";
    dir.write("Ca202403.myc", bytes);
    MonthSlot slot = load();
    EXPECT_FALSE(hasUnsavedChange(slot));
    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, context), SaveOutcome::Unchanged);
    EXPECT_EQ(saveSlot(slot, SaveRequest::Edit, context), SaveOutcome::Unchanged);
    EXPECT_EQ(content(), bytes);

    // An edit taken back in the editor is no change either.
    const LineList loaded = slot.lines;
    writeBackDay(slot, 1, 2024, 3, 12, {"会議", "追加"}, {}, false, local);
    EXPECT_TRUE(hasUnsavedChange(slot));
    writeBackDay(slot, 1, 2024, 3, 12, {"会議"}, {}, false, local);
    EXPECT_EQ(slot.lines, loaded);
    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, context), SaveOutcome::Unchanged);
    EXPECT_EQ(content(), bytes);

    // A real edit is written, twins in the code Windows writes.
    writeBackDay(slot, 1, 2024, 3, 20, {"出張"}, {}, false, local);
    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, context), SaveOutcome::Written);
    EXPECT_EQ(content(), fileBytes(slot.lines));
    EXPECT_NE(content().find("\xFA\x5C\x81\xE0"), std::string::npos);
    // From then on the written lines are what the file holds.
    EXPECT_FALSE(hasUnsavedChange(slot));
    dir.write("Ca202403.myc", "elsewhere");
    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, context), SaveOutcome::Unchanged);
    EXPECT_EQ(content(), "elsewhere");
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(MonthFileTest, AFailedWriteStaysUnsavedUntilAWriteSucceeds) {
    writeFile(entries(3));
    MonthSlot slot = load();
    writeBackDay(slot, 1, 2024, 3, 9, {"新規"}, {}, false, local);
    ScriptedUserInterface answers;
    const MonthFileContext gone{dir.path().string() + "/gone/", "Data\\Files1\\", answers, sleeper,
                                local};
    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, gone), SaveOutcome::WriteFailed);
    EXPECT_TRUE(hasUnsavedChange(slot));
    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, gone), SaveOutcome::WriteFailed);
    EXPECT_EQ(answers.texts(), Texts(2, failureText("fs05")));

    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, context), SaveOutcome::Written);
    EXPECT_EQ(content(), fileBytes(slot.lines));
    EXPECT_FALSE(hasUnsavedChange(slot));
}

// Unsaved means a save would have something to write, whatever the questions answer.
TEST_F(MonthFileTest, WhatCountsAsUnsaved) {
    MonthSlot missing = load();  // no file: the placeholder alone is never written
    EXPECT_FALSE(hasUnsavedChange(missing));
    EXPECT_FALSE(hasUnsavedChange(MonthSlot{}));
    writeBackDay(missing, 1, 2024, 3, 4, {"a"}, {}, false, local);
    EXPECT_TRUE(hasUnsavedChange(missing));

    // Every entry removed from a month that had some: the questions would follow.
    writeFile({kPlaceholder, " 4,1,,a"});
    MonthSlot emptied = load();
    writeBackDay(emptied, 1, 2024, 3, 4, {}, {}, false, local);
    EXPECT_EQ(emptied.lines, LineList{kPlaceholder});
    EXPECT_TRUE(hasUnsavedChange(emptied));

    // A file that could not be read counts once something was added.
    fs::remove(file());
    fs::create_directory(file());
    MonthSlot unread;
    EXPECT_FALSE(loadSlot(unread, 1, 2024, 3, false, context));
    EXPECT_FALSE(hasUnsavedChange(unread));
    writeBackDay(unread, 1, 2024, 3, 4, {"a"}, {}, false, local);
    EXPECT_TRUE(hasUnsavedChange(unread));
}

TEST(MonthFileFolders, CreatesTheDataSetFoldersAndNamesTheOneThatFailed) {
    TempFolder dir;
    ScriptedUserInterface ui;
    EXPECT_TRUE(createDataSetFolders((dir / "root").string(), true, ui));
    for (const char* name : {"root/Data/Files1", "root/Data/Files2", "root/Data/Files3"})
        EXPECT_TRUE(fs::is_directory(dir / name)) << name;
    EXPECT_TRUE(ui.shown().empty());

    // A plain file where a folder should go stops the creation there.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"a/file/root", "a/file", "運用フォルダが作成できません。\r\n中止します。"},
        {"b", "b/Data", "メインデータフォルダが作成できません。\r\n中止します。"},
        {"c", "c/Data/Files2", "サブデータフォルダが作成できません。\r\n中止します。"},
        {"d", "d/Data/Files3", "Files3フォルダが作成できません。\r\n中止します。"},
    };
    for (const auto& [root, obstacle, message] : cases) {
        dir.write(obstacle, "");
        ScriptedUserInterface reporting, silent;
        EXPECT_FALSE(createDataSetFolders((dir / root).string(), true, reporting));
        EXPECT_EQ(reporting.texts(), Texts{message});
        EXPECT_FALSE(createDataSetFolders((dir / root).string(), false, silent));
        EXPECT_TRUE(silent.shown().empty());
    }
}

}  // namespace
}  // namespace velmo
