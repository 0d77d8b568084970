#include "store/options_dialog_sections.h"

#include "store/profile_file.h"
#include "store/settings.h"

namespace velmo {

namespace {
constexpr const char* kJikoku = "Jikoku";
}

JikokuSection readJikokuSection(const std::filesystem::path& settingsFile, Sleeper& sleeper) {
    const ProfileFile file = ProfileFile::load(settingsFile, kSettingsRetry, sleeper);
    JikokuSection s;
    s.rbDay = file.readBool(kJikoku, "rbDay", s.rbDay);
    s.rbWeek = file.readBool(kJikoku, "rbWeek", s.rbWeek);
    s.rbShitei = file.readBool(kJikoku, "rbShitei", s.rbShitei);
    s.cbYoubi = file.readInt(kJikoku, "cbYoubi", s.cbYoubi);
    s.vTime = file.readString(kJikoku, "vTime", "");
    return s;
}

bool writeOptionsDialogSections(const std::filesystem::path& settingsFile, int pageIndex,
                                const JikokuSection& jikoku, Sleeper& sleeper) {
    return updateSettingsFile(settingsFile, sleeper, [&](ProfileFile& file) {
        file.writeInt("Option", "PageIndex", pageIndex);
        file.writeBool(kJikoku, "rbDay", jikoku.rbDay);
        file.writeBool(kJikoku, "rbWeek", jikoku.rbWeek);
        file.writeBool(kJikoku, "rbShitei", jikoku.rbShitei);
        file.writeInt(kJikoku, "cbYoubi", jikoku.cbYoubi);
        file.writeString(kJikoku, "vTime", jikoku.vTime);
    });
}

}  // namespace velmo
