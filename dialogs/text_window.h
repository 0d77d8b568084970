#pragma once
// What the search window and the memo window share: the line editor, the eight-panel
// status bar, the edit and find commands with the find dialog, links, the window keys
// (Alt+Left/Right, Alt+M, Ctrl+Enter), the placement kept on the screen and the
// save-under-another-name procedure.

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"
#include "dialogs/find_settings.h"
#include "dialogs/text_find.h"
#include "store/text_window_settings.h"

class QLabel;
class QMenu;

namespace velmo {

class LineEditor;

// Where the main window goes when a text window is closed with Alt+Right or Alt+Left.
enum class ViewRequest { None, MonthView, YearView };

// The save dialog of "名前を付けて保存(&A)": the name chosen, nothing when cancelled.
using SaveNameDialog = std::function<std::optional<std::filesystem::path>(
    QWidget* owner, const std::filesystem::path& proposed)>;
SaveNameDialog desktopSaveNameDialog();

inline constexpr const char* kUntitledName = "無題";
inline constexpr const char* kOverwriteQuestion =
    "同名のファイルが存在します。\r\n上書きしますか？";

struct TextWindowContext {
    UserInterface& ui;
    Sleeper& sleeper;
    std::filesystem::path settingsFile;
    FindSettings findSettings{};
    SaveNameDialog saveNameDialog = desktopSaveNameDialog();
};

class TextWindow : public QMainWindow {
    Q_OBJECT

public:
    ~TextWindow() override;

    LineEditor* editor() const { return editor_; }
    QString statusPanelText(int panel) const;

    // The search string and options last used.
    const QString& searchString() const { return searchString_; }
    FindOptions currentOptions() const { return options_; }
    // Finds from the caret with the current options in the given direction; tells the
    // user when nothing was found.
    bool findAgain(bool forward);
    void findWith(const QString& text, FindOptions options);
    // "検索(&S)": the find dialog, then the search.
    void openFindDialog();

    void goToStart();
    void goToEnd();

    // Leaves the window and tells the main window where to go next.
    void closeTowards(ViewRequest request);

signals:
    void viewRequested(ViewRequest request);
    void windowClosed();

protected:
    TextWindow(TextWindowContext context, QWidget* parent);

    // The menus every text window has.
    void addEditMenu(QMenu* menu, bool withClipboardKeys);
    void addFindMenu(QMenu* menu);
    void showContextMenu(const QPoint& at);

    // The window's place from its settings, kept on the screen: a window larger than
    // the work area goes to its top-left corner, one partly outside is centred.
    void applyPlace(const TextWindowSettings& settings);
    void keepPlace(TextWindowSettings& settings) const;

    // Asks for a name until one is accepted ("無題" refused, an existing file only after
    // the overwrite question); nothing when the dialog was cancelled.
    std::optional<std::filesystem::path> askSaveName(const std::filesystem::path& proposed);

    // The editor's text as the plain code's UTF-8 lines, and back; setting is not an edit.
    std::vector<std::string> editorLines() const;
    void showLines(const std::vector<std::string>& lines);

    void setModeName(const QString& name);
    void setProgressText(const QString& text);
    void refreshStatus();

    // Subclasses close through this, so their leaving steps run once.
    void closeEvent(QCloseEvent* event) override;
    virtual bool leaving() = 0;
    bool eventFilter(QObject* watched, QEvent* event) override;

    TextWindowContext context_;
    ViewRequest pendingRequest_ = ViewRequest::None;
    // The search window drops the selection when a search finds nothing; the memo keeps it.
    bool clearsSelectionWhenNotFound_ = true;

private:
    void refreshEditMenu();
    void openLinkAtClick(const QString& link);

    LineEditor* editor_;
    QLabel* panels_[8] = {};
    QMenu* editMenu_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* cut_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
    QAction* findNext_ = nullptr;
    QAction* findPrevious_ = nullptr;
    QString searchString_;
    FindOptions options_;
    bool capsLock_ = false;
    bool numLock_ = false;
};

}  // namespace velmo
