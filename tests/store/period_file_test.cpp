#include "store/period_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "backup/period_backups.h"
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

const std::string kHeader = "***** FromTo予定 [Data\\Files1\\]";

std::string record(int day, std::string_view summary = "予定", std::string_view owner = "PC-01") {
    PeriodRecord r;
    r.start = {2024, 9, day};
    r.end = {2024, 9, day + 1};
    r.summaryDate = r.start;
    r.setColour(0xFF0000);
    r.summary = summary;
    r.owner = owner;
    return formatPeriodRecord(r);
}

// The header followed by count - 1 records.
LineList records(int count) {
    LineList lines{kHeader};
    for (int day = 1; day < count; ++day)
        lines.push_back(record(day));
    return lines;
}

class PeriodFileTest : public ::testing::Test {
protected:
    PeriodFileTest() { fs::create_directories(dir / "Data/Files1"); }
    std::string root() const { return dir.path().string() + "/"; }
    fs::path file() const { return dir / "Data/Files1/CaFromTo.myc"; }
    void writeFile(const LineList& lines) const {
        dir.write("Data/Files1/CaFromTo.myc", fileBytes(lines));
    }
    std::string content() const { return TempFolder::read(file()); }
    PeriodFileContext context() {
        return {DataLocation::dataSet(root(), 1), dataRoot, ui, sleeper, *hooks};
    }
    PeriodBackupContext backups() {
        return {root() + "Data/",
                {2024, 9, 10},
                names,
                cleanupWanted,
                [](const std::array<std::string, 3>&) { return true; }};
    }
    PeriodLoadOutcome load(bool withBackups = false) {
        PeriodBackupContext b = backups();
        return withBackups ? loadPeriodListWithBackups(list, context(), b)
                           : loadPeriodList(list, context(), nullptr);
    }

    TempFolder dir;
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    LocalFolderHooks local;
    FakeSharedFolder network;
    SharedFolderHooks* hooks = &local;
    std::string dataRoot = root();
    PeriodList list;
    DataKeys names;
    bool cleanupWanted = false;
};

// The file exists but cannot be read: a link that points to itself. The writer would
// replace such a link without complaint, so only the read-failure mark protects it.
TEST_F(PeriodFileTest, AFileThatCouldNotBeReadIsNeverReplacedByTheHeaderLine) {
    fs::create_symlink("CaFromTo.myc", file());
    EXPECT_EQ(load(true), PeriodLoadOutcome::ReadFailed);
    EXPECT_EQ(ui.texts(), Texts{"読込エラー[" + file().string() + "]"});
    EXPECT_EQ(list.lines, LineList{kHeader});
    EXPECT_EQ(list.loadedCount, 1);
    EXPECT_TRUE(list.readFailed);
    EXPECT_FALSE(fs::exists(dir / "Data/Files1/CaFT4091.mcp"));  // never backed up
    EXPECT_EQ(names.CaFT1, "");

    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::NothingToWrite);
    addPeriod(list, parsePeriodRecord(record(5)), "PC-01", local);
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::NotRead);
    EXPECT_EQ(ui.texts().back(),
              "期間予定は、ファイルを読み込めなかったため保存しません。\r\n"
              "（読み込めなかったファイルを、空の予定で上書きしないためです。）\r\n"
              "ファイルを確認してから、期間予定を読み直してください。");
    EXPECT_TRUE(fs::is_symlink(file()));

    // Once the file reads again, saving works again.
    fs::remove(file());
    writeFile(records(3));
    EXPECT_EQ(load(), PeriodLoadOutcome::Loaded);
    EXPECT_FALSE(list.readFailed);
    addPeriod(list, parsePeriodRecord(record(5)), "PC-01", local);
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::Written);
}

TEST_F(PeriodFileTest, RecordsRoundTripByteForByteThroughLoadSortAndSave) {
    // Invalid CP932 bytes, half-width kana, NEC specials, a hidden record and reserved
    // fields in use all come back unchanged.
    const std::string bytes = cp932::encode(kHeader) + "\r\n" +
                              "2025, 1, 5,E,2025, 2,28,A,2025, 1,20,1,D,\x80\xA0\xFD,PC,x,,,,\r\n" +
                              cp932::encode(record(3, "ｶﾅ①㈱")) + "\r\n" +
                              "2024, 9, 1,M,2024, 9, 2,E,2024, 9, 1,9,,\x82\r\n";
    dir.write("Data/Files1/CaFromTo.myc", bytes);
    EXPECT_EQ(load(), PeriodLoadOutcome::Loaded);
    EXPECT_EQ(list.loadedCount, 4);
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::Unchanged);
    EXPECT_EQ(content(), bytes);

    // Written once an edit asks for it, every other record exactly as it was read.
    EXPECT_TRUE(sortPeriodLines(list));
    addPeriod(list, parsePeriodRecord(record(20)), "PC-01", local);
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::Written);
    const LineList before = splitFileText(bytes);
    EXPECT_EQ(content(),
              fileBytes({before[0], before[3], before[2], before[1], list.lines.back()}));
    EXPECT_NE(content().find("\x80\xA0\xFD,PC,x,,,,\r\n"), std::string::npos);
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(PeriodFileTest, AMissingFileIsCreatedAndAnEmptyOneHoldsTheHeader) {
    EXPECT_EQ(load(true), PeriodLoadOutcome::Created);
    EXPECT_TRUE(ui.shown().empty());  // a new data folder: nothing to say
    EXPECT_EQ(content(), fileBytes({kHeader}));
    EXPECT_EQ(list.loadedCount, 1);

    fs::remove(file());
    dir.write("Data/Files1/Ca202409.myc", "");
    EXPECT_EQ(load(), PeriodLoadOutcome::Created);
    EXPECT_EQ(ui.texts(),
              Texts{file().string() + " が存在しません。\r\n新しい期間データを作ります。"});

    // Zero bytes: the header alone, no backup, and the next save writes it.
    dir.write("Data/Files1/CaFromTo.myc", "");
    EXPECT_EQ(load(true), PeriodLoadOutcome::Loaded);
    EXPECT_EQ(list.lines, LineList{kHeader});
    EXPECT_EQ(list.loadedCount, 1);
    EXPECT_EQ(names.CaFT1, "");
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::Written);
    EXPECT_EQ(content(), fileBytes({kHeader}));
}

TEST_F(PeriodFileTest, CreationProblemsAreReported) {
    // The data folder is gone: the list lives in memory only.
    fs::remove_all(dir / "Data");
    EXPECT_EQ(load(), PeriodLoadOutcome::NotCreated);
    EXPECT_EQ(ui.texts(), Texts{"書込エラー[" + file().string() + "]"});
    EXPECT_EQ(sleeper.pauses(), std::vector<milliseconds>(10, milliseconds(300)));
    EXPECT_EQ(list.lines, LineList{kHeader});

    // A data root that cannot be made ends the application.
    dir.write("blocker", "");
    dataRoot = root() + "blocker/sub/";
    EXPECT_EQ(load(true), PeriodLoadOutcome::DataRootNotCreatable);
    EXPECT_EQ(ui.shown().back().kind, ShownBox::Kind::Error);
    EXPECT_EQ(ui.shown().back().text, "フォルダを作成できません。");
    EXPECT_EQ(ui.shown().back().caption, "エラー");
}

TEST_F(PeriodFileTest, ShrinkGuardAsksTwiceBelowHalfTheLoadedLines) {
    writeFile(records(11));
    load();
    list.lines.resize(6);
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::Written);
    EXPECT_TRUE(ui.shown().empty());

    list.lines.resize(5);
    ui.answer(false);
    ui.answer(true);
    ui.answer(false);
    for (int declined = 0; declined < 2; ++declined)
        EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::Declined);
    EXPECT_EQ(content(), fileBytes(records(6)));
    const std::vector<ShownBox>& shown = ui.shown();
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[0].text,
              "期間予定が立ち上げ時の半分以下、または０になっています。\r\n期間予定を保存しても"
              "いいですか。\r\n（※期間予定を削除した以外は、「いいえ」（保存しない）にしてくださ"
              "い。）");
    EXPECT_EQ(shown[0].defaultButton, DefaultButton::No);
    EXPECT_EQ(shown[1].text, "期間予定は保存しません。");
    EXPECT_EQ(shown[1].caption, kMainInformationCaption);
    EXPECT_EQ(shown[3].text, "本当に期間予定を（大量に）削除しましたか？");
    EXPECT_EQ(shown[3].defaultButton, DefaultButton::No);

    ui.answer(true);
    ui.answer(true);
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::Written);
    EXPECT_EQ(content(), fileBytes(records(5)));

    fs::remove_all(dir / "Data");
    list.lines.resize(4);
    ui.answer(true);
    ui.answer(true);
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::WriteFailed);
    EXPECT_EQ(ui.texts().back(), "期間予定データ書込エラー[" + file().string() + "]");
}

TEST_F(PeriodFileTest, NetworkModeWritesOnlyForEditsAndNeverBacksUp) {
    hooks = &network;
    writeFile(records(3));
    EXPECT_EQ(load(true), PeriodLoadOutcome::Loaded);
    EXPECT_EQ(names.CaFT1, "");
    const PeriodEditResult added = addPeriod(list, parsePeriodRecord(record(9)), "PC-02", network);
    EXPECT_TRUE(added.saveNow);
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::Skipped);
    EXPECT_EQ(content(), fileBytes(records(3)));
    EXPECT_EQ(savePeriodList(list, SaveRequest::Edit, context()), SaveOutcome::Written);
    EXPECT_EQ(content(), fileBytes(list.lines));
    EXPECT_EQ(network.raised, 1);
    EXPECT_TRUE(ui.shown().empty());

    network.counterWorks = false;
    addPeriod(list, parsePeriodRecord(record(10)), "PC-02", network);
    EXPECT_EQ(savePeriodList(list, SaveRequest::Edit, context()), SaveOutcome::Written);
    EXPECT_EQ(ui.texts(), Texts{"期間予定データ書込エラー[" + file().string() + "]"});

    // The shared folder went away: nothing is loaded and the caller switches off.
    const LineList kept = list.lines;
    fs::remove_all(dir / "Data");
    EXPECT_EQ(load(), PeriodLoadOutcome::SharedFolderMissing);
    EXPECT_EQ(ui.texts().back(), "ネットフォルダ[" + root() +
                                     "Data/Files1/]が確認できません。\r\nローカルフォルダに設定"
                                     "を戻します（ネットＯｆｆ）。[n040]");
    EXPECT_EQ(list.lines, kept);
}

TEST_F(PeriodFileTest, SortKeepsTheHeaderAndOrdersByCp932BytesFoldingAsciiCase) {
    // " 999" sorts before "*"; ヂ (83 61) after ア (83 41) although UTF-8 and a folded trail
    // byte say otherwise; Ａ (82 60) before 亜 (88 9F); folding goes to upper case.
    list.lines = {kHeader,         record(2, "ヂ"), record(2, "ア"), record(2, "亜"),
                  record(2, "Ａ"), record(2, "c"),  record(2, "B"),  record(2, "_"),
                  record(2, "a"),  record(2, "A")};
    list.lines.push_back(" 999, 1, 1,M, 999, 1, 2,E, 999, 1, 1,1,,old,,,,,,");
    list.selectedPeriod = 3;
    EXPECT_TRUE(sortPeriodLines(list));
    EXPECT_EQ(list.selectedPeriod, 0);
    const auto summary = [&](std::size_t i) { return parsePeriodRecord(list.lines[i]).summary; };
    EXPECT_EQ(list.lines[0], kHeader);
    EXPECT_EQ(summary(1), "old");
    Texts summaries;
    for (std::size_t i = 2; i < list.lines.size(); ++i)
        summaries.push_back(summary(i));
    EXPECT_EQ(summaries, (Texts{"a", "A", "B", "c", "_", "Ａ", "ア", "ヂ", "亜"}));

    list.selectedPeriod = 4;
    EXPECT_FALSE(sortPeriodLines(list));
    EXPECT_EQ(list.selectedPeriod, 4);
}

TEST_F(PeriodFileTest, EditsKeepTheOwnerAndNeverTouchTheHeader) {
    writeFile(
        {kHeader, record(1, "one", "PC-01"), "2024, 9, 2,M,2024, 9, 3,E,2024, 9, 2,1,,short"});
    load();
    list.selectedPeriod = 1;
    EXPECT_TRUE(addPeriod(list, parsePeriodRecord(record(4, "new", "x")), "PC-02", local).changed);
    EXPECT_EQ(list.selectedPeriod, 0);
    EXPECT_EQ(periodOwner(list.lines.back()), "PC-02");

    // A change moves the record to the end with its creator's name.
    EXPECT_TRUE(
        changePeriod(list, 1, parsePeriodRecord(record(1, "changed", "PC-03")), local).changed);
    EXPECT_EQ(list.lines.back(), record(1, "changed", "PC-01"));
    EXPECT_TRUE(changePeriod(list, 1, parsePeriodRecord(record(2, "was short")), local).changed);
    EXPECT_EQ(periodOwner(list.lines.back()), "");
    EXPECT_TRUE(periodLineUnchanged(list, 3, record(2, "was short", "")));
    for (int outside : {0, 4, -1})
        EXPECT_FALSE(changePeriod(list, outside, PeriodRecord{}, local).changed) << outside;

    // Deleting asks first (No preselected) and can never hit the header.
    list.selectedPeriod = 2;
    ui.answer(false);
    EXPECT_FALSE(deleteSelectedPeriod(list, ui, local).changed);
    ui.answer(true);
    const std::string doomed = list.lines[2];
    EXPECT_TRUE(deleteSelectedPeriod(list, ui, local).changed);
    EXPECT_EQ(std::count(list.lines.begin(), list.lines.end(), doomed), 0);
    EXPECT_EQ(ui.shown()[0].text, "この予定を削除してもいいですか？");
    EXPECT_EQ(ui.shown()[0].defaultButton, DefaultButton::No);
    EXPECT_FALSE(deleteSelectedPeriod(list, ui, local).changed);  // nothing selected: no question
    EXPECT_FALSE(deletePeriod(list, 0, local).changed);
    EXPECT_EQ(ui.shown().size(), 2u);
}

TEST_F(PeriodFileTest, SaveBeforeLeavingCleansUpOnlyAfterASuccessfulSave) {
    dir.write("Data/Files1/CaFT4080.mcp", "stale");
    names = {.CaFT1 = "CaFT4091.mcp", .CaFT2 = "CaFT4090.mcp", .CaFT3 = "CaFT4082.mcp"};
    const PeriodBackupContext b = backups();
    int saves = 0;
    const auto fails = [&] {
        ++saves;
        return false;
    };
    const auto throws = [&]() -> bool { throw std::runtime_error("disk"); };
    const auto works = [&] {
        ++saves;
        return true;
    };

    cleanupWanted = true;
    EXPECT_EQ(saveBeforeLeaving(context(), fails, b), LeavingOutcome::SaveFailed);
    EXPECT_EQ(saveBeforeLeaving(context(), throws, b), LeavingOutcome::SaveFailed);
    EXPECT_EQ(ui.texts(), (Texts{"不要アイテム削除エラー", "不要アイテム削除エラー"}));
    EXPECT_TRUE(fs::exists(dir / "Data/Files1/CaFT4080.mcp"));

    cleanupWanted = false;  // this run made no backup
    EXPECT_EQ(saveBeforeLeaving(context(), works, b), LeavingOutcome::Done);
    EXPECT_TRUE(fs::exists(dir / "Data/Files1/CaFT4080.mcp"));
    cleanupWanted = true;
    EXPECT_EQ(saveBeforeLeaving(context(), works, b), LeavingOutcome::Done);
    EXPECT_FALSE(fs::exists(dir / "Data/Files1/CaFT4080.mcp"));
    EXPECT_EQ(saves, 3);

    hooks = &network;
    fs::remove_all(dir / "Data");
    EXPECT_EQ(saveBeforeLeaving(context(), works, b), LeavingOutcome::SharedFolderMissing);
    EXPECT_EQ(saves, 3);
    EXPECT_EQ(ui.texts().back(), "ネットフォルダ[" + root() +
                                     "Data/Files1/]が確認できません。\r\nローカルフォルダに設定"
                                     "を戻します（ネットＯｆｆ）。[n050]");
}

// Reading and writing back an unedited file would change it: the other code of a CP932
// twin (ED40 is written FA5C, 8790 as 81E0), CR LF for LF, nothing after 0x1A. Only a
// list that differs from its file is written, and sorting it is no difference.
TEST_F(PeriodFileTest, AnUntouchedFileKeepsEveryByteThroughLoadSortAndSave) {
    const std::string bytes = cp932::encode(kHeader) + "\n" + cp932::encode(record(9, "b")) + "\n" +
                              cp932::encode(record(3, "a")) + "\r\n" +
                              "2024, 9, 5,M,2024, 9, 6,E,2024, 9, 5,1,,\xED\x40\x87\x90,PC,,,,,\n"
                              "\x1A"
                              "after the end";
    dir.write("Data/Files1/CaFromTo.myc", bytes);
    EXPECT_EQ(load(true), PeriodLoadOutcome::Loaded);
    EXPECT_FALSE(hasUnsavedChange(list));
    EXPECT_TRUE(sortPeriodLines(list));
    EXPECT_FALSE(hasUnsavedChange(list));
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::Unchanged);
    EXPECT_EQ(content(), bytes);

    // An edit taken back again leaves the file alone too.
    const LineList loaded = list.lines;
    addPeriod(list, parsePeriodRecord(record(12)), "PC-01", local);
    EXPECT_TRUE(hasUnsavedChange(list));
    deletePeriod(list, static_cast<int>(list.lines.size()) - 1, local);
    EXPECT_EQ(list.lines, loaded);
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::Unchanged);

    // Once written, the written lines are what the file holds: the next save writes
    // nothing, even over bytes someone else put there since.
    addPeriod(list, parsePeriodRecord(record(12)), "PC-01", local);
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::Written);
    EXPECT_EQ(content(), fileBytes(list.lines));
    EXPECT_NE(content().find("\xFA\x5C\x81\xE0"), std::string::npos);
    EXPECT_FALSE(hasUnsavedChange(list));
    dir.write("Data/Files1/CaFromTo.myc", "elsewhere");
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::Unchanged);
    EXPECT_EQ(content(), "elsewhere");
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(PeriodFileTest, AFailedWriteStaysUnsavedUntilAWriteSucceeds) {
    writeFile(records(3));
    load();
    addPeriod(list, parsePeriodRecord(record(7)), "PC-01", local);
    fs::rename(dir / "Data/Files1", dir / "Data/Moved");
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::WriteFailed);
    EXPECT_TRUE(hasUnsavedChange(list));
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::WriteFailed);

    fs::rename(dir / "Data/Moved", dir / "Data/Files1");
    EXPECT_EQ(savePeriodList(list, SaveRequest::SaveAll, context()), SaveOutcome::Written);
    EXPECT_EQ(content(), fileBytes(list.lines));
    EXPECT_FALSE(hasUnsavedChange(list));

    // What counts as unsaved: a list never loaded holds nothing; a file that could not
    // be read counts only once something was added to its header line.
    EXPECT_FALSE(hasUnsavedChange(PeriodList{}));
    fs::remove(file());
    fs::create_symlink("CaFromTo.myc", file());
    load();
    EXPECT_FALSE(hasUnsavedChange(list));
    addPeriod(list, parsePeriodRecord(record(8)), "PC-01", local);
    EXPECT_TRUE(hasUnsavedChange(list));
}

}  // namespace
}  // namespace velmo
