#include "tests/support/scripted_user_interface.h"

#include <gtest/gtest.h>

namespace velmo::testing {

bool ScriptedUserInterface::question(const std::string& text, const std::string& caption,
                                     DefaultButton defaultButton) {
    shown_.push_back({ShownBox::Kind::Question, text, caption, defaultButton});
    if (answers_.empty()) {
        ADD_FAILURE() << "question asked without a scripted answer: " << text;
        return false;
    }
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
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

}  // namespace velmo::testing
