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
#include <filesystem>
#include <optional>
#include <string>

#include "core/clock.h"
#include "core/user_interface.h"
#include "dialogs/day_page.h"
#include "dialogs/memorial_day_page.h"
#include "dialogs/period_page.h"
#include "editor_models/period_form.h"
#include "store/profile_file.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;

namespace velmo {

inline constexpr const char* kEditorCaption = "ベルモ -Velmo-";
inline constexpr const char* kCancelQuestion = "キャンセルしますか？";
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

class TfmDay : public QDialog {
    Q_OBJECT

public:
    enum Mode { DayMode = 0, PeriodMode = 1, MemorialMode = 2 };
    using ColourCommand = DayPage::ColourCommand;

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
    bool monthMemo() const { return dayPage_->monthMemo(); }
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
    LineEditor* memo() const { return dayPage_->memo(); }
    DayPage* dayPage() const { return dayPage_; }
    PeriodPage* periodPage() const { return periodPage_; }
    MemorialDayPage* memorialDayPage() const { return memorialPage_; }
    QPushButton* writeButton() const { return write_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* standardSizeButton() const { return standardSize_; }
    QLabel* dateLabel() const { return dayPage_->dateLabel(); }
    QLabel* weekdayLabel() const { return dayPage_->weekdayLabel(); }
    QLabel* holidayStrip() const { return dayPage_->holidayStrip(); }
    QLabel* headerCaption() const { return dayPage_->headerCaption(); }
    QMenu* contextMenu() const { return dayPage_->contextMenu(); }
    QMenu* colourMenu() const { return dayPage_->colourMenu(); }
    QAction* action(const char* name) const { return dayPage_->action(name); }
    const DayLineAttrList& attributes() const { return dayPage_->attributes(); }

    // The commands of the context menu.
    void colourLines(ColourCommand command) { dayPage_->colourLines(command); }
    void insertNow() { dayPage_->insertNow(); }
    void copySelection() { dayPage_->copySelection(); }
    // Enables the menu's items for the editor's state; also run before a shortcut acts.
    void updateMenuState() { dayPage_->updateMenuState(); }
    // Sets the colour submenu's check marks.
    void updateColourMarks() { dayPage_->updateColourMarks(); }

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

public slots:
    void reject() override;
    void write();
    void cancel();

private:
    void showDayPage();
    void updateStandardSizeButton();
    void closeEditor(bool cancelled, bool writeButton);
    bool computeWriteBack() const;
    bool checkBeforeStoring(bool writeButton);
    void loadPlace();
    void savePlace();

    UserInterface& ui_;
    EditorPlace place_;
    ColourChooser chooser_;

    QStackedWidget* pages_ = nullptr;
    DayPage* dayPage_ = nullptr;
    PeriodPage* periodPage_ = nullptr;
    MemorialDayPage* memorialPage_ = nullptr;
    QPushButton* write_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* standardSize_ = nullptr;

    int mode_ = DayMode;
    bool writeBack_ = false;
    bool cancelled_ = false;
    std::optional<QSize> sizeBefore_;
};

}  // namespace velmo
