#pragma once
// The options page 機能 (tsKinou): the start/end log, the timer function and the Internet
// time correction with its schedule, whose access time is edited in three boxes with a
// display and an edit state.

#include <QString>

#include "dialogs/options/option_page.h"
#include "editor_models/access_time.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace velmo {

class FunctionPage : public OptionPage {
    Q_OBJECT

public:
    // Reads the dialog's schedule memory [Jikoku] from the settings file.
    explicit FunctionPage(OptionPageContext context, QWidget* parent = nullptr);

    void load(const TorkaSettings& options) override;
    void store(TorkaSettings& options) const override;
    void storeDialogSection(JikokuSection& jikoku) const override;

    TimeOfDay accessTime() const { return accessTime_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildLogGroup();
    QWidget* buildTimeGroup();
    QWidget* buildScheduleGroup();
    QWidget* buildTimeEditor(QWidget* parent);
    QLineEdit* timeBox(const char* name, int maximum, QWidget* parent);

    void loadSchedule(const JikokuSection& jikoku);
    void startLogClicked(bool on);
    void correctionClicked(bool on);
    void clockChoiceClicked(bool checked);
    void scheduleClicked();
    void startClock();
    void updateLogEnabling();
    // The enabling of the schedule controls and the caption of cbTShuusei, after every
    // change of the box, the schedule or the known clock.
    void updateCorrection();

    void showDisplayState();
    void showEditState();
    void confirmTime();
    void cancelTime();
    void stepField(TimeField field, int direction);
    void showTime(TimeOfDay time);

    TimeOfDay accessTime_{15, 0, 0};
    TimeOfDay savedTime_{15, 0, 0};

    QCheckBox* cbKidouKiroku_;
    QCheckBox* cbKirokuHyouji_;
    QSpinBox* udKidouGyou_;
    QList<QWidget*> logRowWidgets_;
    QCheckBox* cbJigen_;
    QCheckBox* cbTShuusei_;
    QCheckBox* cbClock_;
    QRadioButton* rbDay_;
    QRadioButton* rbWeek_;
    QRadioButton* rbShitei_;
    QComboBox* cbYoubi_;
    QLineEdit* edtHour_;
    QLineEdit* edtMin_;
    QLineEdit* edtSec_;
    QList<QWidget*> upDowns_;
    // The labels, colons and panel that the display state disables with the boxes.
    QList<QWidget*> editorWidgets_;
    QPushButton* btnTimeEdit_;
    QPushButton* btnTimeOk_;
    QPushButton* btnTimeCancel_;
    QSpinBox* udChien_;
    QList<QWidget*> delayWidgets_;
    QPushButton* btnVelclock_;
    QLabel* velclockNote_;
};

}  // namespace velmo
