#pragma once
// The quick day entry box of the status bar, just right of panel 1: Ctrl+Down or Ctrl+L
// shows it with the focus; Space, Enter or Ctrl+Enter open the typed day of the displayed
// month in the day editor, Esc gives up, and it hides and empties whenever it loses the
// focus.

#include <QObject>
#include <functional>

#include "core/user_interface.h"

class QLineEdit;
class QStatusBar;

namespace velmo {

struct QuickDayEntryContext {
    QStatusBar& statusBar;
    UserInterface& ui;
    // The number of days of the displayed month.
    std::function<int()> daysInMonth;
    // Opens the day editor for this day of the displayed month.
    std::function<void(int day)> openDay;
    // Where the focus goes when the box is done with (the month view).
    std::function<void()> moveFocusOn;
};

class QuickDayEntryActions : public QObject {
    Q_OBJECT

public:
    QuickDayEntryActions(QuickDayEntryContext context, QObject* parent);

    QLineEdit* box() const { return box_; }
    void open();
    // Space, Enter, Ctrl+Enter.
    void submit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish();

    QuickDayEntryContext context_;
    QLineEdit* box_;
};

}  // namespace velmo
