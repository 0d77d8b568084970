#include "store/memorial_settings.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {
constexpr Retry kMemorialRetry{5, std::chrono::milliseconds(500)};
constexpr const char* kSection = kCommemorationSection;
}  // namespace

fs::path memorialSettingsPath(const fs::path& commonDataFolder) {
    return commonDataFolder / kMemorialSettingsFileName;
}

MemorialSettings readMemorialSettings(const fs::path& file, Sleeper& sleeper) {
    const ProfileFile profile = ProfileFile::load(file, kMemorialRetry, sleeper);
    const MemorialSettings d;
    MemorialSettings s;
    s.pCedtSp = profile.readString(kSection, "pCedtSp", d.pCedtSp);
    s.pClblSp = profile.readString(kSection, "pClblSp", d.pClblSp);
    s.pCcbHorikomi = profile.readBool(kSection, "pCcbHorikomi", d.pCcbHorikomi);
    s.pCcbKinenbiHyouji = profile.readBool(kSection, "pCcbKinenbiHyouji", d.pCcbKinenbiHyouji);
    s.pCcbYoteiHyouji = profile.readBool(kSection, "pCcbYoteiHyouji", d.pCcbYoteiHyouji);
    s.pCcbYuusen = profile.readBool(kSection, "pCcbYuusen", d.pCcbYuusen);
    s.pCedtSPColor = textToColour(
        profile.readString(kSection, "pCedtSPColor", colourToText(d.pCedtSPColor)), d.pCedtSPColor);
    return s;
}

ProfileFile::SaveOutcome writeMemorialSettings(const fs::path& file, const MemorialSettings& s,
                                               std::string_view productLabel, Sleeper& sleeper) {
    // Read afresh, so keys written by someone else since start-up survive.
    ProfileFile profile = ProfileFile::load(file, kMemorialRetry, sleeper);
    if (profile.isUnreadable())
        return ProfileFile::SaveOutcome::Refused;
    const bool stored = profile.writeString(kSection, "pCedtSp", s.pCedtSp) &&
                        profile.writeString(kSection, "pClblSp", s.pClblSp) &&
                        profile.writeBool(kSection, "pCcbHorikomi", s.pCcbHorikomi) &&
                        profile.writeString(kSection, "pCedtMigishita", productLabel) &&
                        profile.writeBool(kSection, "pCcbKinenbiHyouji", s.pCcbKinenbiHyouji) &&
                        profile.writeBool(kSection, "pCcbYoteiHyouji", s.pCcbYoteiHyouji) &&
                        profile.writeBool(kSection, "pCcbYuusen", s.pCcbYuusen) &&
                        profile.writeString(kSection, "pCedtSPColor", colourToText(s.pCedtSPColor));
    // A text with a line break cannot be one value; writing half the keys would be worse.
    if (!stored)
        return ProfileFile::SaveOutcome::Failed;
    return profile.save(kMemorialRetry, sleeper);
}

}  // namespace velmo
