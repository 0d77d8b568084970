#pragma once
// "検索(&F)" of the main window: the one search window of the run, created at its first
// use and shown again afterwards.

#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/clock.h"
#include "core/user_interface.h"

class QMenu;

namespace velmo {

class MonthPage;
class RunSettings;
class TfmKensaku;
class ViewRequests;

struct SearchActionsContext {
    UserInterface& ui;
    Sleeper& sleeper;
    const Clock& clock;
    std::filesystem::path settingsFile;
    RunSettings& run;
    ViewRequests& requests;
    // What the main window does before a text window opens (hiding itself when asked).
    std::function<void()> beforeOpening;
    // The main window's save-all.
    std::function<void()> saveAll;
};

class SearchActions : public QObject {
    Q_OBJECT

public:
    // Puts "検索(&F)" (Ctrl+F) at the top of `functionsMenu`.
    SearchActions(SearchActionsContext context, QMenu& functionsMenu, QObject* parent);
    ~SearchActions() override;

    void open();
    TfmKensaku* window() const { return window_.get(); }
    // Closes the window as its own closing does and frees it (before going resident).
    void closeWindow();
    // The "検索" button of the month page's column.
    void attachToMonthPage(MonthPage& page);

private:
    SearchActionsContext context_;
    std::unique_ptr<TfmKensaku> window_;
};

}  // namespace velmo
