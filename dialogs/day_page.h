#pragma once
// The day page of the editor window: the header (date, weekday and the day's holiday
// and memorial-day names, or the month memo's caption), the lines with their colours,
// and the pop-up menu whose keys work in the lines.

#include <QKeyCombination>
#include <QWidget>
#include <memory>
#include <optional>
#include <span>

#include "calendar/day_rules.h"
#include "calendar/julius_day.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "dialogs/line_editor.h"
#include "dialogs/period_page.h"
#include "editor_models/day_editor_lines.h"
#include "editor_models/day_line_attrs.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;

namespace velmo {

inline constexpr const char* kAttrMismatchMessage =
    "行属性の整合性が、あっておりません。\r\n"
    "申し訳ございませんが、この修正をキャンセルしてください。";

// What the day page's header shows for a day.
struct DayHeader {
    Ymd date{};
    DayNameList names;  // holiday ("H") and memorial-day ("S") names of the date
    Colour holidayNameColour = 0x0000FF;
    Colour memorialNameColour = 0x008000;
};

struct DayPageSettings {
    int tabWidth = 8;                  // the month view's TabMojiSuu
    Colour standardColour = 0x484848;  // the month view's schedule text colour
};

class DayPage;

// One entry of the pop-up menu and its key. The menu is built from these rows in
// order, and the lines' key filter finds its keys in them, so the two cannot differ.
struct DayCommand {
    enum class Menu { Popup, Insert, Colour };
    enum class Kind { Item, Checkable, Submenu };

    const char* name;  // the action's object name
    const char* caption;
    QKeyCombination key;
    void (*run)(DayPage& page);  // nothing of its own when null
    Menu menu;  // where an item sits; the submenu a Submenu row opens (in the pop-up)
    Kind kind;
    bool hidden;     // in the menu but never shown (its key still works)
    bool editorKey;  // the line editor handles the key itself; the menu only shows it
};

// Every row, in menu order.
std::span<const DayCommand> dayCommands();
// The row whose key the key filter handles, or null. Only Shift, Ctrl and Alt count.
const DayCommand* dayCommandForKey(QKeyCombination key);

class DayPage : public QWidget {
    Q_OBJECT

public:
    enum class ColourCommand { Red, Blue, Pink, Teal, Brown, Choose, Standard };

    DayPage(UserInterface& ui, const Clock& clock, ColourChooser chooser,
            QWidget* parent = nullptr);
    ~DayPage() override;

    void openDay(const DayHeader& header, const DayEditorLines& lines,
                 const DayPageSettings& settings);
    void openMonthMemo(int year, int month, const DayEditorLines& lines,
                       const DayPageSettings& settings);
    // Puts the caret where the user goes on writing and fills the header; the page must
    // already be laid out.
    void showLines();
    void drawHolidayStrip();

    bool monthMemo() const { return monthMemo_; }
    // The lines with their records fitted to them, one each.
    DayEditorLines lines() const;
    // False, with the reason shown and the focus on the lines, when a line cannot be
    // stored.
    bool checkBeforeStoring();

    // The commands of the pop-up menu.
    void colourLines(ColourCommand command);
    void insertNow();
    void copySelection();
    // Opens the colour submenu at the caret, when it is enabled.
    void popupColourMenu();
    void updateMenuState();
    void updateColourMarks();

    LineEditor* memo() const { return memo_; }
    QLabel* dateLabel() const { return label1_; }
    QLabel* weekdayLabel() const { return youbi_; }
    QLabel* holidayStrip() const { return saijitu_; }
    QLabel* headerCaption() const { return headerCaption_; }
    QMenu* contextMenu() const { return popup_; }
    QMenu* colourMenu() const { return colourMenu_; }
    QAction* action(const char* name) const;
    const DayLineAttrList& attributes() const { return attrs_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Tracker;

    void buildMenu();
    std::optional<QColor> lineColour(int row) const;

    UserInterface& ui_;
    const Clock& clock_;
    ColourChooser chooser_;

    QFrame* header_ = nullptr;
    QLabel* headerCaption_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* youbi_ = nullptr;
    QLabel* saijitu_ = nullptr;
    LineEditor* memo_ = nullptr;
    QMenu* popup_ = nullptr;
    QMenu* colourMenu_ = nullptr;
    QMenu* insertMenu_ = nullptr;

    std::unique_ptr<Tracker> tracker_;
    DayLineAttrList attrs_;
    bool monthMemo_ = false;
    DayHeader dayHeader_{};
    int memoYear_ = 0;
    int memoMonth_ = 0;
    Colour standardColour_ = 0x484848;
};

}  // namespace velmo
