#include "cli/admin_commands.h"

#include <cstdio>
#include <filesystem>
#include <optional>

#include "calendar/julius_day.h"
#include "cli/console_user_interface.h"
#include "cli/start_folder_settings.h"
#include "platform/posix/system_info.h"
#include "shared/administrator_files.h"
#include "shared/folder_creation.h"
#include "store/file_helpers.h"

namespace velmo {

namespace fs = std::filesystem;

namespace {

struct NetCreateRequest {
    fs::path folder;
    AdministratorEntry entry;
    std::optional<std::string> oldPassword;
    bool force = false;
};

std::optional<NetCreateRequest> parseNetCreate(const std::vector<std::string>& arguments) {
    NetCreateRequest request;
    std::vector<std::string> plain;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == "--admin" && hasValue)
            request.entry.name = arguments[++i];
        else if (a == "--password" && hasValue)
            request.entry.password = arguments[++i];
        else if (a == "--old-password" && hasValue)
            request.oldPassword = arguments[++i];
        else if (a == "--force")
            request.force = true;
        else if (a.starts_with("--"))
            return std::nullopt;
        else
            plain.push_back(a);
    }
    if (plain.size() != 1 || request.entry.name.empty() || request.entry.password.empty())
        return std::nullopt;
    request.folder = fs::absolute(plain[0]);
    return request;
}

CipherFileContext contextOf(UserInterface& ui, Sleeper& sleeper) {
    SystemClock clock;
    return {platform::computerName(), dateTimeToJuliusDay(clock.today()), systemRandomNumber(), ui,
            sleeper};
}

const char* levelName(int level) {
    switch (level) {
        case kAdministratorComputer:
            return " 管理コンピュータ";
        case kGrantedRights:
            return " 管理者権限";
        default:
            return "";
    }
}

}  // namespace

int runNetCreateCommand(const std::string& startFolder, const std::vector<std::string>& arguments) {
    const std::optional<NetCreateRequest> request = parseNetCreate(arguments);
    if (!request) {
        std::fputs(
            "Usage: velmo-tool net-create DIR --admin NAME --password PASS "
            "[--old-password OLD] [--force]\n",
            stderr);
        return 2;
    }
    // The questions of the dialog are decided here, so the ones asked get Yes.
    ConsoleUserInterface ui(true);
    if (const auto refusal = folderCreationRefusal(FolderCreationMode::CreateFolder,
                                                   platform::computerName(), {}, false)) {
        ui.message(*refusal);
        return 1;
    }
    if (existsAny(request->folder / kFolderAdministrationFileName) && !request->force) {
        ui.message(
            "既に、データフォルダ管理ファイルが存在します。\r\n"
            "上書きするには --force を付けてください。");
        return 1;
    }
    if (existsAny(request->folder / kAdministratorFileName) && !request->oldPassword) {
        ui.message(
            "このフォルダには、既に管理者が設定されています。\r\n"
            "書き換えるには --old-password で今の管理者のパスワードを付けてください。");
        return 1;
    }
    ThreadSleeper sleeper;
    const CipherFileContext context = contextOf(ui, sleeper);
    FolderCreationState state;
    FolderCreationPlace place;
    place.rightsFile = fs::path(startFolder) / kRightsFileName;
    place.skipOtherFilesQuestion = true;
    FolderCreation creation(
        state, place, context, [&](const std::string&) { return std::optional(request->folder); },
        [&] { return request->oldPassword; });
    const FolderCreationOutcome outcome =
        creation.press(FolderCreationMode::CreateFolder, request->entry);
    return outcome.chosenFolder.empty() ? 1 : 0;
}

int startFolderRightsLevel(const std::string& startFolder, const std::string& sharedFolder,
                           UserInterface& ui) {
    ThreadSleeper sleeper;
    const CipherFileContext context = contextOf(ui, sleeper);
    AdministratorEntry held;
    return evaluateRightsLevel({sharedFolder, fs::path(startFolder) / kRightsFileName}, held, false,
                               context);
}

int runRightsCommand(const std::string& startFolder, UserInterface& ui) {
    const std::optional<std::string> shared = configuredSharedFolder(startFolder, ui);
    if (!shared)
        return 1;
    const int level = startFolderRightsLevel(startFolder, *shared, ui);
    std::printf("%d%s\n", level, levelName(level));
    return std::ferror(stdout) ? 1 : 0;
}

}  // namespace velmo
