#pragma once
// The month page of the main window: the month tabs, the month view with the real data
// and the column of step buttons.

#include <QWidget>
#include <memory>

#include "app/navigation/month_session.h"
#include "monthview/qt_month_view.h"
#include "store/settings.h"

class QLineEdit;
class QPushButton;
class QTabBar;

namespace velmo {

struct StartFolders;

class MonthPage : public QWidget {
    Q_OBJECT

public:
    MonthPage(std::int32_t today, MonthSessionContext context, QWidget* parent = nullptr);

    TKvMCal* view() const { return view_; }
    MonthSession& session() { return session_; }
    QTabBar* tabs() const { return tabs_; }

    // The month initialisation's part on this page: the window around today, the
    // options and rules, and every slot and the period list loaded.
    void initialise(std::int32_t today, const StartFolders& start, TorkaSettings& settings,
                    const DataFolders& folders, UserInterface& ui, Sleeper& sleeper);

    // The navigation commands: a step of months (−1, +1) or years (−12, +12), today's month.
    void stepMonths(int months);
    void showCurrentMonth();
    // 標準表示: closes the year-month entry and returns from a free month.
    void showStandard();

    // The year-month entry above the button column.
    QLineEdit* yearMonthEntry() const { return entry_; }
    bool yearMonthEntryOpen() const;
    void openYearMonthEntry();
    void closeYearMonthEntry();
    // Enter in the entry box.
    void submitYearMonthEntry();

    // A button of the column by its object name ("btnNengetu", "btnFiles2", …).
    QPushButton* button(const QString& objectName) const;
    // A feature's button, placed in the column right below the button named `below`, or
    // at the top when `below` is empty.
    QPushButton* insertButton(const QString& caption, const QString& objectName,
                              const QString& below);
    // The Files2 button is tinted while data set 2 is in use.
    void tintFiles2(bool tinted);

signals:
    // The text status panel 2 shows while the year-month entry is open; an empty text
    // gives the panel back its own text.
    void statusHint(const QString& text);
    void dataSetRequested(int dataSet);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshTabs();
    QWidget* createButtonColumn();
    // The shown month as "YYYYMM" after a step, also put into the entry box.
    void showYearMonth(const std::string& yyyymm);

    TKvMCal* view_;
    QTabBar* tabs_;
    MonthSession session_;
    UserInterface* ui_ = nullptr;
    QLineEdit* entry_ = nullptr;
    QPushButton* entryButton_ = nullptr;
    QWidget* whitePanel_ = nullptr;
    bool refreshingTabs_ = false;
};

}  // namespace velmo
