#include "cli/console_user_interface.h"

#include <cstdio>

namespace velmo {

namespace {

void print(const std::string& caption, const std::string& text) {
    std::string plain;
    for (char c : text) {
        if (c != '\r')
            plain += c;
    }
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), plain.c_str());
}

}  // namespace

bool ConsoleUserInterface::question(const std::string& text, const std::string& caption,
                                    DefaultButton) {
    print(caption, text + (answerYes_ ? " → はい" : " → いいえ"));
    return answerYes_;
}

void ConsoleUserInterface::information(const std::string& text, const std::string& caption) {
    print(caption, text);
}

void ConsoleUserInterface::error(const std::string& text, const std::string& caption) {
    print(caption, text);
}

void ConsoleUserInterface::message(const std::string& text) {
    print("velmo-tool", text);
}

}  // namespace velmo
