#pragma once
// The administrator file of a shared folder ("velnet.myc"), its folder administration
// file ("torkanet.bini"), each computer's rights file ("velnetid.myc") beside its
// settings, and the rights level this computer draws from them.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"
#include "shared/text_key_book.h"

namespace velmo {

inline constexpr const char* kAdministratorFileName = "velnet.myc";
inline constexpr const char* kRightsFileName = "velnetid.myc";
inline constexpr const char* kFolderAdministrationFileName = "torkanet.bini";
inline constexpr std::string_view kFolderAdministrationKey = "QuarneloVimbeTarskOldruin";

// The only rights levels a rights file may hold.
inline constexpr int kNoRights = 0;
inline constexpr int kGrantedRights = 6;
inline constexpr int kAdministratorComputer = 7;
// The administrator operations need more than this.
inline constexpr int kAdministratorRightsAbove = 5;
inline bool hasAdministratorRights(int level) {
    return level > kAdministratorRightsAbove;
}

inline constexpr const char* kCipherWriteMessage = "テキストコード書込エラー発生\r\n中止します";
inline constexpr const char* kPasswordStoredAsFalse = "false";

// The administrator's name and password last entered in this run.
struct AdministratorEntry {
    std::string name;
    std::string password;
};

// What the files are written and read with.
struct CipherFileContext {
    std::string computerName;
    std::int32_t today = 0;  // day number of the day written
    RandomNumber random;
    UserInterface& ui;
    Sleeper& sleeper;
};

// The fields of an administrator file that was read whole.
struct AdministratorRecord {
    std::string name;
    std::string password;  // "false" when the file holds none
    std::string computer;
};

// A random number source seeded from the clock and the system's entropy.
RandomNumber systemRandomNumber();

// Names and passwords must survive the files: no control characters, only characters
// CP932 can hold. The message for the first problem, or nothing.
std::optional<std::string> administratorTextProblem(std::string_view text);

// velnet.myc of the folder: the entry, this computer, "0" and today.
bool writeAdministratorFile(const std::filesystem::path& sharedFolder,
                            const AdministratorEntry& entry, const CipherFileContext& context);

inline constexpr const char* kFirstSetupAdministratorFailedMessage =
    "相性の問題で、これらの管理者名、又はパスワードが登録できません。\r\n"
    "管理者名、又はパスワードを変更して、再度実行してください。";

// The first start from a shared folder ("/F"): the name and password held become this
// computer's name, and that computer becomes the folder's administrator unless the
// folder names one already (an administrator is never replaced from here). False when
// the write failed (told).
bool prepareFirstSetupAdministrator(const std::filesystem::path& startFolder,
                                    AdministratorEntry& held, const CipherFileContext& context);

// Reads velnet.myc of the folder; kCipherReadMessage and nothing when it is not whole.
std::optional<AdministratorRecord> loadAdministratorFile(const std::filesystem::path& sharedFolder,
                                                         UserInterface& ui, Sleeper& sleeper);

// torkanet.bini of the folder. The program only writes it and tests that it exists.
bool writeFolderAdministrationFile(const std::filesystem::path& sharedFolder,
                                   const AdministratorEntry& entry,
                                   const CipherFileContext& context);

// The ini text of torkanet.bini (CP932) and its form on disk: every line enciphered
// on its own with kFolderAdministrationKey, so each deciphers back alone.
std::string folderAdministrationText(std::string_view headerCode, const AdministratorEntry& entry,
                                     const CipherFileContext& context);
std::string encipherIniLines(std::string_view text, std::string_view key);

// The rights file with name, password, this computer, the level and today; readable
// only by its owner.
bool writeRightsFile(const std::filesystem::path& rightsFile, const AdministratorEntry& entry,
                     int level, const CipherFileContext& context);

// Where this computer's rights come from.
struct RightsPlace {
    std::filesystem::path sharedFolder;  // holds velnet.myc
    std::filesystem::path rightsFile;    // settings folder + velnetid.myc
};

// Writes the rights file anew from the shared folder's administrator file: 7 on the
// administrator computer, 6 when the password held equals the administrator's, else 0.
// The name held becomes this computer's name. Nothing when it failed (told).
std::optional<int> rebuildRightsFile(const RightsPlace& place, AdministratorEntry& held,
                                     const CipherFileContext& context);

// The rights level of this computer: 0, 6 or 7. A rights file that is missing, names
// another computer, holds another level, or claims 7 while the administrator file
// names another computer is rebuilt first. firstNetworkSetup ("/F" from a network
// drive) announces the change of computer.
int evaluateRightsLevel(const RightsPlace& place, AdministratorEntry& held, bool firstNetworkSetup,
                        const CipherFileContext& context);

}  // namespace velmo
