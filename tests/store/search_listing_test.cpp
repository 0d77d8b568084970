#include "store/search_listing.h"

#include <gtest/gtest.h>

#include <chrono>
#include <utility>

#include "store/cp932.h"
#include "store/text_helpers.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::FakeClock;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::ShownBox;
using testing::TempFolder;
using Lines = std::vector<std::string>;

constexpr const char* kStaleQuestion =
    "前回の検索より１ヶ月以上経過しています。\r\n検索データを作り直しますか？";
constexpr const char* kMissingNotice =
    "検索データが見あたりません。\r\n新しい検索データを作ります。";

// A month file as the program writes it: CP932, CR LF.
void writeMonth(const TempFolder& folder, const std::string& name, const Lines& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    folder.write(name, cp932::encode(text));
}

void setModified(const fs::path& file, const LocalDateTime& local) {
    const auto system = std::chrono::system_clock::from_time_t(secondsSinceEpoch(local));
    fs::last_write_time(file, std::chrono::file_clock::from_sys(system));
}

TEST(SearchListing, NewestMonthFirstMemoThenDaysFromTheLast) {
    TempFolder folder;
    writeMonth(folder, "Ca200311.myc", {" 3,1,,文化の日,,,,,,", "30,1,,月末,,,,,,"});
    writeMonth(folder, "Ca200312.myc",
               {" 0,0,9,2003/12 [Data\\Files1\\]", " 5,1,,first entry,255,,,,,", "77,1,,memo text,",
                " 1,1,,ついたち,,,,,,", "31,1,,大晦日，年越し,,,,,,", " 5,2,,second entry,,,,,,",
                " 5,3,,third entry,,,,,,", "77,2,,二行目,"});
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    EXPECT_EQ(buildSearchListing(folder.path(), ui, sleeper),
              (Lines{"", "[ 2003年12月 ]", "  memo text", "  二行目", "",
                     "2003年12月31日(水) 大晦日，年越し", "", "2003年12月 5日(金) first entry",
                     "                   second entry", "                   third entry", "",
                     "2003年12月 1日(月) ついたち", "", "2003年11月30日(日) 月末", "",
                     "2003年11月 3日(月) 文化の日"}));
    EXPECT_TRUE(ui.shown().empty());
}

// Everything the listing leaves out, and the progress it reports meanwhile.
TEST(SearchListing, SkipsWhatIsNoEntryAndCountsThePeriodFile) {
    TempFolder folder;
    writeMonth(folder, "Caxyz.myc", {" 2,1,,名前が月でない,,,,,,"});
    writeMonth(folder, "CaFromTo.myc", {"***** FromTo予定 [Data\\Files1\\]", " 1,1,,期間,"});
    writeMonth(folder, "cafromto.MYC", {" 2,1,,期間,"});
    writeMonth(
        folder, "Ca200302.myc",
        {"xx,1,,not a day,", " 4,1,three fields", "", "40,1,,day 40,", "30,1,,存在しない日,"});
    writeMonth(folder, "Ca200301.myc", {" 1,1,,never read,"});
    writeMonth(folder, "Ca200212.myc", {"25,1,,クリスマス,"});
    writeMonth(folder, "Ca200211.txt", {" 1,1,,not a month file,"});
    fs::create_directories(folder / "Cadir.myc");

    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    std::vector<std::pair<int, int>> progress;
    const Lines listing = buildSearchListing(folder.path(), ui, sleeper, [&](int done, int total) {
        progress.emplace_back(done, total);
        // The file after Ca200302.myc turns into a folder before it is read.
        if (done == 4) {
            fs::remove(folder / "Ca200301.myc");
            fs::create_directory(folder / "Ca200301.myc");
        }
    });
    EXPECT_EQ(listing,
              (Lines{"", "-1年-1月 2日(？) 名前が月でない", "", "2003年 2月30日(？) 存在しない日",
                     "", "2002年12月25日(水) クリスマス"}));
    EXPECT_EQ(progress,
              (std::vector<std::pair<int, int>>{{1, 6}, {2, 6}, {3, 6}, {4, 6}, {5, 6}, {6, 6}}));
    EXPECT_EQ(ui.texts(), Lines{"読込エラー[" + (folder / "Ca200301.myc").string() + "]"});

    const SearchSources sources = searchSources(folder.path());
    ASSERT_EQ(sources.total(), 5);
    EXPECT_EQ(sources.files.front().filename(), "cafromto.MYC");
    EXPECT_EQ(sources.files.back().filename(), "Ca200212.myc");
}

TEST(SearchListing, TheDaysOctober1582LacksHaveNoWeekday) {
    TempFolder folder;
    writeMonth(folder, "Ca158210.myc",
               {" 4,1,,ユリウス暦最後,", "10,1,,存在しない日,", "15,1,,グレゴリオ暦最初,"});
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    EXPECT_EQ(buildSearchListing(folder.path(), ui, sleeper),
              (Lines{"", "1582年10月15日(金) グレゴリオ暦最初", "",
                     "1582年10月10日(？) 存在しない日", "", "1582年10月 4日(木) ユリウス暦最後"}));
}

TEST(SearchListing, WrittenInCp932AndReadBack) {
    TempFolder folder;
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    const fs::path file = searchListingPath(folder.path());
    const Lines lines{"", "[ 2003年12月 ]", "  会議，打合せ", "2003年12月 5日(金) ～まで"};
    ASSERT_TRUE(writeSearchListing(file, lines, ui, sleeper));
    EXPECT_EQ(TempFolder::read(file), cp932::encode("\r\n[ 2003年12月 ]\r\n  会議，打合せ\r\n"
                                                    "2003年12月 5日(金) ～まで\r\n"));
    EXPECT_EQ(loadSearchListing(file, ui, sleeper), lines);

    // A character CP932 lacks writes nothing.
    EXPECT_FALSE(writeSearchListing(file, {"ok", "絵文字😀"}, ui, sleeper));
    EXPECT_EQ(ui.texts(), Lines{*unencodableTextMessage("絵文字😀")});
    EXPECT_EQ(loadSearchListing(file, ui, sleeper), lines);
    EXPECT_EQ(searchListingPath(folder.path()), file);
}

TEST(SearchListing, FailedWriteAndReadAreReported) {
    TempFolder folder;
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    // The data folder's place holds a plain file, so nothing can be written below it.
    folder.write("Files1", "");
    const fs::path file = folder / "Files1" / kSearchListingFileName;
    EXPECT_FALSE(writeSearchListing(file, {"line"}, ui, sleeper));
    EXPECT_EQ(loadSearchListing(file, ui, sleeper), std::nullopt);
    EXPECT_EQ(ui.texts(), (Lines{"[ " + file.string() + " ]の書込に失敗しました。",
                                 "読込エラー[" + file.string() + "]"}));
}

class SearchListingOpening : public ::testing::Test {
protected:
    SearchListingOpening() {
        writeMonth(folder, "Ca202409.myc", {"10,1,,今日,"});
        folder.write(kSearchListingFileName, cp932::encode("古い一覧\r\n"));
    }
    void writtenOn(int year, int month, int day) {
        setModified(folder / kSearchListingFileName, {year, month, day, 12, 0, 0, 0});
    }
    ListingOpening open() { return openSearchListing(folder.path(), clock, ui, sleeper); }

    TempFolder folder;
    FakeClock clock{{2024, 9, 10, 9, 0, 0, 0}};
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    const Lines rebuilt{"", "2024年 9月10日(火) 今日"};
};

TEST_F(SearchListingOpening, AListingOfThirtyDaysIsLoadedWithoutAQuestion) {
    writtenOn(2024, 8, 11);
    EXPECT_EQ(listingAgeDays(folder / kSearchListingFileName, clock), 30);
    const ListingOpening opening = open();
    EXPECT_EQ(opening.lines, Lines{"古い一覧"});
    EXPECT_FALSE(opening.modified || opening.rebuilt);
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(SearchListingOpening, AnOlderListingIsRebuiltOnlyWhenTheUserAgrees) {
    writtenOn(2024, 8, 10);
    EXPECT_EQ(listingAgeDays(folder / kSearchListingFileName, clock), 31);
    ui.answer(false);
    ListingOpening opening = open();
    EXPECT_EQ(opening.lines, Lines{"古い一覧"});
    EXPECT_FALSE(opening.modified);
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].kind, ShownBox::Kind::Question);
    EXPECT_EQ(ui.shown()[0].text, kStaleQuestion);
    EXPECT_EQ(ui.shown()[0].caption, "確認");
    EXPECT_EQ(ui.shown()[0].defaultButton, DefaultButton::Yes);

    ui.answer(true);
    opening = open();
    EXPECT_EQ(opening.lines, rebuilt);
    EXPECT_TRUE(opening.modified && opening.rebuilt);
    // Opening writes nothing; the window saves the listing when it closes.
    EXPECT_EQ(TempFolder::read(folder / kSearchListingFileName), cp932::encode("古い一覧\r\n"));
}

TEST_F(SearchListingOpening, AMissingListingIsAnnouncedAndBuilt) {
    fs::remove(folder / kSearchListingFileName);
    EXPECT_EQ(listingAgeDays(folder / kSearchListingFileName, clock), std::nullopt);
    std::vector<std::pair<int, int>> progress;
    const ListingOpening opening =
        openSearchListing(folder.path(), clock, ui, sleeper,
                          [&](int done, int total) { progress.emplace_back(done, total); });
    EXPECT_EQ(opening.lines, rebuilt);
    EXPECT_TRUE(opening.modified && opening.rebuilt);
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 1}}));
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].kind, ShownBox::Kind::Information);
    EXPECT_EQ(ui.shown()[0].text, kMissingNotice);
    EXPECT_EQ(ui.shown()[0].caption, kMainInformationCaption);
    EXPECT_FALSE(fs::exists(folder / kSearchListingFileName));
}

}  // namespace
}  // namespace velmo
