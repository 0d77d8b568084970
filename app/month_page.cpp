#include "app/month_page.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/startup/start_folders.h"
#include "calendar/julius_day.h"
#include "calendar/rule_file.h"
#include "monthview/calendar_settings.h"

namespace velmo {

namespace {

// The month view's designed place in the month panel.
constexpr int kViewWidth = 898;
constexpr int kViewHeight = 598;
constexpr int kButtonColumnWidth = 84;

// The start-up layout of the month view, before any display preset.
void applyInitialLayout(TKvMCalModel& m) {
    KvMCalProperties p = m.properties();
    p.isFontBold = true;
    p.ItemGyo = 5;
    p.LenYoubiH = 24;
    p.LenDayH = 95;
    p.LenDayW = 128;
    p.LenYoteiH = 17;
    p.LenFontYoteiH = 12;
    p.LenHidukeH = 22;
    p.LenHidukeW = 28;
    p.LenYohaku = 4;
    p.LenFontHidukeH = 18;
    p.LenFontNeighbH = 16;
    p.LenFontKinenbH = 12;
    p.LenFontKinenbNH = 11;
    p.LenBottomItem = 2;
    p.LenGyokan = 2;
    p.LenItemLeftM = 6;
    p.LenTopItem = 0;
    p.LenKinenC = 3;
    p.LenKinenNC = 0;
    p.LenFontYoubiH = 16;
    m.setProperties(p);
    m.updateMetrics();
}

}  // namespace

MonthPage::MonthPage(std::int32_t today, MonthSessionContext context, QWidget* parent)
    : QWidget(parent),
      view_(new TKvMCal(today, this)),
      tabs_(new QTabBar(this)),
      session_(view_->model(), std::move(context)) {
    setObjectName("tsMonth");
    view_->setObjectName("KvMCal");
    tabs_->setObjectName("tsMonthTabs");
    tabs_->setExpanding(false);
    // The tabs keep their full height; the month view below has a fixed size.
    tabs_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    applyInitialLayout(view_->model());
    view_->setFixedSize(kViewWidth, kViewHeight);

    auto* buttons = new QWidget(this);
    buttons->setObjectName("pnlMonthBtn");
    buttons->setFixedWidth(kButtonColumnWidth);
    auto* column = new QVBoxLayout(buttons);
    column->setContentsMargins(4, 0, 4, 0);
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"前月", [this] { stepMonths(-1); }},
        {"翌月", [this] { stepMonths(1); }},
        {"前年", [this] { stepMonths(-12); }},
        {"翌年", [this] { stepMonths(12); }},
        {"今月", [this] { showCurrentMonth(); }}};
    for (const auto& [caption, action] : steps) {
        auto* button = new QPushButton(caption, buttons);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, action);
        column->addWidget(button);
    }
    column->addStretch();

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(view_);
    row->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabs_);
    layout->addLayout(row);

    session_.setOnShown([this] { refreshTabs(); });
    connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
        if (!refreshingTabs_ && tab >= 0)
            session_.showTab(tab);
    });
}

void MonthPage::initialise(std::int32_t today, const StartFolders& start, TorkaSettings& settings,
                           const DataFolders& folders, UserInterface& ui, Sleeper& sleeper) {
    TKvMCalModel& m = view_->model();
    m.state().Suspended = true;
    session_.startWindow(today);
    applyCalendarSettings(m, settings);
    m.readHolidayFile(start.startFolder + kHolidayFileName, ui, sleeper);
    m.setDataKyoFile(folders.commonFolder, ui, sleeper);
    session_.reloadAll(folders, settings.data, today);
    m.state().Suspended = false;
    m.relayout();
    refreshTabs();
}

void MonthPage::stepMonths(int months) {
    const Ymd shown = juliusDayToYmd(view_->model().juliusDay());
    session_.showMonth(yearMonthText(shown.year, shown.month + months));
}

void MonthPage::showCurrentMonth() {
    const Ymd today = juliusDayToYmd(session_.runToday());
    session_.showMonth(yearMonthText(today.year, today.month));
}

void MonthPage::refreshTabs() {
    refreshingTabs_ = true;
    const std::vector<std::string> labels = session_.tabLabels();
    while (tabs_->count() > static_cast<int>(labels.size()))
        tabs_->removeTab(tabs_->count() - 1);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const QString label = QString::fromStdString(labels[i]);
        if (static_cast<int>(i) < tabs_->count()) {
            tabs_->setTabText(static_cast<int>(i), label);
        } else {
            tabs_->addTab(label);
        }
    }
    tabs_->setCurrentIndex(session_.selectedTab());
    // A hidden tab bar does not announce its new size by itself.
    tabs_->updateGeometry();
    refreshingTabs_ = false;
}

}  // namespace velmo
