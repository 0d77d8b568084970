#include "store/file_helpers.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>

#include "store/folder_listing.h"
#include "tests/support/fifo.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedUserInterface;
using testing::ShownBox;
using testing::TempFolder;

TEST(FileMasks, WindowsStyleWildcardsIgnoringCase) {
    EXPECT_TRUE(matchesMask("CaME4090.mcp", "CaMe*.mcp"));
    EXPECT_TRUE(matchesMask("CaFT0001.MCP", "CaFT*.mcp"));
    EXPECT_TRUE(matchesMask("Ca202409.myc", "*.myc"));
    EXPECT_TRUE(matchesMask("noext", "*.*"));
    EXPECT_TRUE(matchesMask("a.b", "?.?"));
    EXPECT_TRUE(matchesMask("予定.myc", "??.myc"));  // "?" takes a whole character
    EXPECT_TRUE(matchesMask("abcabd", "*ab?"));
    EXPECT_FALSE(matchesMask("Ca202409.myc.tmp", "*.myc"));
    EXPECT_FALSE(matchesMask(".Ca202409.myc.Ab12Cd.tmp", "Ca*.myc"));
    EXPECT_FALSE(matchesMask("ab", "a?b"));
    EXPECT_FALSE(matchesMask("CaFT.mcp", "CaFT?*.mcp"));
}

TEST(FileExists, PlainNamesAndPatternsIgnoringCase) {
    TempFolder dir;
    dir.write("Hday.dat", "x");
    dir.write("CaME4090.mcp", "x");
    dir.write(".hidden", "x");
    fs::create_directory(dir / "Data");

    EXPECT_TRUE(existsAny(dir / "Hday.dat"));
    EXPECT_TRUE(existsAny(dir / "HDay.dat"));
    EXPECT_TRUE(existsAny(dir / "CaMe*.mcp"));
    EXPECT_TRUE(existsAny(dir / ".hidden"));
    EXPECT_TRUE(existsAny(dir / "Data"));
    EXPECT_TRUE(existsAny(dir / "da?a"));
    EXPECT_FALSE(existsAny(dir / "CaFT*.mcp"));
    EXPECT_FALSE(existsAny(dir / "missing"));
    EXPECT_FALSE(existsAny(dir / "nofolder" / "*.myc"));

    EXPECT_TRUE(existsPlainFile(dir / "HDAY.DAT"));
    EXPECT_TRUE(existsPlainFile(dir / "*.mcp"));
    EXPECT_FALSE(existsPlainFile(dir / "Data"));
    EXPECT_FALSE(existsPlainFile(dir / "D*"));
}

TEST(FileExists, MatchingEntriesAreSorted) {
    TempFolder dir;
    for (const char* name : {"CaFT0003.mcp", "caft0001.mcp", "CaFT0002.MCP", "CaFromTo.myc"}) {
        dir.write(name, "");
    }
    const std::vector<fs::path> found = matchingEntries(dir / "CaFT*.mcp");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].filename(), "CaFT0002.MCP");
    EXPECT_EQ(found[1].filename(), "CaFT0003.mcp");
    EXPECT_EQ(found[2].filename(), "caft0001.mcp");
}

TEST(FileCaseInsensitive, ExactNameFirstThenFirstVariant) {
    TempFolder dir;
    dir.write("CAFROMTO.MYC", "");
    EXPECT_EQ(findCaseInsensitive(dir.path(), "CaFromTo.myc"), dir / "CAFROMTO.MYC");
    EXPECT_EQ(resolveCaseInsensitive(dir / "CaFromTo.myc"), dir / "CAFROMTO.MYC");
    EXPECT_EQ(resolveCaseInsensitive(dir / "New.myc"), dir / "New.myc");
    EXPECT_FALSE(findCaseInsensitive(dir.path(), "CaMemo.myc").has_value());
    EXPECT_FALSE(findCaseInsensitive(dir / "nofolder", "x").has_value());

    dir.write("cafromto.myc", "");
    EXPECT_EQ(findCaseInsensitive(dir.path(), "CaFromTo.myc"), dir / "CAFROMTO.MYC");
    dir.write("CaFromTo.myc", "");
    EXPECT_EQ(findCaseInsensitive(dir.path(), "CaFromTo.myc"), dir / "CaFromTo.myc");
}

// One listing answers every look-up the disk helpers answer, with the same result, and
// is a snapshot: what appears later is not in it.
TEST(FolderListingLookups, SameAnswersAsTheDiskAndNothingLater) {
    TempFolder dir;
    for (const char* name : {"Ca202409.myc", "CA202410.MYC", "ca202410.myc", ".hidden"})
        dir.write(name, "x");
    fs::create_directory(dir / "Data");
    fs::create_symlink(dir / "Ca202409.myc", dir / "link.myc");
    fs::create_symlink(dir / "gone.myc", dir / "dangling.myc");
    const FolderListing listing(dir.path());
    for (const char* name :
         {"Ca202409.myc", "ca202409.MYC", "Ca202410.myc", "ca202410.myc", ".HIDDEN", "data",
          "link.myc", "dangling.myc", "missing.myc", "*.myc", "CA2024??.myc", "D*", "*.mcp"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(listing.containsAny(name), existsAny(dir / name));
        EXPECT_EQ(listing.containsPlainFile(name), existsPlainFile(dir / name));
        EXPECT_EQ(listing.matching(name), matchingEntries(dir / name));
        if (!isPattern(name)) {
            EXPECT_EQ(listing.find(name), findCaseInsensitive(dir.path(), name));
        }
    }
    EXPECT_EQ(listing.find("Ca202410.myc"), dir / "CA202410.MYC");  // first in name order
    EXPECT_EQ(findEntry(dir / "CA202409.MYC", &listing), dir / "Ca202409.myc");

    dir.write("Ca202411.myc", "x");
    EXPECT_FALSE(listing.containsAny("Ca202411.myc"));
    EXPECT_TRUE(FolderListing(dir.path()).containsAny("ca202411.myc"));
    EXPECT_FALSE(FolderListing(dir / "missing").containsAny("*"));
}

TEST(FileCopy, CreatesOrOverwrites) {
    TempFolder dir;
    const std::string bytes("\x95\x5c\0\r\n", 5);
    const fs::path source = dir.write("a.myc", bytes);
    EXPECT_TRUE(copyFile(source, dir / "b.myc"));
    EXPECT_EQ(TempFolder::read(dir / "b.myc"), bytes);
    dir.write("c.myc", "much longer old content");
    EXPECT_TRUE(copyFile(source, dir / "c.myc"));
    EXPECT_EQ(TempFolder::read(dir / "c.myc"), bytes);
    EXPECT_TRUE(copyFile(dir / "A.MYC", dir / "d.myc"));  // the source is found ignoring case

    EXPECT_FALSE(copyFile(dir / "missing", dir / "e.myc"));
    EXPECT_FALSE(fs::exists(dir / "e.myc"));
    EXPECT_FALSE(copyFile(source, dir / "a.myc" / "f.myc"));  // parent is a file
}

TEST(FileCopy, PipeAsSourceIsRefusedWithoutWaiting) {
    TempFolder dir;
    const fs::path fifo = testing::makeFifo(dir / "Torka.ini");
    bool copied = true;
    EXPECT_TRUE(
        testing::returnsBesideFifo(fifo, [&] { copied = copyFile(fifo, dir / "copy.ini"); }));
    EXPECT_FALSE(copied);
    EXPECT_FALSE(fs::exists(dir / "copy.ini"));
}

TEST(FileDate, LocalWriteTimeOrNothing) {
    TempFolder dir;
    const fs::path file = dir.write("a.myc", "x");
    std::tm when{};
    when.tm_year = 2024 - 1900;
    when.tm_mon = 8;
    when.tm_mday = 10;
    when.tm_hour = 9;
    when.tm_min = 30;
    when.tm_sec = 15;
    when.tm_isdst = -1;
    const timespec times[2] = {{std::mktime(&when), 0}, {std::mktime(&when), 250000000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);

    EXPECT_EQ(fileDate(file), (LocalDateTime{2024, 9, 10, 9, 30, 15, 250}));
    EXPECT_EQ(fileDate(dir / "A.MYC"), (LocalDateTime{2024, 9, 10, 9, 30, 15, 250}));
    EXPECT_FALSE(fileDate(dir / "missing").has_value());
    EXPECT_FALSE(fileDate(dir.path()).has_value());
}

TEST(FolderChain, CreateChain) {
    TempFolder dir;
    EXPECT_TRUE(createFolderChain(dir / "a" / "b" / "c"));
    EXPECT_TRUE(fs::is_directory(dir / "a" / "b" / "c"));
    EXPECT_TRUE(createFolderChain((dir / "a" / "b" / "d").string() + "/"));
    EXPECT_TRUE(createFolderChain(dir / "a"));  // already there
    dir.write("file", "");
    EXPECT_FALSE(createFolderChain(dir / "file" / "x" / "y"));
}

TEST(FolderChain, TrailingSeparator) {
    EXPECT_EQ(withTrailingSeparator("/home/a"), "/home/a/");
    EXPECT_EQ(withTrailingSeparator("/home/a/ "), "/home/a/");
    EXPECT_EQ(withTrailingSeparator(""), "");
    EXPECT_EQ(withoutTrailingSeparator("/home/a/"), "/home/a");
}

TEST(EnsureFolder, ExistingOrNotAllowedToCreate) {
    TempFolder dir;
    ScriptedUserInterface ui;
    EXPECT_TRUE(ensureFolder(dir.path().string() + "/", false, true, ui));
    EXPECT_TRUE(ensureFolder("/", false, false, ui));
    EXPECT_FALSE(ensureFolder((dir / "new").string() + "/", false, true, ui));
    EXPECT_FALSE(fs::exists(dir / "new"));
    EXPECT_TRUE(ui.shown().empty());
}

TEST(EnsureFolder, AsksBeforeCreating) {
    TempFolder dir;
    ScriptedUserInterface ui;
    const std::string folder = (dir / "new" / "sub").string();

    ui.answer(false);
    EXPECT_FALSE(ensureFolder(folder + "/", true, true, ui));
    EXPECT_FALSE(fs::exists(folder));
    ui.answer(true);
    EXPECT_TRUE(ensureFolder(folder + "/", true, true, ui));
    EXPECT_TRUE(fs::is_directory(folder));

    ASSERT_EQ(ui.shown().size(), 2u);
    for (const ShownBox& box : ui.shown()) {
        EXPECT_EQ(box.kind, ShownBox::Kind::Question);
        EXPECT_EQ(box.text, "フォルダ[" + folder + "]が存在しません。\r\n作成しますか。");
        EXPECT_EQ(box.caption, "確認");
        EXPECT_EQ(box.defaultButton, DefaultButton::Yes);
    }
}

TEST(EnsureFolder, FailedCreationIsReportedOnlyWhenAsking) {
    TempFolder dir;
    dir.write("file", "");
    const std::string folder = (dir / "file" / "sub").string();

    ScriptedUserInterface silent;
    EXPECT_FALSE(ensureFolder(folder, true, false, silent));
    EXPECT_TRUE(silent.shown().empty());

    ScriptedUserInterface ui;
    ui.answer(true);
    EXPECT_FALSE(ensureFolder(folder + "/", true, true, ui));
    ASSERT_EQ(ui.shown().size(), 2u);
    EXPECT_EQ(ui.shown()[1].kind, ShownBox::Kind::Message);
    EXPECT_EQ(ui.shown()[1].text,
              "フォルダ[" + folder + "]が作成出来ません。\r\nフォルダの作成を中止します。");
}

TEST(EnsureFolder, CreatesSilentlyWithoutAsking) {
    TempFolder dir;
    ScriptedUserInterface ui;
    EXPECT_TRUE(ensureFolder((dir / "x" / "y").string(), true, false, ui));
    EXPECT_TRUE(fs::is_directory(dir / "x" / "y"));
    EXPECT_TRUE(ui.shown().empty());
}

}  // namespace
}  // namespace velmo
