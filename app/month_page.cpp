#include "app/month_page.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/month_tab_bar.h"
#include "app/startup/start_folders.h"
#include "calendar/julius_day.h"
#include "monthview/calendar_settings.h"
#include "store/rule_file.h"

namespace velmo {

namespace {

// The month view's designed place in the month panel.
constexpr int kViewWidth = 898;
constexpr int kViewHeight = 598;
constexpr int kButtonColumnWidth = 84;

constexpr const char* kEntryButtonCaption = "年月指定";
const QRect kWhitePanel(286, 401, 376, 65);
constexpr const char* kEntryHint =
    "YYYYMM形式で指定してください。決定は、年月の設定後[Enter]キー。";
// The Files2 button while data set 2 is in use.
const QColor kDataSet2Tint(213, 255, 208);

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
      tabs_(new MonthTabBar(this)),
      session_(view_->model(), context),
      ui_(&context.ui) {
    setObjectName("tsMonth");
    view_->setObjectName("KvMCal");
    tabs_->setObjectName("tsMonthTabs");
    tabs_->setExpanding(false);
    // The tabs keep their full height; the month view below has a fixed size.
    tabs_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    applyInitialLayout(view_->model());
    view_->setFixedSize(kViewWidth, kViewHeight);

    QWidget* buttons = createButtonColumn();

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

    // An option of old: an empty white panel over the lower part of the grid.
    whitePanel_ = new QFrame(view_);
    whitePanel_->setObjectName("pnlWhite");
    whitePanel_->setGeometry(kWhitePanel);
    whitePanel_->setAutoFillBackground(true);
    QPalette white = whitePanel_->palette();
    white.setColor(QPalette::Window, Qt::white);
    whitePanel_->setPalette(white);
    whitePanel_->hide();

    session_.setOnShown([this] { refreshTabs(); });
    // A press on a neighbour-month day moves the view by itself; the tabs and the free
    // month follow it.
    connect(view_, &TKvMCal::dayChanged, this, [this] { session_.followView(); });
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
    const Ymd date = juliusDayToYmd(today);
    entry_->setText(QString::fromStdString(yearMonthText(date.year, date.month)));
    applyCalendarSettings(m, settings);
    m.readHolidayFile(start.startFolder + kHolidayFileName, ui, sleeper);
    m.setDataKyoFile(folders.commonFolder, ui, sleeper);
    session_.reloadAll(folders, settings.data, today);
    m.state().Suspended = false;
    m.relayout();
    refreshTabs();
    whitePanel_->setVisible(settings.display.cbTukiYotei);
}

QWidget* MonthPage::createButtonColumn() {
    auto* buttons = new QWidget(this);
    buttons->setObjectName("pnlMonthBtn");
    buttons->setFixedWidth(kButtonColumnWidth);
    auto* column = new QVBoxLayout(buttons);
    column->setContentsMargins(4, 0, 4, 0);

    entry_ = new QLineEdit(buttons);
    entry_->setObjectName("edtNengetu");
    entry_->setMaxLength(6);
    entry_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,6}"), entry_));
    entry_->installEventFilter(this);
    entry_->hide();
    connect(entry_, &QLineEdit::returnPressed, this, &MonthPage::submitYearMonthEntry);
    column->addWidget(entry_);

    const auto add = [&](const char* caption, const char* name, std::function<void()> action) {
        auto* button = new QPushButton(caption, buttons);
        button->setObjectName(name);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, std::move(action));
        column->addWidget(button);
        return button;
    };
    add("前月", "btnPrevMonth", [this] { stepMonths(-1); });
    add("翌月", "btnNextMonth", [this] { stepMonths(1); });
    add("前年", "btnPrevYear", [this] { stepMonths(-12); });
    add("翌年", "btnNextYear", [this] { stepMonths(12); });
    column->addSpacing(8);
    entryButton_ = add(kEntryButtonCaption, "btnNengetu", [this] {
        if (yearMonthEntryOpen()) {
            closeYearMonthEntry();
        } else {
            openYearMonthEntry();
        }
    });
    add("標準表示", "btnHyoujun", [this] { showStandard(); });
    column->addSpacing(8);
    add("Files1", "btnFiles1", [this] { emit dataSetRequested(1); });
    add("Files2", "btnFiles2", [this] { emit dataSetRequested(2); });
    column->addSpacing(8);
    add("今月", "btnKongetu", [this] { showCurrentMonth(); });
    column->addStretch();
    return buttons;
}

QPushButton* MonthPage::insertButton(const QString& caption, const QString& objectName,
                                     const QString& below) {
    QWidget* column = findChild<QWidget*>("pnlMonthBtn");
    auto* layout = static_cast<QVBoxLayout*>(column->layout());
    auto* inserted = new QPushButton(caption, column);
    inserted->setObjectName(objectName);
    inserted->setFocusPolicy(Qt::NoFocus);
    // An empty `below` puts the button at the top of the column.
    layout->insertWidget(below.isEmpty() ? 0 : layout->indexOf(button(below)) + 1, inserted);
    return inserted;
}

QPushButton* MonthPage::button(const QString& objectName) const {
    return findChild<QPushButton*>(objectName);
}

void MonthPage::tintFiles2(bool tinted) {
    QPushButton* files2 = button("btnFiles2");
    QPalette palette = files2->style()->standardPalette();
    if (tinted)
        palette.setColor(QPalette::Button, kDataSet2Tint);
    files2->setPalette(palette);
    files2->setAutoFillBackground(tinted);
}

void MonthPage::showYearMonth(const std::string& yyyymm) {
    entry_->setText(QString::fromStdString(yyyymm));
    session_.showMonth(yyyymm);
}

void MonthPage::stepMonths(int months) {
    const Ymd shown = juliusDayToYmd(view_->model().juliusDay());
    showYearMonth(yearMonthText(shown.year, shown.month + months));
}

void MonthPage::showCurrentMonth() {
    const Ymd today = juliusDayToYmd(session_.runToday());
    session_.showMonth(yearMonthText(today.year, today.month));
}

void MonthPage::showStandard() {
    closeYearMonthEntry();
    session_.returnToRememberedSlot();
}

bool MonthPage::yearMonthEntryOpen() const {
    return !entry_->isHidden();
}

void MonthPage::openYearMonthEntry() {
    entry_->show();
    entry_->setFocus();
    entry_->setCursorPosition(std::min(4, static_cast<int>(entry_->text().size())));
    entryButton_->setText("Cancel");
    emit statusHint(kEntryHint);
}

void MonthPage::closeYearMonthEntry() {
    if (!yearMonthEntryOpen())
        return;
    entry_->hide();
    if (isVisible())
        view_->setFocus();
    entryButton_->setText(kEntryButtonCaption);
    emit statusHint(QString());
}

void MonthPage::submitYearMonthEntry() {
    const std::string text = entry_->text().toStdString();
    if (!validYearMonthEntry(text)) {
        ui_->message(kYearMonthEntryText);
        return;
    }
    // A refused month has told the user why; the entry closes either way.
    session_.showMonth(text);
    closeYearMonthEntry();
}

bool MonthPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == entry_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Digits overwrite: each first removes the character after the caret.
        if (key->text().size() == 1 && key->text()[0].isDigit() && !entry_->hasSelectedText() &&
            entry_->cursorPosition() < entry_->text().size()) {
            entry_->del();
        } else if (key->key() == Qt::Key_Escape) {
            closeYearMonthEntry();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
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
