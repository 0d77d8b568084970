#include "store/data_folders.h"

#include <gtest/gtest.h>

#include <set>

#include "store/settings.h"
#include "tests/support/fake_clock.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using testing::FakeClock;
using testing::RecordingSleeper;
using testing::TempFolder;

// A disk holding exactly the given folders.
struct FakeDisk {
    std::set<std::string> folders;
    FolderExists exists() const {
        return [this](const std::string& f) { return folders.count(f) > 0; };
    }
};

class RecordingSwitch final : public NetworkModeSwitch {
public:
    explicit RecordingSwitch(Result answer) : answer_(answer) {}
    Result switchOn(const std::string& folder) override {
        calls.push_back(folder);
        return answer_;
    }
    std::vector<std::string> calls;

private:
    Result answer_;
};

TEST(DataFolders, DataSetFolderTextsForFilesAndForPaths) {
    EXPECT_EQ(dataSetFolder(2), "Data/Files2/");
    EXPECT_EQ(dataSetFolderText(3), "Data\\Files3\\");
    EXPECT_THROW(dataSetFolderText(0), std::out_of_range);
    EXPECT_THROW(DataLocation::dataSet("/r/", 4), std::out_of_range);
    EXPECT_EQ(dataRootFor("  ", "/start"), "/start/");
    EXPECT_EQ(dataRootFor("/srv/data", "/start/"), "/srv/data/");
}

TEST(DataFolders, FormatIsDecidedByTheDataSetFolder) {
    FakeDisk disk{{"/r/Data/", "/r/Data/Files1/", "/r/Data/Files3/"}};
    DataFolders f = decideDataFolders("", "/r/", 1, disk.exists());
    EXPECT_EQ(f.dataFormat, 2);
    EXPECT_EQ(f.current().folder(), "/r/Data/Files1/");
    EXPECT_EQ(f.current().label(), "Data\\Files1\\");
    EXPECT_EQ(f.commonFolder, "/r/Data/");
    EXPECT_EQ(dataSetMenuEnabled(f, disk.exists()), (std::array<bool, 3>{true, false, true}));

    // A flat folder whose only "Data/" came from the holiday CSV export stays flat, and
    // its memo, log and special days stay where they are.
    disk.folders = {"/r/Data/", "/r/Data/Dekita/", "/r/Data/Files2/"};
    f = decideDataFolders("", "/r/", 1, disk.exists());
    EXPECT_EQ(f.dataFormat, 1);
    EXPECT_EQ(f.current().folder(), "/r/");
    EXPECT_EQ(f.commonFolder, "/r/");
    EXPECT_EQ(dataSetMenuEnabled(f, disk.exists()), (std::array<bool, 3>{}));

    // A stored format 2 stands; without Files1 the files are still read from the root.
    f = decideDataFolders("", "/r/", 2, disk.exists());
    EXPECT_EQ(f.dataFormat, 2);
    EXPECT_EQ(f.current().folder(), "/r/");
    EXPECT_EQ(f.commonFolder, "/r/Data/");

    disk.folders.clear();
    f = decideDataFolders("", "/r/", 7, disk.exists());
    EXPECT_EQ(f.dataFormat, 1);
    EXPECT_EQ(f.commonFolder, "/r/");
}

TEST(DataFolders, DataSetAndFolderStayTogetherAcrossLaterReads) {
    FakeDisk disk{{"/r/Data/", "/r/Data/Files1/", "/r/Data/Files2/"}};
    RecordingSwitch none(NetworkModeSwitch::Result::NotBuilt);
    FolderReadInputs in{.startFolder = "/r/"};
    FolderReadResult first = decideFoldersForRead(in, nullptr, disk.exists(), none);
    DataFolders run = first.folders;
    EXPECT_FALSE(switchDataSet(run, 3, disk.exists()));  // no folder
    ASSERT_TRUE(switchDataSet(run, 2, disk.exists()));

    // The date change reads the settings again, with yDataForm and edFolder as stored.
    in.edFolder = "/elsewhere/";
    const FolderReadResult later = decideFoldersForRead(in, &run, disk.exists(), none);
    EXPECT_EQ(later.folders, run);
    EXPECT_EQ(later.folders.current().number(), 2);
    EXPECT_EQ(later.folders.current().folder(), "/r/Data/Files2/");
    EXPECT_EQ(later.folders.current().label(), "Data\\Files2\\");
    EXPECT_FALSE(later.commonDataNotice);

    FakeClock clock;
    RecordingSleeper sleeper;
    TempFolder folder;
    ProfileFile ini = ProfileFile::load(folder / "Torka.ini", {1, {}}, sleeper);
    const TorkaSettings settings = defaultSettings({.clock = clock});
    ASSERT_TRUE(writeSettings(ini, settings,
                              {"/r/", later.folders.dataFormat, later.folders.current().number()}));
    EXPECT_EQ(ini.readInt("Set2", "UseFolNo", 0), 2);

    // Switching is refused in format 1.
    disk.folders = {"/f/Data/Files2/"};
    DataFolders flat = decideDataFolders("", "/f/", 1, disk.exists());
    EXPECT_FALSE(switchDataSet(flat, 2, disk.exists()));
    EXPECT_EQ(flat.current().number(), 1);
}

TEST(DataFolders, CommonDataNoticeOnlyWhenARedecisionMovesIt) {
    FakeDisk disk{{"/r/Data/", "/r/Data/Files1/"}};
    RecordingSwitch none(NetworkModeSwitch::Result::NotBuilt);
    const DataFolders flat = decideDataFolders("", "/r/", 1, FakeDisk{}.exists());
    FolderReadInputs in{.startFolder = "/r/", .decideAgain = true};
    const FolderReadResult r = decideFoldersForRead(in, &flat, disk.exists(), none);
    EXPECT_EQ(r.folders.commonFolder, "/r/Data/");
    EXPECT_EQ(r.commonDataNotice,
              "共通データが書き変わりました。(1)\r\n以前：/r/\r\n今回：/r/Data/");
    EXPECT_FALSE(decideFoldersForRead(in, nullptr, disk.exists(), none).commonDataNotice);
}

TEST(DataFolders, NetworkModeDecision) {
    FakeDisk disk{{"/r/Data/", "/r/Data/Files1/", "/net/Data/Files1/", "/dn/"}};
    RecordingSwitch builtIn(NetworkModeSwitch::Result::On);
    FolderReadInputs in{.startFolder = "/r/", .edtNetFolder = "/net", .cbNet = true};

    FolderReadResult r = decideFoldersForRead(in, nullptr, disk.exists(), builtIn);
    EXPECT_EQ(r.network.state, NetworkState::Off);
    EXPECT_EQ(r.network.reason, NetworkOffReason::NotRequested);
    EXPECT_TRUE(builtIn.calls.empty());

    in.vNetFlg = true;
    r = decideFoldersForRead(in, nullptr, disk.exists(), builtIn);
    EXPECT_EQ(r.network.state, NetworkState::On);
    EXPECT_EQ(builtIn.calls, std::vector<std::string>{"/net/"});
    EXPECT_TRUE(r.folders.current().isShared());
    EXPECT_EQ(r.folders.current().folder(), "/net/Data/Files1/");
    EXPECT_EQ(r.folders.local.folder(), "/r/Data/Files1/");

    // Without shared-folder support the data stays local, with the reason said.
    NoSharedFolderSupport notBuilt;
    const FolderReadResult local = decideFoldersForRead(in, &r.folders, disk.exists(), notBuilt);
    EXPECT_EQ(local.network.state, NetworkState::Off);
    EXPECT_EQ(local.network.reason, NetworkOffReason::NotBuilt);
    EXPECT_EQ(local.folders.current().folder(), "/r/Data/Files1/");

    // An existing /DN folder replaces the stored one; a missing shared data folder
    // makes network mode unavailable.
    in.dnFolder = "/dn";
    r = decideFoldersForRead(in, nullptr, disk.exists(), builtIn);
    EXPECT_EQ(r.sharedFolder, "/dn/");
    EXPECT_EQ(r.network.state, NetworkState::Unavailable);
    EXPECT_FALSE(r.folders.shared);
    in.dnFolder = "/missing";
    EXPECT_EQ(decideFoldersForRead(in, nullptr, disk.exists(), builtIn).sharedFolder, "/net/");

    RecordingSwitch refusing(NetworkModeSwitch::Result::Failed);
    in.dnFolder.clear();
    EXPECT_EQ(decideFoldersForRead(in, nullptr, disk.exists(), refusing).network.reason,
              NetworkOffReason::StartFailed);
}

TEST(DataFolders, DataSetsFoundOnDiskOverrideAStoredFlatFormatAtTheNextSave) {
    TempFolder root;
    FakeClock clock;
    RecordingSleeper sleeper;
    std::filesystem::create_directories(root / "Data/Files1");
    root.write("Torka.ini", "[Set2]\r\nyDataForm=1\r\n");
    const std::string start = root.path().string() + "/";
    SettingsStore store({.settingsFile = start + "Torka.ini", .startFolder = start});
    const TorkaSettings s = store.read({.clock = clock, .workAreaHeight = 900}, sleeper).settings;
    EXPECT_EQ(s.yDataForm, 1);

    NoSharedFolderSupport network;
    const FolderReadResult r = decideFoldersForRead(
        {.startFolder = start, .edFolder = s.data.edFolder, .storedDataFormat = s.yDataForm},
        nullptr, folderExistsOnDisk, network);
    EXPECT_EQ(r.folders.dataFormat, 2);
    EXPECT_EQ(r.folders.current().folder(), start + "Data/Files1/");
    EXPECT_EQ(r.menuEnabled, (std::array<bool, 3>{true, false, false}));

    ASSERT_TRUE(store.save(s, {start, r.folders.dataFormat, r.folders.current().number()}, sleeper)
                    .saved());
    const ProfileFile saved = ProfileFile::load(root / "Torka.ini", {1, {}}, sleeper);
    EXPECT_EQ(saved.readInt("Set2", "yDataForm", 0), 2);
    EXPECT_EQ(saved.readInt("Set2", "UseFolNo", 0), 1);
}

}  // namespace
}  // namespace velmo
