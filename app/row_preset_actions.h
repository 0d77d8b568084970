#pragma once
// The display presets of the month view: the submenu "表示行数", the stored preset applied
// at the first showing, the width keys Ctrl+Shift+Right / Left, and the hidden size
// display "横×縦" (Ctrl+Alt+H), and "右ボタン表示" / "右ボタン非表示" (Ctrl+H), which
// switches the button column that hides itself (cbMonthBtn). A preset sizes the month view, and the
// window is fitted around it, so the window is resized only here and by the page switch.

#include <QObject>
#include <QRect>
#include <functional>
#include <optional>

#include "app/navigation/window_fit.h"
#include "monthview/row_presets.h"

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QTabWidget;
class QWidget;

namespace velmo {

class MonthPage;
class RunSettings;

struct RowPresetActionsContext {
    QMainWindow& window;
    MonthPage& monthPage;
    QTabWidget& pages;
    RunSettings& settings;
    // The day editor window, when there is one yet.
    std::function<QWidget*()> dayEditor;
};

class RowPresetActions : public QObject {
    Q_OBJECT

public:
    // Adds the submenu to `viewMenu`, the hidden size display to the window and its label
    // to the status bar. A compact work area hides the year page at once; printing is then
    // unavailable (see compact()).
    RowPresetActions(RowPresetActionsContext context, QMenu& viewMenu, QObject* parent);
    ~RowPresetActions() override;

    QMenu* menu() const { return menu_; }
    QAction* presetAction(int id) const;
    QAction* sizeDisplayAction() const { return sizeDisplay_; }
    QAction* buttonColumnAction() const { return buttonColumn_; }
    QLabel* sizeLabel() const { return sizeLabel_; }

    // A preset by its id; an unknown id applies "５行". A preset from the menu also
    // centres the window on the work area.
    void apply(int id, bool fromMenu = false);
    // The preset stored in the settings, at the first showing.
    void applyStored();
    // Ctrl+Shift+Right (+1) and Ctrl+Shift+Left (−1).
    void stepWidth(int step);
    // cbMonthBtn changed: the button column and the window follow.
    void applyMonthButtons();
    // "横×縦": shows the window's size in the status bar, or hides it again.
    void toggleSizeDisplay();
    // Ctrl+H: the button column hides itself, or stays, from now on; the window is laid
    // out again for the preset in use.
    void toggleButtonColumn();
    // The item's caption from cbMonthBtn, also after the options changed it.
    void refreshButtonColumnItem();

    bool compact() const { return compact_; }
    // The compact window of presets 5 and 6 keeps its size and place on a page switch.
    bool keepsWindowOnPageChange() const;
    const WindowDifferences& differences() const;

protected:
    // While Ctrl and Shift are held the button column that hides itself is shown.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshMenu();
    void measureDifferences();
    void resizeView();
    void fitWindow();
    void keepDayEditorOnScreen();
    void centreOnWorkArea();
    void showButtonColumn(bool shown);
    QRect workArea() const;

    RowPresetActionsContext context_;
    QMenu* menu_;
    QAction* sizeDisplay_;
    QAction* buttonColumn_;
    QLabel* sizeLabel_;
    std::optional<WindowDifferences> differences_;
    bool compact_ = false;
    bool holdingCtrlShift_ = false;
};

}  // namespace velmo
