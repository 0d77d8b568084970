#pragma once
// The memo window: a plain-text editor for the shared memo "CaMemo.myc", the read-only
// "ReadMe.txt" and usage text "CaSima.dat", and any text file ("Editor"), with a column
// of jump buttons for the lines marked "&1".."&9".

#include <array>
#include <filesystem>
#include <functional>
#include <optional>

#include "dialogs/text_window.h"
#include "editor_models/jump_marks.h"
#include "store/text_document.h"

class QPushButton;
class QWidget;

namespace velmo {

enum class MemoMode { Memo = 0, ReadMe = 1, Usage = 2, Editor = 3 };

inline constexpr const char* kMemoMissingMessage =
    "メモファイルが見あたりません。\r\n新しいメモファイルを作ります。";
inline constexpr const char* kEditorFileMissingMessage =
    "以前に編集していたファイルが見あたりません。";
inline constexpr const char* kLeaveModifiedQuestion =
    "テキストが更新されています。\r\n保存しますか。";
inline constexpr const char* kReloadDeclinedMessage = "再読込いたしません。";

struct MemoWindowContext {
    TextWindowContext text;
    std::filesystem::path memoFile;     // CaMemo.myc of the common data folder
    std::filesystem::path readmeFile;   // ReadMe.txt of the start folder
    std::filesystem::path usageFile;    // CaSima.dat of the start folder
    std::filesystem::path startFolder;  // untitled texts are saved below its "Files"
    // The memo form of the options dialog on these settings.
    std::function<void(QWidget* owner, TextWindowSettings& settings)> options;
    // Opening an Editor-mode file: the chosen file, nothing when cancelled.
    std::function<std::optional<std::filesystem::path>(QWidget* owner)> openDialog;
};

class TfmMemo : public TextWindow {
    Q_OBJECT

public:
    explicit TfmMemo(MemoWindowContext context, QWidget* parent = nullptr);

    // Shows the window in a mode (ReadMe and usage only when their files exist).
    void showMode(MemoMode mode);
    MemoMode mode() const { return mode_; }
    const JumpMarks& marks() const { return marks_; }
    QPushButton* jumpButton(int mark) const { return numberButtons_[mark]; }
    bool jumpButtonsShown() const;
    // The file the current text is written to; empty for an untitled text.
    const std::filesystem::path& currentFile() const { return currentFile_; }

    void switchMode(MemoMode mode);
    void jumpTo(int mark, bool shiftHeld);
    void newText();
    void openFile();
    void reload();
    void saveUnderAnotherName();
    void toggleJumpButtons();
    void rescanMarks();

signals:
    // The mode as it stood when the window closed.
    void modeLeft(int mode);

protected:
    void showEvent(QShowEvent* event) override;
    bool leaving() override;

private:
    void buildMenus();
    QWidget* buildJumpColumn();
    void openModeText();
    bool loadEditorFile(const std::filesystem::path& file);
    bool leaveText();
    bool writeCurrent(const std::filesystem::path& file);
    bool saveUntitled();
    void rememberView();
    void restoreView();
    void refreshCaption();
    void refreshJumpColumn();
    void refreshMenus();
    ModeViewState& view() { return settings_.modes[static_cast<int>(mode_)]; }
    bool modeAvailable(MemoMode mode) const;

    MemoWindowContext memo_;
    TextWindowSettings settings_;
    MemoMode mode_ = MemoMode::Memo;
    std::filesystem::path currentFile_;
    TextDocument document_;  // how the current text is written back
    JumpMarks marks_{};
    bool loading_ = false;
    int lastLineCount_ = 0;
    QWidget* jumpColumn_ = nullptr;
    std::array<QPushButton*, 10> numberButtons_{};
    std::array<QAction*, 4> modeItems_{};
    QAction* newItem_ = nullptr;
    QAction* openItem_ = nullptr;
    QAction* saveAsItem_ = nullptr;
    QAction* jumpToggle_ = nullptr;
    QAction* jumpReset_ = nullptr;
};

}  // namespace velmo
