#include "tests/support/scripted_user_interface.h"

#include "tests/support/test_failure.h"

namespace velmo::testing {

ScriptedUserInterface::~ScriptedUserInterface() {
    if (answers_.empty())
        return;
    const std::vector<std::string> asked = questions();
    std::string message = std::to_string(answers_.size()) + " scripted answer(s) never used; ";
    if (asked.empty())
        message += "no question was asked";
    else
        message += "the questions asked were:";
    for (const std::string& text : asked)
        message += "\n  " + text;
    failRunningTest(message, __FILE__, __LINE__);
}

bool ScriptedUserInterface::question(const std::string& text, const std::string& caption,
                                     DefaultButton defaultButton) {
    shown_.push_back({ShownBox::Kind::Question, text, caption, defaultButton});
    if (answers_.empty()) {
        failRunningTest("question asked without a scripted answer: " + text, __FILE__, __LINE__);
        return false;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    if (answer.whileOpen)
        answer.whileOpen();
    return answer.yes;
}

void ScriptedUserInterface::information(const std::string& text, const std::string& caption) {
    shown_.push_back({ShownBox::Kind::Information, text, caption});
}

void ScriptedUserInterface::error(const std::string& text, const std::string& caption) {
    shown_.push_back({ShownBox::Kind::Error, text, caption});
}

void ScriptedUserInterface::message(const std::string& text) {
    shown_.push_back({ShownBox::Kind::Message, text, {}});
}

std::vector<std::string> ScriptedUserInterface::texts() const {
    std::vector<std::string> result;
    for (const ShownBox& box : shown_)
        result.push_back(box.text);
    return result;
}

std::vector<std::string> ScriptedUserInterface::questions() const {
    std::vector<std::string> result;
    for (const ShownBox& box : shown_) {
        if (box.kind == ShownBox::Kind::Question)
            result.push_back(box.text);
    }
    return result;
}

}  // namespace velmo::testing
