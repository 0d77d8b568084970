#pragma once
// The memo window as the main window offers it: the submenu "メモ欄(&M)" of "表示(&V)"
// with its four modes, the month view's "メモ(&M)" command and the "メモ" tab, which
// holds no page of its own and opens the window instead.

#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/clock.h"
#include "core/user_interface.h"

class QAction;
class QMenu;
class QTabWidget;

namespace velmo {

class MainCommands;
class RunSettings;
class TfmMemo;
class ViewRequests;
struct StartFolders;

struct MemoActionsContext {
    UserInterface& ui;
    Sleeper& sleeper;
    const StartFolders& folders;
    RunSettings& run;
    ViewRequests& requests;
    QTabWidget& pages;
    int memoPageIndex;
    // The start/end log item, which the submenu carries as well.
    QAction* logItem;
    std::function<void()> beforeOpening;
    // The editor companion takes the memo command while it is in use: true when it did.
    std::function<bool()> throughCompanion;
    // cbEditor: the submenu is disabled while it is set.
    std::function<bool()> editorChosen;
};

class MemoActions : public QObject {
    Q_OBJECT

public:
    MemoActions(MemoActionsContext context, QMenu& viewMenu, MainCommands& commands,
                QObject* parent);
    ~MemoActions() override;

    // Opens the window in a mode (0 memo, 1 ReadMe, 2 usage text, 3 editor).
    void open(int mode);
    TfmMemo* window() const { return window_.get(); }
    // "メモ欄(&M)" is disabled while cbEditor is set.
    void refreshEnabling();
    // Closes the window as its own closing does and frees it (before going resident).
    void closeWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshSubmenu();
    std::filesystem::path readmeFile() const;
    std::filesystem::path usageFile() const;

    MemoActionsContext context_;
    std::unique_ptr<TfmMemo> window_;
    QMenu* submenu_ = nullptr;
    QAction* items_[4] = {};
    int shownPage_ = 0;
};

}  // namespace velmo
