#include "core/user_interface.h"

#include <algorithm>

namespace velmo {

namespace {

std::string captionOrDefault(const std::string& caption) {
    const bool blank =
        std::all_of(caption.begin(), caption.end(), [](char c) { return c == ' ' || c == '\t'; });
    return blank ? std::string(kQuestionCaption) : caption;
}

}  // namespace

bool ask(UserInterface& ui, const std::string& text, DefaultButton defaultButton,
         const std::string& caption) {
    return ui.question(text, captionOrDefault(caption), defaultButton);
}

void inform(UserInterface& ui, const std::string& text, const std::string& caption) {
    ui.information(text, captionOrDefault(caption));
}

void informMain(UserInterface& ui, const std::string& text) {
    ui.information(text, kMainInformationCaption);
}

}  // namespace velmo
