#pragma once
// The timer (時限): its menu item and button, the button's colours, the alarm check of
// the function timer, the dialog in both modes and the question at exit while it runs.
// The one timer state lives here, so an alarm can fire only once.

#include <QObject>

#include "core/clock.h"
#include "core/user_interface.h"
#include "editor_models/timer_setup.h"

class QAction;
class QMenu;
class QPushButton;
class QWidget;

namespace velmo {

class MonthPage;
class RunSettings;

inline constexpr const char* kTimerRunningAtExitQuestion =
    "タイマーが作動中ですが、終了してもよろしいですか。";
inline constexpr const char* kTimerSetupError = "タイマーエラー（設定）";
inline constexpr const char* kTimerNoticeError = "タイマーエラー（表示）";

struct TimerActionsContext {
    QWidget& window;
    MonthPage& monthPage;
    RunSettings& run;
    UserInterface& ui;
    const Clock& clock;
};

class TimerActions : public QObject {
    Q_OBJECT

public:
    TimerActions(TimerActionsContext context, QMenu& functionsMenu, QObject* parent);

    // 1: the user sets the timer; 2: the notice.
    void open(int mode);
    // The function timer's check: the notice opens when its moment has come.
    void checkAlarm();
    // The close query's step: false when the user keeps the program running.
    bool mayClose();
    // The settings were read again: the set time and cbJigen.
    void settingsRead();
    void refreshButton();

    TimerState& state() { return state_; }
    bool dialogOpen() const { return dialogOpen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TimerActionsContext context_;
    TimerState state_;
    QAction* item_ = nullptr;
    QPushButton* button_ = nullptr;
    bool dialogOpen_ = false;
};

}  // namespace velmo
