#pragma once
// The timer dialog: the user sets a time of day and the minutes of notice and starts the
// timer (mode 1), and the same dialog, topmost, is the notice when the moment comes
// (mode 2). It works on the main window's TimerState directly, so the state is current
// however the dialog closes and an alarm is noticed only once.

#include <QColor>
#include <QDialog>

#include "editor_models/timer_setup.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPalette;
class QPushButton;
class QTimer;

namespace velmo {

class Clock;
class TClock;
class UserInterface;

// The text colour of the main window's 時限 button.
QColor timerButtonTextColour(bool running, bool windowActive, const QPalette& palette);

class TfmNichiji : public QDialog {
    Q_OBJECT

public:
    static constexpr int kSettingMode = 1;
    static constexpr int kNotificationMode = 2;
    // The width of the running display: the two clocks and the messages.
    static constexpr int kRunningWidth = 515;

    // `state`, `ui` and `clock` must outlive the dialog.
    TfmNichiji(TimerState& state, int mode, UserInterface& ui, const Clock& clock,
               QWidget* parent = nullptr);

    int mode() const { return mode_; }
    // The running display (set time fixed, indicator blinking) rather than the setting one.
    bool showsRunning() const { return running_; }

    // One step of the 800 ms tick: blink, status, the notice check, the countdown.
    void tick();

    // Esc and the close box go the way of 閉じる(&X).
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildClocks();
    QWidget* buildFields();
    QGroupBox* buildTwoTouch();
    QLineEdit* timeField(const char* name);
    QWidget* upDown(const char* name, TimeField field);

    void showSettingDisplay();
    void showRunningDisplay();
    void becomeNotification();
    // The controls that differ between the setting (editable) and running displays.
    void setEditing(bool editable);
    void setFields(TimeOfDay time);
    std::optional<TimeOfDay> fieldTime() const;
    void fieldsChanged();
    void step(TimeField field, int direction);
    void startOrStop();
    void start();
    void requestClose(int result);
    TimeOfDay now() const;

    TimerState& state_;
    int mode_;
    UserInterface& ui_;
    const Clock& clock_;
    bool running_ = false;
    bool openedRunning_;

    QWidget* page_;
    TClock* ckTimer_ = nullptr;
    TClock* clock2_ = nullptr;
    QLineEdit* edtHour_ = nullptr;
    QLineEdit* edtMin_ = nullptr;
    QLineEdit* edtSec_ = nullptr;
    QList<QWidget*> upDowns_;
    QLabel* lblTimeError_ = nullptr;
    QGroupBox* twoTouch_ = nullptr;
    QComboBox* cbTimerBf_ = nullptr;
    QPushButton* btnImaSet_ = nullptr;
    QLabel* lblCDown_ = nullptr;
    QLabel* lblSadou_ = nullptr;
    QLabel* lblShuuryou_ = nullptr;
    QPushButton* btnTimerOnOff_ = nullptr;
    QPushButton* btnClose_ = nullptr;
    QTimer* tickTimer_ = nullptr;
};

}  // namespace velmo
