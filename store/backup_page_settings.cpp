#include "store/backup_page_settings.h"

#include <string_view>

#include "store/settings.h"

namespace velmo {

namespace {

struct KeyNames {
    const char* destination1;
    const char* destination2;
    const char* label1;
    const char* label2;
    const char* restoreSource;
};

KeyNames keysFor(bool networkMode) {
    if (networkMode)
        return {"edtNetCopy1", "edtNetCopy2", "lblNetCopy1", "lblNetCopy2", "edtNetCopy3"};
    return {"edtCopy1", "edtCopy2", "lblCopy1", "lblCopy2", "edtCopy3"};
}

}  // namespace

BackupPageSettings readBackupPageSettings(const ProfileFile& file, bool networkMode) {
    const KeyNames k = keysFor(networkMode);
    const BackupPageSettings d;
    BackupPageSettings s;
    s.destination1 = file.readString(kSetupSection, k.destination1, d.destination1);
    s.destination2 = file.readString(kSetupSection, k.destination2, d.destination2);
    s.label1 = file.readString(kSetupSection, k.label1, d.label1);
    s.label2 = file.readString(kSetupSection, k.label2, d.label2);
    s.restoreSource = file.readString(kSetupSection, k.restoreSource, d.restoreSource);
    s.setupX = file.readInt(kSetupSection, "SetupX", d.setupX);
    s.setupY = file.readInt(kSetupSection, "SetupY", d.setupY);
    return s;
}

void writeBackupPageSettings(ProfileFile& file, const BackupPageSettings& s, bool networkMode) {
    const KeyNames k = keysFor(networkMode);
    file.writeString(kSetupSection, k.destination1, s.destination1);
    file.writeString(kSetupSection, k.destination2, s.destination2);
    file.writeString(kSetupSection, k.label1, s.label1);
    file.writeString(kSetupSection, k.label2, s.label2);
    file.writeString(kSetupSection, k.restoreSource, s.restoreSource);
    file.writeInt(kSetupSection, "SetupX", s.setupX);
    file.writeInt(kSetupSection, "SetupY", s.setupY);
}

BackupPageSettings loadBackupPageSettings(const std::filesystem::path& settingsFile,
                                          bool networkMode, Sleeper& sleeper) {
    return readBackupPageSettings(ProfileFile::load(settingsFile, kSettingsRetry, sleeper),
                                  networkMode);
}

bool saveBackupPageSettings(const std::filesystem::path& settingsFile,
                            const BackupPageSettings& settings, bool networkMode,
                            Sleeper& sleeper) {
    return updateSettingsFile(settingsFile, sleeper, [&](ProfileFile& file) {
        writeBackupPageSettings(file, settings, networkMode);
    });
}

}  // namespace velmo
