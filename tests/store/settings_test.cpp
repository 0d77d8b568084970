#include "store/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "store/cp932.h"
#include "store/text_helpers.h"
#include "tests/support/fake_clock.h"
#include "tests/support/folder_reads.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::FakeClock;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::TempFolder;
using Load = ProfileFile::LoadOutcome;
using Save = ProfileFile::SaveOutcome;

std::vector<std::string> fileLines(const fs::path& path) {
    const std::string text = cp932::decode(TempFolder::read(path));
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}

class SettingsTest : public ::testing::Test {
protected:
    SettingsEnvironment env() const {
        return {.clock = clock,
                .workAreaHeight = 1040,
                .windowTop = 120,
                .windowLeft = 80,
                .currentDayCount = {1, true, 0, 30, 2},
                .foundEditor = "/usr/bin/ruvon"};
    }
    ProfileFile ini(std::string_view text) {
        return ProfileFile::load(folder.write("Torka.ini", cp932::encode(text)), kRetry, sleeper);
    }
    TorkaSettings read(std::string_view text) { return readSettings(ini(text), env()); }
    TorkaSettings read(std::string_view text, const SettingsEnvironment& e) {
        return readSettings(ini(text), e);
    }
    SettingsFilePlace place() const {
        return {.settingsFile = (folder / "Torka.ini").string(),
                .startFolder = folder.path().string() + "/"};
    }
    SettingsSaveContext context(int format = 1, int dataSet = 1) const {
        return {folder.path().string() + "/", format, dataSet};
    }

    static constexpr Retry kRetry{1, std::chrono::milliseconds(0)};
    FakeClock clock{{2024, 9, 10, 14, 7, 33, 0}};
    RecordingSleeper sleeper;
    TempFolder folder;
};

TEST_F(SettingsTest, FirstStartUsesDefaultsAndFirstSaveWritesEveryKeyInOrder) {
    SettingsStore store(place());
    const auto read = store.read(env(), sleeper);
    EXPECT_EQ(read.outcome, Load::Missing);
    EXPECT_EQ(read.settings, defaultSettings(env()));
    EXPECT_EQ(read.settings.timer.pTimer, (TimeOfDay{14, 7, 33}));
    EXPECT_EQ(read.settings.companions.edtEditorFolder, "/usr/bin/ruvon");

    TorkaSettings settings = read.settings;
    settings.display.vClientHeight = 640;  // the window's height at the save
    ASSERT_TRUE(store.save(settings, context(), sleeper).saved());

    // The written keys in the order of the key table, with their defaults; sections in
    // the order they first appear there.
    const std::string table = R"(
        Header/Version=Ver9.1.1 Header/Folder=START kanri/BackupDay=0 kanri/cbBackKankaku=0
        kanri/cbABackupJ=0 kanri/vBackKankaku=0 Set2/yDataForm=1 Set2/UseFolNo=1
        Settei/vUW=0 Settei/pMemoMode=0 Memo/visMemoMHide=0 Settei/vSizeNo=1
        Settei/cbMonthBtn=0 Settei/cbJigen=1 Settei/cbKidouKiroku=0 Settei/cbKirokuHyouji=0
        Settei/udKidouGyou=100 Settei/vCalGyou=5 Settei/vClientHeight=640 Settei/udYokoC=0
        Settei/udCalSize=0 Settei/cb24ji=0 Settei/cbZenkai=0 Settei/cbMemo=1 Settei/cbNet=0
        Settei/cbLNetf=0 Settei/vNet_flg=0 Settei/rbNetKoushin=0 Settei/cbNetIni=1
        Settei/cbHotkey=1 Settei/cbCloseBtn=0 Settei/cbToday=0 Settei/cbShiyouchuu=1
        Settei/cbTukiYotei=0 Settei/cbCursor=0 Settei/edFolder= Settei/edtNetFolder=
        Settei/edtNetFolder1= Settei/edtNetFolder2= Settei/edtNetFolder3=
        Settei/rgYFirstMonth=0 Settei/HyoujiIchi=0 Settei/cbNotMannaka=0 Settei/fmC21Top=120
        Settei/fmC21Left=80 Settei/CaFT1= Settei/CaFT2= Settei/CaFT3= Settei/DhFolderNo=2
        Settei/rgStYoubi=0 Settei/cbEquinox=0 Settei/cbFurikae=0 Settei/cbNeighborJump=0
        Settei/cbNextDay=1 Settei/cbBold=1 Settei/udKFutosa=1 Settei/edtKColor=clBlue
        Settei/cbUetume=0 Settei/cbToubai=1 Settei/cbNihongo=1 Settei/cbTukiMemo=0
        Settei/cbTukiMUeTume=1 Option/rbKinenbi=1 Option/edtCSun=clRed Option/edtCSat=clBlue
        Option/edtCWeekDay=clWindowText Option/edtCYotei=$00484848 Option/edtCRokuyo=$00484848
        Option/edtCKinenbi=clGreen KvMCal/TabToSp=2 KvMCal/TabAdj=100
        Settei/SpHajimariTuki=1 Settei/cbKOption=0 Settei/cbTimerNo=6 Settei/pTimer=14:07
        Settei/pTimerBf=3 Settei/cbTShuusei=0 Settei/cbClock=0 Settei/pTDay=0 Settei/pTWeek=0
        Settei/pTNini=0 Settei/pTTime=150000 Settei/pTChien=180 Settei/pTAccess=0
        Settei/pTYoubi=2 Settei/rgNissuu=1 Settei/cbKeisan=1 Settei/pcNen=0 Settei/udDay=30
        Settei/rgKekka=2 Settei/cbEditor=0 Settei/cbVelmoJ=0 Settei/cbVelmoM=0
        Settei/edtEditorFolder=/usr/bin/ruvon Velprin/cbPrint=0 Velprin/cbVelmoP=1
        Velprin/edtPrintFolder=)";
    std::vector<std::pair<std::string, std::string>> rows;  // section, "key=value"
    std::istringstream words(table);
    for (std::string word; words >> word;) {
        const std::size_t slash = word.find('/');
        rows.emplace_back(word.substr(0, slash), word.substr(slash + 1));
    }
    ASSERT_EQ(rows.size(), 97u);
    std::vector<std::string> sections;
    for (const auto& row : rows) {
        if (std::find(sections.begin(), sections.end(), row.first) == sections.end())
            sections.push_back(row.first);
    }
    std::string expected;
    for (const std::string& section : sections) {
        expected += "[" + section + "]\r\n";
        for (const auto& row : rows) {
            if (row.first == section)
                expected += row.second + "\r\n";
        }
    }
    expected = replaceAll(expected, "=START", "=" + folder.path().string() + "/");
    EXPECT_EQ(TempFolder::read(folder / "Torka.ini"), cp932::encode(expected));
}

TEST_F(SettingsTest, HandMadeFileRoundTripsWithoutLosingAnything) {
    const std::vector<std::string> original = {
        "; hand-made",
        "[HEADER]",
        "version=Ver8.0",
        "[settei]",
        "CBMEMO=0",
        "cbMemo=1",
        "vsizeno=2",
        "PTIMER=8:15",
        "UnknownKey=keep me",
        "  edFolder = /srv/予定/ ",
        "",
        "[fmDay]",
        "fmTop=10",
        "fmLeft=20",
        "[Kensaku]",
        "vItems=a,b,c",
        "[Settei]",
        "cbMemo=1",
        "[OPTION]",
        "edtCSun=$000000FF",
        "edtCSat=clAqua",
        "PageIndex=3",
        "[Jikoku]",
        "rbDay=0",
        "rbWeek=1",
        "vTime=12:00",
        "[Setup]",
        "edtKakidashi=日本語の値",
    };
    std::string text;
    for (const std::string& line : original)
        text += line + "\r\n";
    ProfileFile file = ini(text);
    const TorkaSettings first = readSettings(file, env());
    EXPECT_FALSE(first.behaviour.cbMemo);  // the first key of the first section wins
    EXPECT_EQ(first.display.vSizeNo, 2);
    EXPECT_EQ(first.data.edFolder, "/srv/予定/");
    EXPECT_EQ(first.colours.edtCSun, 0x0000FFu);
    EXPECT_EQ(first.colours.edtCSat, 0xFFFF00u);
    EXPECT_FALSE(first.correction.rbDay);
    EXPECT_TRUE(first.correction.rbWeek);

    ASSERT_TRUE(writeSettings(file, first, context()));
    ASSERT_EQ(file.save(kRetry, sleeper), Save::Saved);
    const std::vector<std::string> saved = fileLines(folder / "Torka.ini");

    // Every line is still there in its order; only the version and the colour spelled as
    // a number changed.
    std::vector<std::string> kept = original;
    kept[2] = "version=Ver9.1.1";
    kept[19] = "edtCSun=clRed";
    auto at = saved.begin();
    for (const std::string& line : kept) {
        at = std::find(at, saved.end(), line);
        ASSERT_NE(at, saved.end()) << "lost or moved: " << line;
        ++at;
    }
    const ProfileFile again = ProfileFile::load(folder / "Torka.ini", kRetry, sleeper);
    EXPECT_EQ(readSettings(again, env()), first);
}

TEST_F(SettingsTest, RowLayoutRules) {
    TorkaSettings s = read("[Settei]\r\nvSizeNo=4\r\nvCalGyou=7\r\nudYokoC=12\r\n");
    EXPECT_EQ(s.display.vSizeNo, 1);
    EXPECT_EQ(s.display.vCalGyou, 5);
    EXPECT_EQ(s.display.udYokoC, 0);

    s = read("[Settei]\r\nvSizeNo=4\r\nvCalGyou=4\r\nudYokoC=12\r\n");
    EXPECT_EQ(s.display.vSizeNo, 4);
    EXPECT_EQ(s.display.vCalGyou, 4);
    EXPECT_EQ(s.display.udYokoC, 12);

    SettingsEnvironment small = env();
    small.workAreaHeight = 609;
    s = read("[Settei]\r\nvSizeNo=2\r\nvCalGyou=14\r\nudYokoC=7\r\n", small);
    EXPECT_EQ(s.display.vSizeNo, 3);
    EXPECT_EQ(s.display.vCalGyou, 3);
    EXPECT_EQ(s.display.udYokoC, 7);
    small.workAreaHeight = 610;
    EXPECT_EQ(read("[Settei]\r\nvCalGyou=14\r\n", small).display.vCalGyou, 14);
}

TEST_F(SettingsTest, CorrectionDelayAndSwitchRules) {
    EXPECT_EQ(read("[Settei]\r\npTChien=301\r\n").correction.pTChien, 180);
    EXPECT_EQ(read("[Settei]\r\npTChien=300\r\n").correction.pTChien, 300);

    TorkaSettings s = read("[Settei]\r\ncbCloseBtn=1\r\ncbHotkey=1\r\ncbToday=1\r\n");
    EXPECT_TRUE(s.behaviour.cbCloseBtn);
    EXPECT_FALSE(s.behaviour.cbHotkey);
    EXPECT_TRUE(s.behaviour.cbToday);

    SettingsEnvironment oldShell = env();
    oldShell.shellAboveVersion4 = false;
    EXPECT_FALSE(read("[Settei]\r\ncbToday=1\r\n", oldShell).behaviour.cbToday);

    // cbLNetf counts only when started from a network drive.
    EXPECT_FALSE(read("[Settei]\r\ncbLNetf=1\r\n").network.cbLNetf);
    SettingsEnvironment network = env();
    network.startedFromNetwork = true;
    EXPECT_TRUE(read("[Settei]\r\ncbLNetf=1\r\n", network).network.cbLNetf);

    // An empty companion path means the program found; a stored one replaces it.
    EXPECT_EQ(read("[Settei]\r\nedtEditorFolder=\r\n").companions.edtEditorFolder,
              "/usr/bin/ruvon");
    EXPECT_EQ(read("[Settei]\r\nedtEditorFolder=/opt/r\r\n").companions.edtEditorFolder, "/opt/r");
}

TEST_F(SettingsTest, TimerKeysFollowTheTimerSwitch) {
    TorkaSettings s = read("[Settei]\r\ncbJigen=0\r\ncbTimerNo=2\r\npTimer=7:30\r\npTimerBf=9\r\n");
    EXPECT_EQ(s.timer.cbTimerNo, 6);
    EXPECT_EQ(s.timer.pTimer, (TimeOfDay{14, 7, 33}));
    EXPECT_EQ(s.timer.pTimerBf, 3);
    ProfileFile file = ini("[Settei]\r\ncbJigen=0\r\ncbTimerNo=2\r\npTimer=7:30\r\n");
    ASSERT_TRUE(writeSettings(file, s, context()));
    EXPECT_EQ(file.readString("Settei", "pTimer"), "7:30");  // neither read nor written
    EXPECT_EQ(file.readInt("Settei", "cbTimerNo", 0), 2);
    EXPECT_FALSE(file.keyExists("Settei", "pTimerBf"));

    s = read("[Settei]\r\ncbJigen=1\r\ncbTimerNo=2\r\npTimer=7:30:15\r\n");
    EXPECT_EQ(s.timer.cbTimerNo, 2);
    EXPECT_EQ(s.timer.pTimer, (TimeOfDay{7, 30, 15}));
    file = ini("");
    ASSERT_TRUE(writeSettings(file, s, context()));
    EXPECT_EQ(file.readString("Settei", "pTimer"), "7:30");
    // A time that does not parse keeps the default, now.
    EXPECT_EQ(read("[Settei]\r\npTimer=25:00\r\n").timer.pTimer, (TimeOfDay{14, 7, 33}));
}

TEST(TimeText, ShortTimeWritesAndBothFormsRead) {
    EXPECT_EQ(shortTimeText({9, 5, 59}), "9:05");
    EXPECT_EQ(shortTimeText({23, 0, 0}), "23:00");
    EXPECT_EQ(parseTimeText("9:05"), (TimeOfDay{9, 5, 0}));
    EXPECT_EQ(parseTimeText("09:05:30"), (TimeOfDay{9, 5, 30}));
    EXPECT_EQ(parseTimeText("0:00"), (TimeOfDay{0, 0, 0}));
    for (const char* bad : {"", "9", "9:", "9:5:", "24:00", "9:60", "123:00", "9:05 PM"})
        EXPECT_FALSE(parseTimeText(bad)) << bad;
}

TEST_F(SettingsTest, ColoursReadNamesAndNumbersAndWriteThemBack) {
    const TorkaSettings s = read(
        "[Option]\r\nedtCYotei=$00112233\r\nedtCKinenbi=clAqua\r\nedtCSun=junk\r\n"
        "[Settei]\r\nedtKColor=255\r\n");
    EXPECT_EQ(s.colours.edtCYotei, 0x112233u);
    EXPECT_EQ(s.colours.edtCKinenbi, 0xFFFF00u);
    EXPECT_EQ(s.colours.edtCSun, 0x0000FFu);  // default clRed
    EXPECT_EQ(s.calendar.edtKColor, 0x0000FFu);
    ProfileFile file = ini("");
    ASSERT_TRUE(writeSettings(file, s, context()));
    EXPECT_EQ(file.readString("Option", "edtCYotei"), "$00112233");
    EXPECT_EQ(file.readString("Option", "edtCKinenbi"), "clAqua");
    EXPECT_EQ(file.readString("Settei", "edtKColor"), "clRed");
}

TEST_F(SettingsTest, WindowsFoldersReadAsUnsetAndAreReportedOncePerRun) {
    folder.write("Torka.ini",
                 "[Settei]\r\nedFolder=D:\\Velmo\\\r\nedtNetFolder=\\\\server\\share\\\r\n"
                 "edtNetFolder1=/mnt/share/\r\nedtEditorFolder=c:\\Ruvon\\Ruvon.exe\r\n");
    SettingsStore store(place());
    auto result = store.read(env(), sleeper);
    EXPECT_EQ(result.settings.data.edFolder, "");
    EXPECT_EQ(result.settings.network.edtNetFolder, "");
    EXPECT_EQ(result.settings.network.edtNetFolder1, "/mnt/share/");
    EXPECT_EQ(result.settings.companions.edtEditorFolder, "/usr/bin/ruvon");
    EXPECT_EQ(
        result.windowsFoldersToReport,
        (std::vector<std::string>{"\\\\server\\share\\", "D:\\Velmo\\", "c:\\Ruvon\\Ruvon.exe"}));
    EXPECT_EQ(windowsFolderMessage({"D:\\Velmo\\"}),
              "Windows の設定フォルダ[D:\\Velmo\\]は使用できないため、設定を解除しました。");
    EXPECT_TRUE(store.read(env(), sleeper).windowsFoldersToReport.empty());

    ASSERT_TRUE(store.save(result.settings, context(), sleeper).saved());
    const ProfileFile saved = ProfileFile::load(folder / "Torka.ini", kRetry, sleeper);
    EXPECT_EQ(saved.readString("Settei", "edFolder", "?"), "");

    EXPECT_FALSE(isWindowsStylePath("/home/d:/x"));
    EXPECT_FALSE(isWindowsStylePath("//host/share"));
    EXPECT_TRUE(isWindowsStylePath(" Z:"));
}

TEST_F(SettingsTest, UnreadableFileGivesDefaultsAndIsNeverOverwritten) {
    fs::create_directory(folder / "Torka.ini");  // exists, but cannot be read as a file
    SettingsStore store(place());
    const auto result = store.read(env(), sleeper);
    EXPECT_EQ(result.outcome, Load::Unreadable);
    EXPECT_EQ(result.settings, defaultSettings(env()));
    EXPECT_TRUE(store.saveBlocked());

    // Even when the file can be read again by the time of the save, the defaults held
    // in memory must not replace it.
    fs::remove(folder / "Torka.ini");
    folder.write("Torka.ini", "[Settei]\r\nvSizeNo=2\r\n");
    const SettingsSaveResult refused = store.save(result.settings, context(), sleeper);
    EXPECT_EQ(refused.outcome, Save::Refused);
    EXPECT_EQ(TempFolder::read(folder / "Torka.ini"), "[Settei]\r\nvSizeNo=2\r\n");
    EXPECT_EQ(settingsSaveFailedMessage(refused),
              "設定ファイル[" + (folder / "Torka.ini").string() +
                  "]は読み込めなかったため、上書き保存しませんでした。");

    // A later successful read lifts the block.
    const auto later = store.read(env(), sleeper);
    EXPECT_EQ(later.settings.display.vSizeNo, 2);
    EXPECT_TRUE(store.save(later.settings, context(), sleeper).saved());
}

// Settings kept elsewhere behind a link whose file is not there yet: the first save
// creates that file and the link stays, so later reads go through it.
TEST_F(SettingsTest, LinkToAMissingFileIsWrittenThroughAndKept) {
    TempFolder elsewhere;
    fs::create_symlink(elsewhere / "Torka.ini", folder / "Torka.ini");
    SettingsStore store(place());
    const auto first = store.read(env(), sleeper);
    EXPECT_EQ(first.outcome, Load::Missing);
    ASSERT_TRUE(store.save(first.settings, context(), sleeper).saved());
    EXPECT_TRUE(fs::is_symlink(folder / "Torka.ini"));
    EXPECT_EQ(
        ProfileFile::load(elsewhere / "Torka.ini", kRetry, sleeper).readString("Header", "Version"),
        kSettingsVersion);
    EXPECT_EQ(store.read(env(), sleeper).outcome, Load::Loaded);
}

TEST_F(SettingsTest, LocalOperationReadsTheStartFolderFileAndMovesItWhole) {
    TempFolder user;
    folder.write("Torka.ini", "[Settei]\r\nvSizeNo=2\r\n[fmDay]\r\nfmTop=10\r\n");
    SettingsFilePlace p = place();
    p.settingsFile = (user / "Torka.ini").string();
    p.localOperation = true;
    SettingsStore store(p);
    const auto result = store.read(env(), sleeper);
    EXPECT_EQ(result.path, folder / "Torka.ini");
    EXPECT_EQ(result.settings.display.vSizeNo, 2);
    // Other windows read the settings folder's file, which is not this one.
    EXPECT_FALSE(result.settingsFile.has_value());
    ASSERT_TRUE(store.save(result.settings, context(), sleeper).saved());

    const ProfileFile moved = ProfileFile::load(user / "Torka.ini", kRetry, sleeper);
    EXPECT_EQ(moved.readInt("fmDay", "fmTop", 0), 10);
    EXPECT_EQ(moved.readInt("Settei", "vSizeNo", 0), 2);
    EXPECT_EQ(TempFolder::read(folder / "Torka.ini"),
              "[Settei]\r\nvSizeNo=2\r\n[fmDay]\r\nfmTop=10\r\n");
    const auto reread = store.read(env(), sleeper);
    EXPECT_EQ(reread.path, user / "Torka.ini");
    ASSERT_TRUE(reread.settingsFile.has_value());
    EXPECT_EQ(reread.settingsFile->readInt("fmDay", "fmTop", 0), 10);

    // Outside local operation the start folder's file is not consulted.
    p.localOperation = false;
    fs::remove(user / "Torka.ini");
    EXPECT_EQ(chooseSettingsFile(p).readFrom, user / "Torka.ini");
}

// A first start has no settings file anywhere: the folder is listed once to learn that,
// not once for each of the two files and again for the reader.
TEST_F(SettingsTest, AReadWithoutSettingsFilesListsTheFolderOnce) {
    SettingsFilePlace p = place();
    p.localOperation = true;
    SettingsStore store(p);
    testing::FolderReads reads(folder.path());
    EXPECT_EQ(store.read(env(), sleeper).outcome, Load::Missing);
    EXPECT_EQ(reads.take(), 1);

    // Settings in a folder of their own: each folder once.
    TempFolder user;
    p.settingsFile = (user / "Torka.ini").string();
    SettingsStore apart(p);
    testing::FolderReads userReads(user.path());
    EXPECT_EQ(apart.read(env(), sleeper).outcome, Load::Missing);
    EXPECT_EQ(reads.take(), 1);
    EXPECT_EQ(userReads.take(), 1);
}

TEST_F(SettingsTest, NetworkSetupPageOpensOnlyForAFirstNetworkStartWithoutSettings) {
    SettingsFilePlace p = place();
    p.startedFromNetwork = true;
    p.startMarkerExists = true;
    p.profileFolder = "/home/hanako/";
    EXPECT_TRUE(chooseSettingsFile(p).openNetworkSetupPage);
    p.profileFolder = " ";
    EXPECT_FALSE(chooseSettingsFile(p).openNetworkSetupPage);
    p.profileFolder = "/home/hanako/";
    folder.write("Torka.ini", "");
    EXPECT_FALSE(chooseSettingsFile(p).openNetworkSetupPage);
}

TEST_F(SettingsTest, FirstNetworkSetupIgnoresStoredSharedFolderKeysAndOverwritesThem) {
    folder.write("Torka.ini",
                 "[Settei]\r\nedtNetFolder=/old/share/\r\nedtNetFolder1=/old/share/\r\n"
                 "cbNet=0\r\ncbNetIni=0\r\nrbNetKoushin=1\r\nvNet_flg=1\r\n");
    const std::string start = folder.path().string() + "/";
    SettingsEnvironment e = env();
    e.keptSharedFolderKeys = firstNetworkSetupKeys(start);
    SettingsStore store(place());
    const TorkaSettings s = store.read(e, sleeper).settings;
    EXPECT_EQ(s.network.edtNetFolder, start);
    EXPECT_EQ(s.network.edtNetFolder1, "");
    EXPECT_TRUE(s.network.cbNet);
    EXPECT_TRUE(s.network.cbNetIni);
    EXPECT_EQ(s.network.rbNetKoushin, 2);
    EXPECT_TRUE(s.network.vNet_flg);  // not a shared-folder key: read as stored

    ASSERT_TRUE(store.save(s, context(), sleeper).saved());
    const ProfileFile saved = ProfileFile::load(folder / "Torka.ini", kRetry, sleeper);
    EXPECT_EQ(saved.readString("Settei", "edtNetFolder"), start);
    EXPECT_EQ(saved.readString("Settei", "edtNetFolder1", "?"), "");
    EXPECT_TRUE(saved.readBool("Settei", "cbNet", false));
    EXPECT_EQ(saved.readInt("Settei", "rbNetKoushin", 0), 2);
}

TEST_F(SettingsTest, AValueNoLineCanHoldSavesNothing) {
    SettingsStore store(place());
    TorkaSettings s = store.read(env(), sleeper).settings;
    s.data.CaFT1 = "CaFT\r\n1.mcp";
    EXPECT_EQ(store.save(s, context(), sleeper).outcome, Save::Unencodable);
    EXPECT_FALSE(fs::exists(folder / "Torka.ini"));
}

}  // namespace
}  // namespace velmo
