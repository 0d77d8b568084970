#pragma once
// A UserInterface for tests: answers questions from a script and records every text
// so tests can assert the exact Japanese wording.

#include <deque>
#include <string>
#include <vector>

#include "core/user_interface.h"

namespace velmo::testing {

struct ShownBox {
    enum class Kind { Question, Information, Error, Message };
    Kind kind;
    std::string text;
    std::string caption;
    DefaultButton defaultButton = DefaultButton::Yes;
};

class ScriptedUserInterface final : public UserInterface {
public:
    // Queue the answers the next questions will get (true = Yes).
    void answer(bool yes) { answers_.push_back(yes); }

    bool question(const std::string& text, const std::string& caption,
                  DefaultButton defaultButton) override;
    void information(const std::string& text, const std::string& caption) override;
    void error(const std::string& text, const std::string& caption) override;
    void message(const std::string& text) override;
    void showWaitWindow() override { ++waitWindowShown_; }
    void hideWaitWindow() override { ++waitWindowHidden_; }

    const std::vector<ShownBox>& shown() const { return shown_; }
    std::vector<std::string> texts() const;
    int waitWindowShown() const { return waitWindowShown_; }
    int waitWindowHidden() const { return waitWindowHidden_; }
    std::size_t unusedAnswers() const { return answers_.size(); }

private:
    std::deque<bool> answers_;
    std::vector<ShownBox> shown_;
    int waitWindowShown_ = 0;
    int waitWindowHidden_ = 0;
};

}  // namespace velmo::testing
