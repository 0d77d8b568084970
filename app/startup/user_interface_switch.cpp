#include "app/startup/user_interface_switch.h"

#include "store/text_helpers.h"

namespace velmo {

void UserInterfaceSwitch::log(const std::string& text) {
    log_ << "velmo: " << replaceAll(text, "\r\n", "\n") << '\n';
    log_.flush();
}

bool UserInterfaceSwitch::question(const std::string& text, const std::string& caption,
                                   DefaultButton defaultButton) {
    if (!unattended_)
        return attended_.question(text, caption, defaultButton);
    const bool yes = defaultButton == DefaultButton::Yes;
    log(text + (yes ? " → はい" : " → いいえ"));
    return yes;
}

void UserInterfaceSwitch::information(const std::string& text, const std::string& caption) {
    if (unattended_)
        log(text);
    else
        attended_.information(text, caption);
}

void UserInterfaceSwitch::error(const std::string& text, const std::string& caption) {
    if (unattended_)
        log(text);
    else
        attended_.error(text, caption);
}

void UserInterfaceSwitch::message(const std::string& text) {
    if (unattended_)
        log(text);
    else
        attended_.message(text);
}

// The wait window blocks nothing, and a window shown before the switch must still go.
void UserInterfaceSwitch::showWaitWindow() {
    attended_.showWaitWindow();
}

void UserInterfaceSwitch::hideWaitWindow() {
    attended_.hideWaitWindow();
}

void UserInterfaceSwitch::showProgress(const std::string& caption, unsigned long long done,
                                       unsigned long long total) {
    attended_.showProgress(caption, done, total);
}

void UserInterfaceSwitch::hideProgress() {
    attended_.hideProgress();
}

}  // namespace velmo
