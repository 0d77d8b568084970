#include "store/text_window_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "store/settings.h"
#include "tests/support/fake_clock.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::RecordingSleeper;
using testing::TempFolder;

TextWindowSettings changedSettings() {
    TextWindowSettings s;
    s.top = -20;
    s.left = 1900;
    s.height = 600;
    s.width = 800;
    s.closeTopLine = 12;
    s.closeRow = 15;
    s.closeColumn = 4;
    s.vJHanten = true;
    s.vCLine1 = 5;
    s.vCLine2 = 6;
    s.vMenuCount = 12;
    s.vEditorFile = "/home/user/メモ.txt";
    s.mode(TextWindowMode::Memo) = {.topRow = 1, .row = 2, .buttons = false};
    s.mode(TextWindowMode::Readme) = {.topRow = 3, .row = 4, .buttons = false};
    s.mode(TextWindowMode::Usage) = {.topRow = 5, .row = 6, .buttons = false};
    s.mode(TextWindowMode::Editor) = {.topRow = 7, .row = 8, .buttons = true};
    s.vItems = "会議,\"a,b\",週報";
    return s;
}

class TextWindowSettingsTest : public ::testing::Test {
protected:
    TempFolder folder;
    RecordingSleeper sleeper;
};

TEST_F(TextWindowSettingsTest, DefaultsWithoutKeys) {
    for (const char* section : {kMemoWindowSection, kSearchWindowSection}) {
        SCOPED_TRACE(section);
        const TextWindowSettings s = loadTextWindowSettings(folder / "Torka.ini", section, sleeper);
        EXPECT_EQ(s, TextWindowSettings{});
        EXPECT_EQ(s.width, 779);
        EXPECT_EQ(s.height, 575);
        EXPECT_EQ(s.vCLine1, 2);
        EXPECT_EQ(s.vCLine2, 3);
        EXPECT_EQ(s.vMenuCount, 8);
        EXPECT_EQ(s.vEditorFile, "無題");
        EXPECT_TRUE(s.mode(TextWindowMode::Memo).buttons);
        EXPECT_TRUE(s.mode(TextWindowMode::Usage).buttons);
        EXPECT_FALSE(s.mode(TextWindowMode::Editor).buttons);
    }
}

TEST_F(TextWindowSettingsTest, EverySettingComesBackAndBooleansAreOneOrZero) {
    const fs::path file = folder / "Torka.ini";
    const TextWindowSettings s = changedSettings();
    ASSERT_TRUE(saveTextWindowSettings(file, kSearchWindowSection, s, sleeper));
    EXPECT_EQ(loadTextWindowSettings(file, kSearchWindowSection, sleeper), s);
    const std::string text = TempFolder::read(file);
    EXPECT_NE(text.find("\r\nvJHanten=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nvisMemoBtn=0\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nMemoY=15\r\n"), std::string::npos);
}

TEST_F(TextWindowSettingsTest, OtherLinesStayByteForByte) {
    const std::string others =
        "[Settei]\r\n"
        "  cbMemo = 1 ; kept\r\n"
        "\r\n"
        "[memo]\r\n"
        "visMemoMHide=1\r\n"
        "vMemoRow=99\r\n"
        "[Kensaku]\r\n"
        "vItems=old\r\n";
    const fs::path file = folder.write("Torka.ini", others);
    ASSERT_TRUE(saveTextWindowSettings(file, kMemoWindowSection, changedSettings(), sleeper));

    // The file without the lines of the keys written is the file as it was, the value of
    // the one key that already stood there aside.
    const std::string written = TempFolder::read(file);
    std::string rest;
    for (std::size_t begin = 0; begin < written.size();) {
        const std::size_t end = written.find("\r\n", begin) + 2;
        const std::string line = written.substr(begin, end - begin);
        const bool ours = line.starts_with("fmMemo") || line.starts_with("Memo") ||
                          (line.starts_with("v") && !line.starts_with("visMemoMHide") &&
                           !line.starts_with("vItems"));
        rest += line == "vMemoRow=2\r\n" ? "vMemoRow=99\r\n" : ours ? "" : line;
        begin = end;
    }
    EXPECT_EQ(rest, others);
    EXPECT_NE(written.find("[memo]\r\nvisMemoMHide=1\r\nvMemoRow=2\r\n"), std::string::npos);
}

TEST_F(TextWindowSettingsTest, SearchHistoryBelongsToTheSearchWindowOnly) {
    const fs::path file = folder / "Torka.ini";
    ASSERT_TRUE(saveTextWindowSettings(file, kMemoWindowSection, changedSettings(), sleeper));
    EXPECT_EQ(TempFolder::read(file).find("vItems"), std::string::npos);

    ASSERT_TRUE(saveTextWindowSettings(file, "kensaku", changedSettings(), sleeper));
    EXPECT_EQ(loadTextWindowSettings(file, kSearchWindowSection, sleeper).vItems,
              changedSettings().vItems);
    // Put into the memo window's section by hand, it is still not the memo window's.
    const ProfileFile profile = [&] {
        ProfileFile p = ProfileFile::load(file, kSettingsRetry, sleeper);
        p.writeString(kMemoWindowSection, "vItems", "x");
        return p;
    }();
    EXPECT_EQ(readTextWindowSettings(profile, kMemoWindowSection).vItems, "");
}

}  // namespace
}  // namespace velmo
