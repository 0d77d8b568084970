#pragma once
// The main window's function timer: a QTimer on the main thread whose ticks run the
// plain FunctionTimer steps (the clock, the tray icon, the interval switch, the timer
// alarm, the time-adjust companion's note, the clock correction and the date change).

#include <QObject>
#include <functional>
#include <memory>

#include "app/navigation/function_timer.h"
#include "app/navigation/time_correction.h"
#include "core/clock.h"

class QTimer;
class QWidget;

namespace velmo {

class RunSettings;
class ResidentActions;
struct StartFolders;

struct FunctionTimerContext {
    QWidget& window;
    RunSettings& run;
    const StartFolders& folders;
    const Clock& clock;
    ResidentActions& resident;
    std::function<bool()> editorOpen;
    std::function<bool()> editorUnmodified;
    std::function<void()> refreshClock;
    std::function<void()> refreshMessagePanel;
    std::function<void()> checkTimerAlarm;
    std::function<bool()> dateChangeRunning;
    std::function<void()> dateChangeTick;
    std::function<std::int32_t()> runToday;
    // The clock companion: whether its window is open, and starting it with "-R".
    std::function<bool()> clockRunning;
    std::function<void()> startClock;
};

class FunctionTimerActions : public QObject {
    Q_OBJECT

public:
    FunctionTimerActions(FunctionTimerContext context, QObject* parent);
    ~FunctionTimerActions() override;

    void tick();
    void start();
    void stop();
    // The month initialisation puts the timer back to its start interval.
    void monthsInitialised();
    // The options may have chosen another interval: it applies once the start-up ticks
    // are over.
    void optionsChanged();
    void editorOpened() { timer_->editorOpened(); }

    // A correction is being started: the clock panel says so.
    bool correctionRunning() const { return correction_->running(); }
    // "Orvan" among the start-up shortcuts: the time-adjust companion sets the clock.
    bool timeAdjustCompanionPresent() const;
    QTimer& qtimer() const { return *qtimer_; }
    const FunctionTimer& steps() const { return *timer_; }
    const TimeCorrection& correction() const { return *correction_; }

private:
    FunctionTickHooks hooks();
    bool correctionAllowed() const;
    bool startCorrectionIfDue();
    void dateChangeTick();

    FunctionTimerContext context_;
    QTimer* qtimer_ = nullptr;  // a child of this object
    std::unique_ptr<FunctionTimer> timer_;
    std::unique_ptr<TimeCorrection> correction_;
    int ticks_ = 0;
};

}  // namespace velmo
