#pragma once
// The main window's user interface: every box goes to the user until the run ends
// unattended (a log-out sent SIGTERM). From then on nobody will click, so a question
// takes its default button and every text goes to a log stream instead of a box that
// would keep the program waiting until it is killed.

#include <ostream>
#include <string>

#include "core/user_interface.h"

namespace velmo {

class UserInterfaceSwitch final : public UserInterface {
public:
    UserInterfaceSwitch(UserInterface& attended, std::ostream& log)
        : attended_(attended), log_(log) {}

    void goUnattended() { unattended_ = true; }
    bool unattended() const { return unattended_; }

    bool question(const std::string& text, const std::string& caption,
                  DefaultButton defaultButton) override;
    void information(const std::string& text, const std::string& caption) override;
    void error(const std::string& text, const std::string& caption) override;
    void message(const std::string& text) override;
    void showWaitWindow() override;
    void hideWaitWindow() override;
    void showProgress(const std::string& caption, unsigned long long done,
                      unsigned long long total) override;
    void hideProgress() override;

private:
    void log(const std::string& text);

    UserInterface& attended_;
    std::ostream& log_;
    bool unattended_ = false;
};

}  // namespace velmo
