#pragma once
// The user interface of velmo-tool: every text goes to stderr, and nobody is there to
// answer, so every question gets No, or Yes for a command run with --yes.

#include <string>

#include "core/user_interface.h"

namespace velmo {

class ConsoleUserInterface final : public UserInterface {
public:
    explicit ConsoleUserInterface(bool answerYes = false) : answerYes_(answerYes) {}

    bool question(const std::string& text, const std::string& caption,
                  DefaultButton defaultButton) override;
    void information(const std::string& text, const std::string& caption) override;
    void error(const std::string& text, const std::string& caption) override;
    void message(const std::string& text) override;
    void showWaitWindow() override {}
    void hideWaitWindow() override {}

private:
    bool answerYes_;
};

}  // namespace velmo
