#include "shared/administrator_files.h"

#include <chrono>
#include <memory>
#include <random>

#include "store/cp932.h"
#include "store/file_helpers.h"
#include "store/line_file.h"
#include "store/text_helpers.h"

namespace velmo {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kFrameFields = 5;
constexpr Retry kIniRetry{5, std::chrono::milliseconds(500)};

std::string passwordAsStored(const std::string& password) {
    return password.empty() ? std::string(kPasswordStoredAsFalse) : password;
}

bool saveFields(const fs::path& path, const std::vector<std::string>& fields,
                const CipherFileContext& context, NewFileAccess access) {
    if (saveFramedFile(path, fields, context.random, context.ui, context.sleeper, access))
        return true;
    context.ui.message(kCipherWriteMessage);
    return false;
}

std::optional<int> knownLevel(const std::string& text) {
    for (int level : {kNoRights, kGrantedRights, kAdministratorComputer}) {
        if (text == std::to_string(level))
            return level;
    }
    return std::nullopt;
}

}  // namespace

RandomNumber systemRandomNumber() {
    std::random_device device;
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::seed_seq seed{device(), static_cast<unsigned>(ticks), static_cast<unsigned>(ticks >> 32)};
    auto generator = std::make_shared<std::mt19937>(seed);
    return [generator](std::uint32_t bound) {
        return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(*generator);
    };
}

std::optional<std::string> administratorTextProblem(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = cp932::nextCodePoint(text, at);
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0))
            return std::string("制御文字は使えません。\r\n別の文字に置き換えてください。");
    }
    return unencodableTextMessage(text);
}

bool writeAdministratorFile(const fs::path& sharedFolder, const AdministratorEntry& entry,
                            const CipherFileContext& context) {
    return saveFields(
        sharedFolder / kAdministratorFileName,
        {entry.name, entry.password, context.computerName, "0", std::to_string(context.today)},
        context, NewFileAccess::Umask);
}

bool prepareFirstSetupAdministrator(const fs::path& startFolder, AdministratorEntry& held,
                                    const CipherFileContext& context) {
    held = {context.computerName, context.computerName};
    if (existsAny(startFolder / kAdministratorFileName))
        return true;
    if (writeAdministratorFile(startFolder, held, context))
        return true;
    context.ui.message(kFirstSetupAdministratorFailedMessage);
    return false;
}

std::optional<AdministratorRecord> loadAdministratorFile(const fs::path& sharedFolder,
                                                         UserInterface& ui, Sleeper& sleeper) {
    const std::optional<std::vector<std::string>> fields =
        loadFramedFile(sharedFolder / kAdministratorFileName, kFrameFields, ui, sleeper);
    if (!fields)
        return std::nullopt;
    return AdministratorRecord{(*fields)[0], passwordAsStored((*fields)[1]), (*fields)[2]};
}

std::string folderAdministrationText(std::string_view headerCode, const AdministratorEntry& entry,
                                     const CipherFileContext& context) {
    const auto line = [](std::string_view key, const std::string& value) {
        return std::string(key) + "=" + cp932::encode(value) + "\r\n";
    };
    return "[Net]\r\n" + line("dum1", std::string(headerCode)) + line("SvName", entry.name) +
           line("SvCode", entry.password) + line("SvPCName", context.computerName) +
           line("Hiduke", std::to_string(context.today)) + line("dum2", halfCode(headerCode));
}

std::string encipherIniLines(std::string_view text, std::string_view key) {
    // Line ends are below 32 and stay; the key starts again on every line.
    std::string result;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find("\r\n", at);
        end = end == std::string_view::npos ? text.size() : end + 2;
        result += transformText(text.substr(at, end - at), key);
        at = end;
    }
    return result;
}

bool writeFolderAdministrationFile(const fs::path& sharedFolder, const AdministratorEntry& entry,
                                   const CipherFileContext& context) {
    if (entry.name.empty() || entry.password.empty()) {
        context.ui.message(
            "管理者コード作成エラー（１）\r\n"
            "管理者名と暗証コードをチェックした後、再度処理を試みてください。");
        return false;
    }
    const std::string header = newHeaderCode(context.random);
    if (header.empty()) {
        context.ui.message("管理者コード作成エラー（２）\r\n再度処理を試みてください。");
        return false;
    }
    std::string text;
    try {
        text = folderAdministrationText(header, entry, context);
    } catch (const cp932::EncodeError&) {
        return false;
    }
    return writeFileAtomically(sharedFolder / kFolderAdministrationFileName,
                               encipherIniLines(text, kFolderAdministrationKey), kIniRetry,
                               context.sleeper);
}

bool writeRightsFile(const fs::path& rightsFile, const AdministratorEntry& entry, int level,
                     const CipherFileContext& context) {
    return saveFields(rightsFile,
                      {entry.name, entry.password, context.computerName, std::to_string(level),
                       std::to_string(context.today)},
                      context, NewFileAccess::OwnerOnly);
}

std::optional<int> rebuildRightsFile(const RightsPlace& place, AdministratorEntry& held,
                                     const CipherFileContext& context) {
    const fs::path adminFile = place.sharedFolder / kAdministratorFileName;
    if (!existsPlainFile(adminFile)) {
        context.ui.message("ネット管理ファイル[" + adminFile.string() + "]がありません。");
        return std::nullopt;
    }
    const std::optional<AdministratorRecord> admin =
        loadAdministratorFile(place.sharedFolder, context.ui, context.sleeper);
    if (!admin)
        return std::nullopt;
    held.name = context.computerName;
    int level = kNoRights;
    if (admin->computer == context.computerName)
        level = kAdministratorComputer;
    else if (admin->password == held.password)
        level = kGrantedRights;
    if (!writeRightsFile(place.rightsFile, {context.computerName, held.password}, level, context))
        return std::nullopt;
    return level;
}

int evaluateRightsLevel(const RightsPlace& place, AdministratorEntry& held, bool firstNetworkSetup,
                        const CipherFileContext& context) {
    for (int pass = 1; pass <= 2; ++pass) {
        if (!existsPlainFile(place.rightsFile)) {
            if (pass == 2) {
                context.ui.message("アクセス権限エラー");
                return kNoRights;
            }
        } else {
            const std::optional<std::vector<std::string>> fields =
                loadFramedFile(place.rightsFile, kFrameFields, context.ui, context.sleeper);
            if (!fields)
                return kNoRights;
            const std::string& computer = (*fields)[2];
            const std::optional<int> level = knownLevel((*fields)[3]);
            if (computer != context.computerName) {
                if (firstNetworkSetup) {
                    context.ui.message(
                        "管理コンピュータをインストールしたコンピュータに変更します。\r\nFrom [" +
                        context.computerName + "] to [" + computer + "]");
                }
            } else if (level && *level != kAdministratorComputer) {
                return *level;
            } else if (level) {
                // A claim to be the administrator computer holds only while the
                // administrator file says so.
                if (existsPlainFile(place.sharedFolder / kAdministratorFileName)) {
                    const std::optional<AdministratorRecord> admin =
                        loadAdministratorFile(place.sharedFolder, context.ui, context.sleeper);
                    if (!admin)
                        return kNoRights;
                    if (admin->computer == context.computerName)
                        return kAdministratorComputer;
                }
            }
        }
        if (!rebuildRightsFile(place, held, context))
            return kNoRights;
    }
    return kNoRights;
}

}  // namespace velmo
