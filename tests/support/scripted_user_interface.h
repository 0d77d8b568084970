#pragma once
// A UserInterface for tests: answers questions from a script and records every text
// so tests can assert the exact Japanese wording. It is strict: a question nobody
// scripted fails the running test (and gets No), and so does an answer still unused
// when the double goes away.

#include <deque>
#include <functional>
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
    ScriptedUserInterface() = default;
    ScriptedUserInterface(const ScriptedUserInterface&) = delete;
    ScriptedUserInterface& operator=(const ScriptedUserInterface&) = delete;
    ~ScriptedUserInterface() override;

    // Queue the answers the next questions will get (true = Yes).
    void answer(bool yes) { answers_.push_back({yes, {}}); }
    // The same, with something that happens while that question's box is open.
    void answer(bool yes, std::function<void()> whileOpen) {
        answers_.push_back({yes, std::move(whileOpen)});
    }

    bool question(const std::string& text, const std::string& caption,
                  DefaultButton defaultButton) override;
    void information(const std::string& text, const std::string& caption) override;
    void error(const std::string& text, const std::string& caption) override;
    void message(const std::string& text) override;
    void showWaitWindow() override { ++waitWindowShown_; }
    void hideWaitWindow() override { ++waitWindowHidden_; }
    void showProgress(const std::string&, unsigned long long done,
                      unsigned long long total) override {
        progress_.emplace_back(done, total);
        progressShowing_ = true;
    }
    void hideProgress() override { progressShowing_ = false; }

    const std::vector<ShownBox>& shown() const { return shown_; }
    std::vector<std::string> texts() const;
    std::vector<std::string> questions() const;
    int waitWindowShown() const { return waitWindowShown_; }
    int waitWindowHidden() const { return waitWindowHidden_; }
    std::size_t unusedAnswers() const { return answers_.size(); }
    // Every progress report (done, total), and whether the display is still up.
    const std::vector<std::pair<unsigned long long, unsigned long long>>& progress() const {
        return progress_;
    }
    bool progressShowing() const { return progressShowing_; }
    // Forgets the texts shown so far, for a test that goes on with a new case.
    void clearShown() { shown_.clear(); }

private:
    struct Answer {
        bool yes;
        std::function<void()> whileOpen;
    };
    std::deque<Answer> answers_;
    std::vector<ShownBox> shown_;
    int waitWindowShown_ = 0;
    int waitWindowHidden_ = 0;
    std::vector<std::pair<unsigned long long, unsigned long long>> progress_;
    bool progressShowing_ = false;
};

}  // namespace velmo::testing
