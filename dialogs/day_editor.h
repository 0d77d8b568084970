#pragma once
// The schedule editor window TfmDay. One window, created once and reused, with three
// pages whose tabs are never shown: the lines of one day or the month memo, one period
// schedule, and one memorial day.
//
// Use: fill a page with one of the open functions, call execEditor(), then read
// writeBack() and the page's contents. The editor never stores anything itself.
//
//   TfmDay editor(ui, clock, {settingsFile, sleeper});
//   editor.openDay(header, readDayEditorLines(slot, day), pageSettings);
//   if (editor.execEditor()) {
//       const DayEditorLines edited = editor.dayLines();
//       writeBackDayEditorLines(slot, ..., edited.texts, edited.records, ...);
//   }

#include <QDialog>
#include <any>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "calendar/day_rules.h"
#include "calendar/julius_day.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "dialogs/line_editor.h"
#include "dialogs/period_page.h"
#include "store/day_editor_lines.h"
#include "store/day_line_attrs.h"
#include "store/period_form.h"
#include "store/profile_file.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;

namespace velmo {

inline constexpr const char* kEditorCaption = "ベルモ -Velmo-";
inline constexpr const char* kCancelQuestion = "キャンセルしますか？";
inline constexpr const char* kAttrMismatchMessage =
    "行属性の整合性が、あっておりません。\r\n"
    "申し訳ございませんが、この修正をキャンセルしてください。";
inline constexpr int kEditorDesignWidth = 298;
inline constexpr int kEditorDesignHeight = 422;
// The "定型" button shows while the window is wider than this.
inline constexpr int kStandardSizeButtonWidth = 372;

// Where the window keeps its position and size (section "fmDay"); an empty path keeps
// nothing.
struct EditorPlace {
    std::filesystem::path settingsFile;
    Sleeper* sleeper = nullptr;
    // That file as the run has just read it: the constructor takes the stored place from
    // it instead of reading the file again. Used only while constructing.
    const ProfileFile* settingsAsRead = nullptr;
};

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

// The memorial-day page's boxes, as texts (a year of 0 is an empty box).
struct MemorialDayFields {
    std::string name;
    std::string fromYear;
    std::string toYear;
    int weekday = 1;        // 1 = Sunday ... 7 = Saturday
    std::string dateLabel;  // which day is being edited; shown, never edited

    bool operator==(const MemorialDayFields&) const = default;
};

class TfmDay : public QDialog {
    Q_OBJECT

public:
    enum Mode { DayMode = 0, PeriodMode = 1, MemorialMode = 2 };
    enum class ColourCommand { Red, Blue, Pink, Teal, Brown, Choose, Standard };

    TfmDay(UserInterface& ui, const Clock& clock, EditorPlace place = {},
           QWidget* parent = nullptr);
    ~TfmDay() override;

    // Filling a page; each sets Mode.
    void openDay(const DayHeader& header, const DayEditorLines& lines,
                 const DayPageSettings& settings);
    void openMonthMemo(int year, int month, const DayEditorLines& lines,
                       const DayPageSettings& settings);
    void openPeriod(const PeriodForm& form);
    void openMemorialDay(const MemorialDayFields& fields);

    // Shows the window modally with the caption "ベルモ -Velmo-" (the period and
    // memorial-day pages at 298 x 422, the previous size restored afterwards).
    // Returns WriteBack.
    bool execEditor();

    int mode() const { return mode_; }
    bool monthMemo() const { return monthMemo_; }
    // True when what was edited is to be stored.
    bool writeBack() const { return writeBack_; }
    bool cancelled() const { return cancelled_; }

    // Results. The day's records are fitted to its lines, one each.
    DayEditorLines dayLines() const;
    PeriodForm periodForm() const;
    MemorialDayFields memorialDayFields() const;

    // For the main window's idle countdown: the open page holds typed input.
    bool hasUnsavedInput() const;

    // The colour dialog; tests replace it.
    void setColourChooser(ColourChooser chooser);

    // Controls, for the main window's wiring and for tests.
    LineEditor* memo() const { return memo_; }
    PeriodPage* periodPage() const { return periodPage_; }
    QPushButton* writeButton() const { return write_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* standardSizeButton() const { return standardSize_; }
    QLabel* dateLabel() const { return label1_; }
    QLabel* weekdayLabel() const { return youbi_; }
    QLabel* holidayStrip() const { return saijitu_; }
    QLabel* headerCaption() const { return headerCaption_; }
    QMenu* contextMenu() const { return popup_; }
    QMenu* colourMenu() const { return colourMenu_; }
    QAction* action(const char* name) const;
    const DayLineAttrList& attributes() const { return attrs_; }

    // The commands of the context menu.
    void colourLines(ColourCommand command);
    void insertNow();
    void copySelection();
    // Enables the menu's items for the editor's state; also run before a shortcut acts.
    void updateMenuState();
    // Sets the colour submenu's check marks.
    void updateColourMarks();

signals:
    // The window was shown for an edit / hidden after it.
    void editingShown();
    void editingHidden();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    void reject() override;
    void write();
    void cancel();

private:
    class Tracker;

    void buildDayPage();
    void buildMemorialPage();
    void buildMenu();
    void prepareDayPage();
    void showDayPage();
    void drawHolidayStrip();
    void updateStandardSizeButton();
    void closeEditor(bool cancelled, bool writeButton);
    bool computeWriteBack() const;
    bool checkBeforeStoring(bool writeButton);
    void loadPlace();
    void savePlace();
    std::optional<QColor> lineColour(int row) const;

    UserInterface& ui_;
    const Clock& clock_;
    EditorPlace place_;
    ColourChooser chooser_;

    QStackedWidget* pages_ = nullptr;
    QWidget* dayPage_ = nullptr;
    PeriodPage* periodPage_ = nullptr;
    QWidget* memorialPage_ = nullptr;
    QFrame* header_ = nullptr;
    QLabel* headerCaption_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* youbi_ = nullptr;
    QLabel* saijitu_ = nullptr;
    LineEditor* memo_ = nullptr;
    QLineEdit* kinenbi_ = nullptr;
    QLineEdit* fromYear_ = nullptr;
    QLineEdit* toYear_ = nullptr;
    QLabel* kinenbiYoubi_ = nullptr;
    QLabel* kinenbiDate_ = nullptr;
    QPushButton* write_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* standardSize_ = nullptr;
    QMenu* popup_ = nullptr;
    QMenu* colourMenu_ = nullptr;
    QMenu* insertMenu_ = nullptr;

    std::unique_ptr<Tracker> tracker_;
    DayLineAttrList attrs_;
    int mode_ = DayMode;
    bool monthMemo_ = false;
    bool writeBack_ = false;
    bool cancelled_ = false;
    DayHeader dayHeader_{};
    int memoYear_ = 0;
    int memoMonth_ = 0;
    Colour standardColour_ = 0x484848;
    MemorialDayFields memorialBefore_;
    std::optional<QSize> sizeBefore_;
};

}  // namespace velmo
