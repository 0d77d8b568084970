#include <gtest/gtest.h>

#include "store/cp932.h"
#include "store/memo_file.h"
#include "store/memorial_settings.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::TempFolder;

TEST(MemoFile, CreatedWithOneEmptyLineOnlyWhenMissing) {
    TempFolder folder;
    RecordingSleeper sleeper;
    ScriptedUserInterface ui;
    const fs::path memo = memoFilePath(folder.path());
    EXPECT_TRUE(ensureMemoFile(memo, ui, sleeper));
    EXPECT_EQ(TempFolder::read(memo), "\r\n");

    TempFolder other;
    const fs::path kept = other.write("camemo.MYC", "買い物\r\n");
    EXPECT_TRUE(ensureMemoFile(memoFilePath(other.path()), ui, sleeper));
    EXPECT_EQ(TempFolder::read(kept), "買い物\r\n");
    EXPECT_FALSE(fs::exists(other / kMemoFileName));
    EXPECT_TRUE(ui.shown().empty());
}

TEST(MemoFile, FailedCreationIsReported) {
    TempFolder folder;
    RecordingSleeper sleeper;
    ScriptedUserInterface ui;
    const fs::path memo = folder / "gone" / kMemoFileName;
    EXPECT_FALSE(ensureMemoFile(memo, ui, sleeper));
    EXPECT_EQ(ui.texts(),
              std::vector<std::string>{"[ " + memo.string() + " ]の書込に失敗しました。"});
}

TEST(MemorialSettings, ReadsEveryKey) {
    TempFolder folder;
    RecordingSleeper sleeper;
    const MemorialSettings defaults =
        readMemorialSettings(memorialSettingsPath(folder.path()), sleeper);
    EXPECT_EQ(defaults.pCedtSp, "べる記念機能");
    EXPECT_EQ(defaults.pageTitle(), "べる記念機能");
    EXPECT_TRUE(defaults.pCcbHorikomi && defaults.pCcbKinenbiHyouji && defaults.pCcbYoteiHyouji &&
                defaults.pCcbYuusen);
    EXPECT_EQ(defaults.pCedtSPColor, 0x808000u);  // clTeal

    const fs::path file =
        folder.write(kMemorialSettingsFileName, cp932::encode("[commemoration]\r\n"
                                                              "pCedtSp=記念日\r\n"
                                                              "pClblSp=\r\n"
                                                              "pCcbHorikomi=0\r\n"
                                                              "pCcbKinenbiHyouji=0\r\n"
                                                              "pCcbYoteiHyouji=0\r\n"
                                                              "pCcbYuusen=0\r\n"
                                                              "pCedtSPColor=clRed\r\n"));
    const MemorialSettings s = readMemorialSettings(file, sleeper);
    EXPECT_EQ(s.pCedtSp, "記念日");
    EXPECT_EQ(s.pClblSp, "");
    EXPECT_EQ(s.pageTitle(), "記念日");  // an empty title shows the name
    EXPECT_FALSE(s.pCcbHorikomi || s.pCcbKinenbiHyouji || s.pCcbYoteiHyouji || s.pCcbYuusen);
    EXPECT_EQ(s.pCedtSPColor, 0x0000FFu);

    folder.write(kMemorialSettingsFileName, "[Commemoration]\r\npCedtSPColor=bright pink\r\n");
    EXPECT_EQ(readMemorialSettings(file, sleeper).pCedtSPColor, 0x808000u);
}

TEST(MemorialSettings, WriteAndReadBack) {
    TempFolder folder;
    RecordingSleeper sleeper;
    const fs::path file =
        folder.write(kMemorialSettingsFileName, "[Other]\r\nkeep=me\r\n[Commemoration]\r\nx=1\r\n");
    MemorialSettings s;
    s.pCedtSp = "結婚記念日";
    s.pClblSp = "記念日ページ";
    s.pCcbHorikomi = false;
    s.pCcbYuusen = false;
    s.pCedtSPColor = 0x00FF00;
    EXPECT_EQ(writeMemorialSettings(file, s, "ベルモ Ver9.1.1", sleeper),
              ProfileFile::SaveOutcome::Saved);
    EXPECT_EQ(readMemorialSettings(file, sleeper), s);
    EXPECT_EQ(cp932::decode(TempFolder::read(file)),
              "[Other]\r\nkeep=me\r\n[Commemoration]\r\nx=1\r\n"
              "pCedtSp=結婚記念日\r\npClblSp=記念日ページ\r\npCcbHorikomi=0\r\n"
              "pCedtMigishita=ベルモ Ver9.1.1\r\npCcbKinenbiHyouji=1\r\npCcbYoteiHyouji=1\r\n"
              "pCcbYuusen=0\r\npCedtSPColor=clLime\r\n");
}

TEST(MemorialSettings, ALineBreakWritesNothing) {
    TempFolder folder;
    RecordingSleeper sleeper;
    const fs::path file = folder.write(kMemorialSettingsFileName, "[Commemoration]\r\n");
    MemorialSettings s;
    s.pClblSp = "二行\r\nの題";
    EXPECT_EQ(writeMemorialSettings(file, s, "label", sleeper), ProfileFile::SaveOutcome::Failed);
    EXPECT_EQ(TempFolder::read(file), "[Commemoration]\r\n");
}

}  // namespace
}  // namespace velmo
