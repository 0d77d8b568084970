#pragma once
// Settings of the memorial-day feature, "Cmr.myc" in the common data folder, section
// [Commemoration]. The main window holds them from start-up to exit and hands them to
// the feature page of the setup window; nothing else acts on them.
//
// Field names are the key names.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "store/colour_text.h"
#include "store/profile_file.h"

namespace velmo {

inline constexpr const char* kMemorialSettingsFileName = "Cmr.myc";
inline constexpr const char* kCommemorationSection = "Commemoration";
inline constexpr const char* kMemorialFeatureName = "べる記念機能";
inline constexpr Colour kMemorialImportColour = 0x808000;  // clTeal

struct MemorialSettings {
    std::string pCedtSp = kMemorialFeatureName;   // name of the feature
    std::string pClblSp = kMemorialFeatureName;   // title on the feature page
    bool pCcbHorikomi = true;                     // engraved product label
    bool pCcbKinenbiHyouji = true;                // carried through; nothing edits it
    bool pCcbYoteiHyouji = true;                  // import memorial schedules: show
    bool pCcbYuusen = true;                       // ... shown first
    Colour pCedtSPColor = kMemorialImportColour;  // ... in this colour

    // The page title: pClblSp, or the feature name when that is empty.
    std::string pageTitle() const { return pClblSp.empty() ? pCedtSp : pClblSp; }

    bool operator==(const MemorialSettings&) const = default;
};

// The common data folder's feature settings file.
std::filesystem::path memorialSettingsPath(const std::filesystem::path& commonDataFolder);

// Every key with its default; a missing or unreadable file gives the defaults, and a
// colour text that names no colour gives clTeal.
MemorialSettings readMemorialSettings(const std::filesystem::path& file, Sleeper& sleeper);

// Writes every key (booleans as 1/0, the colour as its name) and pCedtMigishita, the
// product label's text, which is written for others to see but never read back. Other
// sections and keys of the file stay as they are. A file that exists but cannot be
// read is not overwritten (Refused).
ProfileFile::SaveOutcome writeMemorialSettings(const std::filesystem::path& file,
                                               const MemorialSettings& settings,
                                               std::string_view productLabel, Sleeper& sleeper);

}  // namespace velmo
