#pragma once
// The one door through which non-GUI code talks to the user. The desktop program
// answers with real message boxes; tests script the answers and read back every text.

#include <string>

namespace velmo {

enum class DefaultButton { Yes, No };

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // Yes/No question with a question icon. Returns true only for Yes.
    virtual bool question(const std::string& text, const std::string& caption,
                          DefaultButton defaultButton) = 0;
    // OK box with an information icon.
    virtual void information(const std::string& text, const std::string& caption) = 0;
    // OK box with an error icon, for failures the user must notice.
    virtual void error(const std::string& text, const std::string& caption) = 0;
    // Plain box captioned with the application title and no icon.
    virtual void message(const std::string& text) = 0;

    // The blinking "please wait" window shown while a long operation runs.
    virtual void showWaitWindow() = 0;
    virtual void hideWaitWindow() = 0;

    // How far a long copy has come; a front end without a progress display ignores it.
    virtual void showProgress(const std::string& caption, unsigned long long done,
                              unsigned long long total) {
        (void)caption;
        (void)done;
        (void)total;
    }
    virtual void hideProgress() {}
};

inline constexpr const char* kQuestionCaption = "確認";
inline constexpr const char* kMainInformationCaption = "確認 -ベルモ-";

// Yes/No question captioned "確認" (or the given caption when it is not blank).
bool ask(UserInterface& ui, const std::string& text,
         DefaultButton defaultButton = DefaultButton::Yes, const std::string& caption = {});
// Information box captioned "確認" (or the given caption when it is not blank).
void inform(UserInterface& ui, const std::string& text, const std::string& caption = {});
// The main window's information box, captioned "確認 -ベルモ-".
void informMain(UserInterface& ui, const std::string& text);

// Hides the progress display when the operation ends, however it ends.
class ProgressScope {
public:
    explicit ProgressScope(UserInterface& ui) : ui_(ui) {}
    ~ProgressScope() { ui_.hideProgress(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    UserInterface& ui_;
};

// Shows the wait window for the lifetime of the object.
class WaitWindowScope {
public:
    explicit WaitWindowScope(UserInterface& ui) : ui_(ui) { ui_.showWaitWindow(); }
    ~WaitWindowScope() { ui_.hideWaitWindow(); }
    WaitWindowScope(const WaitWindowScope&) = delete;
    WaitWindowScope& operator=(const WaitWindowScope&) = delete;

private:
    UserInterface& ui_;
};

}  // namespace velmo
