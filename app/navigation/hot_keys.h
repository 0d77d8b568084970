#pragma once
// The main window's global hot keys: which are registered, what a failed registration
// says, and the file whose presence keeps those messages quiet.

#include <filesystem>
#include <vector>

namespace velmo {

enum class HotKey {
    Resident = 123,      // Ctrl+F12: go resident or restore
    Editor = 125,        // Ctrl+F11: call the editor companion
    TodayBalloon = 129,  // Alt+Down: today's schedule balloon
};

inline constexpr const char* kHotKeyMessagesOffFile = "Torka2Ju.$$$";
inline constexpr const char* kHotKeyReleaseError =
    "ホットキーが解除エラーになりました。\r\n動作に問題はありません。";

// In registration order: Ctrl+F12 always, Ctrl+F11 while the editor companion is in
// use, Alt+Down with cbToday.
std::vector<HotKey> hotKeysToRegister(bool editorCompanionInUse, bool todayBalloon);

// The main information box for a key that could not be registered.
const char* hotKeyFailureText(HotKey key);

// A file named kHotKeyMessagesOffFile in the folder silences the failure messages.
bool hotKeyMessagesSilenced(const std::filesystem::path& currentFolder);

// The auto-resident countdown of the /J switch: one step a second while above 0.
class AutoResidentCountdown {
public:
    void start(int seconds) { seconds_ = seconds > 0 ? seconds : 0; }
    // A press in the month view or a page change.
    void cancel() { seconds_ = 0; }
    bool running() const { return seconds_ > 0; }
    int secondsLeft() const { return seconds_; }
    // One second passed; true when the countdown just reached 0 (go resident now).
    bool step();

private:
    int seconds_ = 0;
};

}  // namespace velmo
