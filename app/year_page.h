#pragma once
// The main window's year page ("年"): twelve small calendars from the chosen first month
// on, their month numbers, the title, the sub-pages "標準" and "日数計算" and the year
// group that steps through the years.

#include <QWidget>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/navigation/year_months.h"
#include "core/user_interface.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace velmo {

class DayCountPanel;
class TKvMCalendar;

inline constexpr int kYearCalendarCount = 12;
// The sub-pages (pcNen).
inline constexpr int kYearStandardPage = 0;
inline constexpr int kYearDayCountPage = 1;

class YearPage : public QWidget {
    Q_OBJECT

public:
    YearPage(std::int32_t today, UserInterface& ui, QWidget* parent = nullptr);

    // tag 1..12.
    TKvMCalendar* calendar(int tag) const { return calendars_.at(tag - 1); }
    QTabWidget* subPages() const { return subPages_; }
    DayCountPanel* dayCount() const { return dayCount_; }

    // The options every small calendar follows, and the holiday lines all twelve share.
    void applyCalendarOptions(bool mondayFirst, bool autoEquinox, bool autoFurikae,
                              const std::vector<std::string>& holidayLines);
    void setSpecialMonth(int month) { specialMonth_ = month; }
    YearStart yearStart() const { return start_; }
    // Chooses the rgYFirstMonth item without filling the calendars.
    void setYearStart(YearStart start);
    void setToday(std::int32_t today);

    // The year box (udYear) and the months last filled.
    int year() const;
    void setYear(int year);
    int shownYear() const { return shownYear_; }
    int shownFirstMonth() const { return shownFirstMonth_; }

    // Fills the calendars with twelve months from `firstMonth` of `year`.
    void fill(int year, int firstMonth);
    // The year that holds today for the current start, then the fill.
    void showYearFromToday();
    // The next showing starts from today again; at once when the page is shown.
    void recomputeFromToday();

signals:
    // A click on a small calendar that selected one of its days.
    void dayClicked(int year, int month, int day);
    void yearStartChosen(YearStart start);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createCalendars(std::int32_t today);
    QWidget* createStandardPage();
    QWidget* createYearGroup();
    QPushButton* addButton(QWidget* parent, const char* caption, const char* objectName);
    void setRunButtonGrey(bool grey);

    std::array<TKvMCalendar*, kYearCalendarCount> calendars_{};
    std::array<QLabel*, kYearCalendarCount> labels_{};
    std::array<bool, kYearCalendarCount> pressSelected_{};
    QLabel* title_ = nullptr;
    QTabWidget* subPages_ = nullptr;
    DayCountPanel* dayCount_ = nullptr;
    QButtonGroup* starts_ = nullptr;
    QSpinBox* year_ = nullptr;
    QPushButton* run_ = nullptr;
    YearStart start_ = YearStart::Standard;
    int specialMonth_ = 1;
    std::int32_t today_;
    int shownYear_ = 0;
    int shownFirstMonth_ = 1;
    bool recompute_ = true;
};

}  // namespace velmo
