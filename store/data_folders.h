#pragma once
// Where the data files live: the data root, the data format, the data set in use, the
// common data folder and the switch into network mode. These are decided once per run
// from the settings and the folders found on disk. Folder texts end with "/".

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace velmo {

inline constexpr int kDataSetCount = 3;
// Below the data root: the common data of every data set and the data set folders.
inline constexpr const char* kCommonDataFolderName = "Data/";

// Whether a folder exists; injected so the decisions can be tested without disks.
using FolderExists = std::function<bool(const std::string& folder)>;
bool folderExistsOnDisk(const std::string& folder);

// Data set 1..3 as a folder below the data root: "Data/Files1/".
std::string dataSetFolder(int number);
// The same folder as texts inside the data files name it, byte-compatible with files
// written on Windows: "Data\Files1\". Throws std::out_of_range outside 1..3.
std::string dataSetFolderText(int number);

// The data set in use together with the folder its files live in. The two only change
// together, so a file can never be written into one data set's folder under the label
// (or the UseFolNo) of another.
class DataLocation {
public:
    DataLocation() = default;
    // Format 1: the files lie in the data root itself; the data set is 1.
    static DataLocation flat(const std::string& dataRoot);
    // Format 2: data root + "Data/FilesN/". Throws std::out_of_range outside 1..3.
    static DataLocation dataSet(const std::string& dataRoot, int number);
    // Network mode: shared folder + "Data/Files1/".
    static DataLocation shared(const std::string& sharedFolder);

    int number() const { return number_; }
    const std::string& folder() const { return folder_; }
    bool isShared() const { return shared_; }
    // The label written into data files: "Data\Files1\" and so on.
    std::string label() const { return dataSetFolderText(number_); }

    bool operator==(const DataLocation&) const = default;

private:
    DataLocation(int number, std::string folder, bool shared)
        : number_(number), folder_(std::move(folder)), shared_(shared) {}

    int number_ = 1;
    std::string folder_;
    bool shared_ = false;
};

struct DataFolders {
    std::string dataRoot{};
    int dataFormat = 1;  // 1 flat, 2 data set folders below "Data/"
    std::string commonFolder{};
    DataLocation local{};                  // the data set below the data root
    std::optional<DataLocation> shared{};  // set while network mode is on

    // Where the data files are read and written now.
    const DataLocation& current() const { return shared ? *shared : local; }

    bool operator==(const DataFolders&) const = default;
};

// edFolder (blank means unset) or else the start folder, with a trailing "/".
std::string dataRootFor(const std::string& edFolder, const std::string& startFolder);

// The first decision of a run. Only "Data/Files1/" proves format 2: a bare "Data/" is
// also made by the holiday CSV export ("Data/Dekita/"), and taking it for format 2 would
// move the common data folder away from a flat folder's memo, log and special days.
// Without "Data/Files1/" the stored format stands (anything but 2 counts as 1). The
// common data folder is data root + "Data/" in format 2 when that folder exists, else
// the data root. The data set is 1.
DataFolders decideDataFolders(const std::string& edFolder, const std::string& startFolder,
                              int storedDataFormat, const FolderExists& exists);

// Moves to another data set, changing the number and the folder together. False, with
// nothing changed, in format 1, in network mode, outside 1..3 or when its folder is
// missing.
bool switchDataSet(DataFolders& folders, int number, const FolderExists& exists);

// The Files1..Files3 menu items: each enabled in format 2 when its folder exists.
std::array<bool, kDataSetCount> dataSetMenuEnabled(const DataFolders& folders,
                                                   const FolderExists& exists);

// The /DN folder when given and existing, else the stored shared folder; "/" appended.
std::string sharedFolderFor(const std::string& edtNetFolder, const std::string& dnFolder,
                            const FolderExists& exists);

// ---- Network mode -------------------------------------------------------------------

enum class NetworkState {
    Off,          // not requested, or requested and could not start
    Unavailable,  // requested, but shared folder + "Data/Files1/" is missing
    On,
};

enum class NetworkOffReason {
    None,                 // network mode is on
    NotRequested,         // cbNet or vNet_flg is false
    SharedFolderMissing,  // the shared data folder was not found (state Unavailable)
    NotBuilt,             // this build has no shared-folder operation
    StartFailed,          // the shared-folder operation refused to start
};

struct NetworkDecision {
    NetworkState state = NetworkState::Off;
    NetworkOffReason reason = NetworkOffReason::NotRequested;
};

// Starts network operation on a shared folder: locks, maintenance test, administrator
// file and update counter. The shared-folder module implements this; this seam is where
// it plugs into the start-up decision.
class NetworkModeSwitch {
public:
    enum class Result { On, Failed, NotBuilt };
    virtual ~NetworkModeSwitch() = default;
    virtual Result switchOn(const std::string& sharedFolder) = 0;
};

// The switch of a build without shared-folder operation: every request stays off
// (reason NotBuilt), so the data stays local and the stored network keys are kept
// unchanged for a build that has it.
class NoSharedFolderSupport final : public NetworkModeSwitch {
public:
    Result switchOn(const std::string&) override { return Result::NotBuilt; }
};

// Network mode is tried only when both cbNet and vNet_flg are set and the shared data
// folder exists. Sets or clears folders.shared accordingly.
NetworkDecision decideNetworkMode(bool cbNet, bool vNetFlg, const std::string& sharedFolder,
                                  DataFolders& folders, const FolderExists& exists,
                                  NetworkModeSwitch& networkSwitch);

// ---- One settings read --------------------------------------------------------------

struct FolderReadInputs {
    std::string startFolder{};
    std::string edFolder{};  // as read, Windows-style folders already unset
    int storedDataFormat = 1;
    std::string edtNetFolder{};
    std::string dnFolder{};  // the /DN launch option, empty when not given
    bool cbNet = false;
    bool vNetFlg = false;
    // Decide the folders afresh even though the run has folders already, as after a
    // change of the data folder's layout; the common data notice can come only then.
    bool decideAgain = false;
};

struct FolderReadResult {
    DataFolders folders{};
    std::array<bool, kDataSetCount> menuEnabled{};
    std::string sharedFolder{};
    NetworkDecision network{};
    // The message to show when the common data folder changed since the earlier read.
    std::optional<std::string> commonDataNotice{};
};

// The folder work of a settings read. The first read of a run (earlier is null) decides
// the folders; later reads keep the data root, data format, data set and common data
// folder of the earlier read, so a date change while in Files2 stays in Files2, unless
// inputs.decideAgain asks for a fresh decision. Network mode is decided on every read.
FolderReadResult decideFoldersForRead(const FolderReadInputs& inputs, const DataFolders* earlier,
                                      const FolderExists& exists, NetworkModeSwitch& networkSwitch);

// "共通データが書き変わりました。(1)" with the old and the new common data folder.
std::string commonDataChangedMessage(const std::string& oldFolder, const std::string& newFolder);

}  // namespace velmo
