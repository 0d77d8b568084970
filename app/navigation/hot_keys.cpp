#include "app/navigation/hot_keys.h"

#include <system_error>

namespace velmo {

std::vector<HotKey> hotKeysToRegister(bool editorCompanionInUse, bool todayBalloon) {
    std::vector<HotKey> keys{HotKey::Resident};
    if (editorCompanionInUse)
        keys.push_back(HotKey::Editor);
    if (todayBalloon)
        keys.push_back(HotKey::TodayBalloon);
    return keys;
}

const char* hotKeyFailureText(HotKey key) {
    switch (key) {
        case HotKey::Resident:
            return "RegisterHotKey();に失敗しました\r\n[Ctrl]+[F12]は使えません。";
        case HotKey::Editor:
            return "RegisterHotKey();に失敗しました\r\n[Ctrl]+[F11]は使えません。";
        case HotKey::TodayBalloon:
            break;
    }
    return "RegisterHotKey();に失敗しました\r\n[今日の予定表示キー]は使えません。";
}

bool hotKeyMessagesSilenced(const std::filesystem::path& currentFolder) {
    std::error_code error;
    return std::filesystem::exists(currentFolder / kHotKeyMessagesOffFile, error);
}

bool AutoResidentCountdown::step() {
    if (seconds_ <= 0)
        return false;
    --seconds_;
    return seconds_ == 0;
}

}  // namespace velmo
