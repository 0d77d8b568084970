#include "app/year_page.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/day_count_panel.h"
#include "calendar/julius_day.h"
#include "monthview/qt_small_calendar.h"

namespace velmo {

namespace {

constexpr int kCalendarWidth = 184;
constexpr int kCalendarHeight = 125;
constexpr int kColumnLefts[] = {58, 293, 527};
constexpr int kRowTops[] = {64, 203, 343, 481};
constexpr Colour kTodayColour = 0x81FE8A;
constexpr int kDayFontSize = 12;     // 16 pixels
constexpr int kHeaderFontSize = 11;  // 15 pixels
const QColor kGrey(0x80, 0x80, 0x80);

// The fonts of the year page's calendars: one face, coloured by the kind of day.
void setYearFonts(TCalExFonts& fonts) {
    fonts.setSynchronize(false);
    const struct {
        int index;
        Colour colour;
    } days[] = {{cfWeekday, 0x000000},
                {cfSaturday, 0xFF0000},
                {cfSunday, 0x0000FF},
                {cfHoliday, 0x0000FF},
                {cfSpecialDay, 0x008000}};
    for (const auto& day : days) {
        CalFont font = fonts.font(day.index);
        font.face = kDefaultCalFontFace;
        font.size = kDayFontSize;
        font.colour = day.colour;
        fonts.setFont(day.index, font);
    }
    CalFont header = fonts.font(cfDayOfWeek);
    header.face = kDefaultCalFontFace;
    header.size = kHeaderFontSize;
    fonts.setFont(cfDayOfWeek, header);
    fonts.setSynchronize(true);
}

// Whether a press at `point` selects a day: the header row never does, a neighbour
// month's day only when the calendar jumps there.
bool pressSelectsDay(const TKvMCalendarModel& model, QPoint point) {
    const SmallCalendarHit hit = model.hitTest({point.x(), point.y()});
    if (hit.row == 0)
        return false;
    const Ymd date = juliusDayToYmd(hit.day);
    return (date.year == model.year() && date.month == model.month()) ||
           model.properties().NeighborJump;
}

}  // namespace

YearPage::YearPage(std::int32_t today, UserInterface& ui, QWidget* parent)
    : QWidget(parent), today_(today) {
    setObjectName("tsYear");
    createCalendars(today);

    title_ = new QLabel(this);
    title_->setObjectName("lblYM");
    title_->setGeometry(kColumnLefts[0], 12, kColumnLefts[2] + kCalendarWidth - kColumnLefts[0],
                        40);
    title_->setAlignment(Qt::AlignCenter);
    title_->setFrameShape(QFrame::Panel);
    title_->setFrameShadow(QFrame::Sunken);
    QFont titleFont = title_->font();
    titleFont.setPixelSize(24);
    titleFont.setBold(true);
    title_->setFont(titleFont);

    subPages_ = new QTabWidget(this);
    subPages_->setObjectName("pcNen");
    subPages_->setGeometry(745, 12, 255, 470);
    subPages_->addTab(createStandardPage(), "標準");
    dayCount_ = new DayCountPanel(ui, subPages_);
    subPages_->addTab(dayCount_, "日数計算");

    QWidget* group = createYearGroup();
    group->setGeometry(745, 492, 255, 130);
    fill(juliusDayToYmd(today).year, 1);
}

void YearPage::createCalendars(std::int32_t today) {
    QFont labelFont("Comic Sans MS");
    labelFont.setStyleHint(QFont::SansSerif);
    labelFont.setPixelSize(32);
    for (int t = 1; t <= kYearCalendarCount; ++t) {
        const int left = kColumnLefts[(t - 1) % 3];
        const int top = kRowTops[(t - 1) / 3];
        auto* calendar = new TKvMCalendar(today, this);
        calendar->setObjectName(QString("KvMCalendar%1").arg(t));
        calendar->setGeometry(left, top, kCalendarWidth, kCalendarHeight);
        TKvMCalendarModel& model = calendar->model();
        model.setSuspended(true);
        SmallCalendarProperties properties = model.properties();
        properties.IsCursor = false;
        properties.Keisen = false;
        properties.NeighborJump = false;
        properties.AutoResize = false;
        properties.ShowRokuyo = false;
        properties.ColorToDay = kTodayColour;
        model.setProperties(properties);
        setYearFonts(model.fonts());
        model.setSuspended(false);
        model.relayout();
        calendars_[t - 1] = calendar;

        auto* label = new QLabel(this);
        label->setObjectName(QString("Label%1").arg(t));
        label->setGeometry(left - 56, top + kCalendarHeight - 52, 52, 48);
        label->setAlignment(Qt::AlignRight | Qt::AlignBottom);
        label->setFont(labelFont);
        QPalette grey = label->palette();
        grey.setColor(QPalette::WindowText, kGrey);
        label->setPalette(grey);
        labels_[t - 1] = label;

        const int index = t - 1;
        connect(calendar, &TKvMCalendar::mousePressed, this,
                [this, index](Qt::MouseButton button, Qt::KeyboardModifiers, QPoint at) {
                    pressSelected_[index] =
                        button == Qt::LeftButton && pressSelectsDay(calendars_[index]->model(), at);
                });
        connect(calendar, &TKvMCalendar::clicked, this, [this, index] {
            if (!pressSelected_[index])
                return;
            const TKvMCalendarModel& model = calendars_[index]->model();
            emit dayClicked(model.year(), model.month(), model.day());
        });
    }
}

QWidget* YearPage::createStandardPage() {
    auto* page = new QWidget(this);
    page->setObjectName("tsHyoujun");
    auto* column = new QVBoxLayout(page);
    auto* box = new QGroupBox(page);
    box->setObjectName("rgYFirstMonth");
    auto* items = new QVBoxLayout(box);
    starts_ = new QButtonGroup(box);
    const char* captions[] = {"標準", "年度", "特別"};
    for (int id = 0; id < 3; ++id) {
        auto* item = new QRadioButton(captions[id], box);
        items->addWidget(item);
        starts_->addButton(item, id);
    }
    starts_->button(0)->setChecked(true);
    connect(starts_, &QButtonGroup::idClicked, this, [this](int id) {
        start_ = yearStartOf(id);
        emit yearStartChosen(start_);
        recompute_ = true;
        showYearFromToday();
    });
    column->addWidget(box);
    column->addStretch(1);
    return page;
}

QPushButton* YearPage::addButton(QWidget* parent, const char* caption, const char* objectName) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    return button;
}

QWidget* YearPage::createYearGroup() {
    auto* group = new QGroupBox(" 年変更 ", this);
    group->setObjectName("gbYear");
    auto* grid = new QGridLayout(group);
    year_ = new QSpinBox(group);
    year_->setObjectName("udYear");
    year_->setRange(kDayCountMinYear, kDayCountMaxYear);
    year_->setAlignment(Qt::AlignRight);
    if (auto* edit = year_->findChild<QLineEdit*>()) {
        edit->setObjectName("edtYear");
        edit->installEventFilter(this);
    }
    QPushButton* previous = addButton(group, "前年", "btnZennen");
    QPushButton* next = addButton(group, "翌年", "btnYokunen");
    QPushButton* thisYear = addButton(group, "今年", "btnKotoshi");
    run_ = addButton(group, "変更実行", "btnHenkou");
    grid->addWidget(previous, 0, 0);
    grid->addWidget(year_, 0, 1);
    grid->addWidget(next, 0, 2);
    grid->addWidget(thisYear, 1, 0);
    grid->addWidget(run_, 1, 1, 1, 2);
    connect(previous, &QPushButton::clicked, this, [this] {
        setYear(year() - 1);
        fill(year(), shownFirstMonth_);
    });
    connect(next, &QPushButton::clicked, this, [this] {
        setYear(year() + 1);
        fill(year(), shownFirstMonth_);
    });
    connect(thisYear, &QPushButton::clicked, this, [this] {
        recompute_ = true;
        showYearFromToday();
    });
    connect(run_, &QPushButton::clicked, this, [this] {
        fill(year(), shownFirstMonth_);
        calendars_[0]->setFocus();
    });
    return group;
}

bool YearPage::eventFilter(QObject* watched, QEvent* event) {
    // Entering the year box hints that 変更実行 shows what was typed.
    if (event->type() == QEvent::FocusIn && watched == year_->findChild<QLineEdit*>())
        setRunButtonGrey(false);
    return QWidget::eventFilter(watched, event);
}

void YearPage::setRunButtonGrey(bool grey) {
    QPalette palette = run_->palette();
    palette.setColor(QPalette::ButtonText, grey ? kGrey : QColor(Qt::black));
    run_->setPalette(palette);
}

void YearPage::applyCalendarOptions(bool mondayFirst, bool autoEquinox, bool autoFurikae,
                                    const std::vector<std::string>& holidayLines) {
    for (TKvMCalendar* calendar : calendars_) {
        TKvMCalendarModel& model = calendar->model();
        model.setSuspended(true);
        model.set(&SmallCalendarProperties::FirstDayOfWeek, mondayFirst ? dowMon : dowSun);
        model.rules().setAutoEquinox(autoEquinox);
        model.rules().setAutoFurikae(autoFurikae);
        if (model.rules().holidayList() != holidayLines)
            model.rules().setHolidayList(holidayLines);
        model.setSuspended(false);
        model.relayout();
    }
}

void YearPage::setYearStart(YearStart start) {
    start_ = start;
    starts_->button(static_cast<int>(start))->setChecked(true);
}

void YearPage::setToday(std::int32_t today) {
    today_ = today;
    for (TKvMCalendar* calendar : calendars_)
        calendar->model().setTodayDay(today);
}

int YearPage::year() const {
    return year_->value();
}

void YearPage::setYear(int year) {
    year_->setValue(year);
}

void YearPage::fill(int year, int firstMonth) {
    for (int t = 1; t <= kYearCalendarCount; ++t) {
        const YearMonth shown = calendarMonth(year, firstMonth, t);
        TKvMCalendarModel& model = calendars_[t - 1]->model();
        model.setSuspended(true);
        model.setJuliusDay(ymdToJuliusDay(shown.year, shown.month, 1));
        labels_[t - 1]->setText(QString::number(shown.month));
        model.setSuspended(false);
        model.relayout();
    }
    shownYear_ = year;
    shownFirstMonth_ = firstMonth;
    setRunButtonGrey(true);
    title_->setText(QString::fromStdString(yearPageTitle(year, firstMonth)));
}

void YearPage::showYearFromToday() {
    const Ymd today = juliusDayToYmd(today_);
    setYear(yearFromToday(start_, specialMonth_, today.year, today.month));
    fill(year(), firstMonthOf(start_, specialMonth_));
    recompute_ = false;
}

void YearPage::recomputeFromToday() {
    recompute_ = true;
    if (isVisible())
        showYearFromToday();
}

void YearPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (recompute_)
        showYearFromToday();
}

}  // namespace velmo
