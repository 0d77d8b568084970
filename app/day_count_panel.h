#pragma once
// The "日数計算" sub-page of the year page: the start and end dates, the number of days,
// the count and result choices and the compute button. The state and its rules are
// DayCount's; the panel only mirrors them and passes the user's actions on.

#include <QWidget>
#include <initializer_list>
#include <vector>

#include "app/navigation/day_count.h"
#include "store/settings.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace velmo {

class DayCountPanel : public QWidget {
    Q_OBJECT

public:
    DayCountPanel(UserInterface& ui, QWidget* parent = nullptr);

    const DayCount& model() const { return model_; }

    // The settings' state of the calculator (pcNen is the year page's).
    void applyKeys(const DayCountKeys& keys);
    DayCountKeys keys() const;

    // Start-up: both dates become today, then the computation runs.
    void startAt(int year, int month, int day);
    // A click on a small calendar.
    void fillFromCalendar(int year, int month, int day);
    // "日数計算(&N)": a click fills the start date again.
    void checkStart();

signals:
    // Something the settings keep changed.
    void keysChanged();

private:
    class FieldSpin;
    FieldSpin* addSpin(const char* objectName, const char* editName, int minimum, int maximum);
    QGroupBox* addChoices(const char* objectName, const char* caption,
                          std::initializer_list<const char*> items, std::vector<QRadioButton*>& to);
    void readControls();
    void showModel();

    DayCount model_;
    QRadioButton* start_ = nullptr;
    QRadioButton* end_ = nullptr;
    FieldSpin* startFields_[3] = {};
    FieldSpin* endFields_[3] = {};
    FieldSpin* days_ = nullptr;
    QLabel* daysLabel_ = nullptr;
    QLabel* notComputed_ = nullptr;
    QCheckBox* autoCompute_ = nullptr;
    QPushButton* compute_ = nullptr;
    std::vector<QRadioButton*> countModes_;
    std::vector<QRadioButton*> resultModes_;
    bool showing_ = false;
};

}  // namespace velmo
