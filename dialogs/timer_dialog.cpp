#include "dialogs/timer_dialog.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "core/clock.h"
#include "core/user_interface.h"
#include "dialogs/analog_clock.h"
#include "dialogs/up_down_arrows.h"
#include "editor_models/timer_alarm.h"

namespace velmo {

namespace {

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

constexpr int kTickMilliseconds = 800;
constexpr int kClockSide = 180;
const QColor kGreyText(0x80, 0x80, 0x80);

const char* const kRunningText = "タイマー作動中";
const char* const kReachedText = "設定された時刻になりました。";
const char* const kStartText = "タイマー開始(&G)";
const char* const kStopText = "タイマー中止(&G)";

// The digits of the two-touch buttons: " 0" … "23", a blank before one digit.
QString buttonNumber(int value) {
    return QStringLiteral("%1").arg(value, 2);
}

QLabel* centredLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(qs(text), parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// What the two displays hide keeps its place, so the dialog keeps its height and the
// fields do not move.
void retainWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

QLabel* messageLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    retainWhenHidden(label);
    return label;
}

int fieldNumber(const QLineEdit* field, int maximum) {
    bool ok = false;
    const int value = field->text().toInt(&ok);
    return ok && value >= 0 && value <= maximum ? value : 0;
}

}  // namespace

QColor timerButtonTextColour(bool running, bool windowActive, const QPalette& palette) {
    if (running)
        return windowActive ? QColor(0x00, 0xFF, 0xFF) : QColor(0x00, 0x00, 0xFF);
    return windowActive ? QColor(0x00, 0x00, 0xFF) : palette.color(QPalette::WindowText);
}

TfmNichiji::TfmNichiji(TimerState& state, int mode, UserInterface& ui, const Clock& clock,
                       QWidget* parent)
    : QDialog(parent),
      state_(state),
      mode_(mode),
      ui_(ui),
      clock_(clock),
      openedRunning_(state.running),
      page_(new QWidget(this)),
      tickTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("fmNichiji"));
    setWindowTitle(qs("ベルモ -Velmo-"));
    page_->setObjectName(QStringLiteral("tsTimer"));

    lblTimeError_ = messageLabel("lblTimeError", page_);
    lblTimeError_->setText(qs("時刻変換エラー"));
    lblTimeError_->setStyleSheet(QStringLiteral("color: #FF0000;"));
    lblTimeError_->hide();
    lblSadou_ = messageLabel("lblSadou", page_);
    QFont big = lblSadou_->font();
    big.setPixelSize(20);
    big.setBold(true);
    lblSadou_->setFont(big);
    QPalette red = lblSadou_->palette();
    red.setColor(QPalette::Active, QPalette::WindowText, Qt::red);
    red.setColor(QPalette::Inactive, QPalette::WindowText, Qt::red);
    lblSadou_->setPalette(red);
    lblCDown_ = messageLabel("lblCDown", page_);
    lblShuuryou_ = messageLabel("lblShuuryou", page_);

    btnTimerOnOff_ = new QPushButton(qs(kStartText), page_);
    btnTimerOnOff_->setObjectName(QStringLiteral("btnTimerOnOff"));
    btnClose_ = new QPushButton(qs("閉じる(&X)"), page_);
    btnClose_->setObjectName(QStringLiteral("btnClose"));
    for (QPushButton* button : {btnTimerOnOff_, btnClose_}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(130);
    }
    connect(btnTimerOnOff_, &QPushButton::clicked, this, &TfmNichiji::startOrStop);
    connect(btnClose_, &QPushButton::clicked, this, [this] { requestClose(Accepted); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnTimerOnOff_);
    buttons->addWidget(btnClose_);

    auto* left = new QWidget(page_);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(buildClocks());
    leftLayout->addWidget(buildFields());
    leftLayout->addWidget(lblTimeError_);
    leftLayout->addSpacing(6);
    leftLayout->addWidget(lblSadou_);
    leftLayout->addWidget(lblCDown_);
    leftLayout->addWidget(lblShuuryou_);
    leftLayout->addStretch();
    leftLayout->addLayout(buttons);

    auto* pageLayout = new QHBoxLayout(page_);
    constexpr int kMargin = 8;
    pageLayout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    left->setFixedWidth(kRunningWidth - 2 * kMargin);
    pageLayout->addWidget(left);
    pageLayout->addWidget(buildTwoTouch(), 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page_);

    tickTimer_->setInterval(kTickMilliseconds);
    connect(tickTimer_, &QTimer::timeout, this, &TfmNichiji::tick);

    // The fields and the clock show the set time; seconds are not kept.
    setFields({state_.setTime.hour, state_.setTime.minute, 0});
    cbTimerBf_->setCurrentIndex(shownNoticeMinutes(state_.noticeMinutes));
    state_.noticeMinutes = cbTimerBf_->currentIndex();
    connect(cbTimerBf_, &QComboBox::currentIndexChanged, this,
            [this](int index) { state_.noticeMinutes = index; });

    if (mode_ == kNotificationMode) {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        lblSadou_->setText(qs(kReachedText));
        btnTimerOnOff_->hide();
        showRunningDisplay();
    } else if (state_.running) {
        lblSadou_->setText(qs(kRunningText));
        showRunningDisplay();
    } else {
        const TimeOfDay current = now();
        setFields({current.hour, current.minute, 0});
        showSettingDisplay();
    }
}

QWidget* TfmNichiji::buildClocks() {
    auto* box = new QWidget(page_);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    clock2_ = new TClock(box);
    clock2_->setObjectName(QStringLiteral("Clock2"));
    clock2_->setSecondHand(true);
    clock2_->followClock(&clock_);
    ckTimer_ = new TClock(box);
    ckTimer_->setObjectName(QStringLiteral("ckTimer"));
    for (TClock* face : {clock2_, ckTimer_})
        face->setFixedSize(kClockSide, kClockSide);
    grid->addWidget(clock2_, 0, 0, Qt::AlignHCenter);
    grid->addWidget(ckTimer_, 0, 1, Qt::AlignHCenter);
    grid->addWidget(centredLabel("現在時刻", box), 1, 0);
    grid->addWidget(centredLabel("設定時刻", box), 1, 1);
    return box;
}

QWidget* TfmNichiji::buildFields() {
    auto* box = new QWidget(page_);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);

    btnImaSet_ = new QPushButton(qs("現在時刻セット"), box);
    btnImaSet_->setObjectName(QStringLiteral("btnImaSet"));
    btnImaSet_->setAutoDefault(false);
    retainWhenHidden(btnImaSet_);
    connect(btnImaSet_, &QPushButton::clicked, this, [this] {
        const TimeOfDay current = now();
        setFields({current.hour, current.minute, 0});
    });
    grid->addWidget(btnImaSet_, 0, 0, Qt::AlignHCenter);

    edtHour_ = timeField("edtHour");
    edtMin_ = timeField("edtMin");
    edtSec_ = timeField("edtSec");
    auto* fields = new QHBoxLayout;
    fields->setSpacing(2);
    fields->addStretch();
    fields->addWidget(edtHour_);
    fields->addWidget(upDown("udHour", TimeField::Hour));
    fields->addWidget(new QLabel(qs("："), box));
    fields->addWidget(edtMin_);
    fields->addWidget(upDown("udMin", TimeField::Minute));
    fields->addWidget(new QLabel(qs("："), box));
    fields->addWidget(edtSec_);
    fields->addWidget(upDown("udSec", TimeField::Second));
    fields->addStretch();
    grid->addLayout(fields, 0, 1);

    cbTimerBf_ = new QComboBox(box);
    cbTimerBf_->setObjectName(QStringLiteral("cbTimerBf"));
    for (int minutes = 0; minutes <= 9; ++minutes)
        cbTimerBf_->addItem(QString::number(minutes));
    auto* notice = new QHBoxLayout;
    notice->addStretch();
    notice->addWidget(new QLabel(qs("通知時刻："), box));
    notice->addWidget(cbTimerBf_);
    notice->addWidget(new QLabel(qs("分前"), box));
    notice->addStretch();
    grid->addLayout(notice, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    return box;
}

QLineEdit* TfmNichiji::timeField(const char* name) {
    auto* field = new QLineEdit(page_);
    field->setObjectName(QString::fromLatin1(name));
    field->setMaxLength(2);
    field->setAlignment(Qt::AlignCenter);
    field->setFixedWidth(34);
    field->installEventFilter(this);
    connect(field, &QLineEdit::textChanged, this, &TfmNichiji::fieldsChanged);
    return field;
}

QWidget* TfmNichiji::upDown(const char* name, TimeField field) {
    QWidget* box = makeUpDownArrows(QString::fromLatin1(name), page_,
                                    [this, field](int direction) { step(field, direction); });
    upDowns_.append(box);
    return box;
}

QGroupBox* TfmNichiji::buildTwoTouch() {
    twoTouch_ = new QGroupBox(qs(" ２タッチ設定 "), page_);
    twoTouch_->setObjectName(QStringLiteral("gbTwoTouch"));
    auto* grid = new QGridLayout(twoTouch_);
    grid->setSpacing(3);
    constexpr int kColumns = 6;
    const auto addButton = [this, grid](int row, int column, int value, QLineEdit* field,
                                        const char* prefix) {
        auto* button = new QPushButton(buttonNumber(value), twoTouch_);
        button->setObjectName(QString::fromLatin1(prefix) + QString::number(value));
        button->setFixedSize(32, 26);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this,
                [field, value] { field->setText(QString::number(value)); });
        grid->addWidget(button, row, column);
    };
    for (int hour = 0; hour < 24; ++hour)
        addButton(hour / kColumns, hour % kColumns, hour, edtHour_, "btnHour");
    grid->addWidget(new QLabel(qs("時"), twoTouch_), 0, kColumns);
    constexpr int kMinuteRow = 24 / kColumns + 1;
    grid->setRowMinimumHeight(kMinuteRow - 1, 10);
    for (int index = 0; index < 12; ++index)
        addButton(kMinuteRow + index / kColumns, index % kColumns, index * 5, edtMin_, "btnMin");
    grid->addWidget(new QLabel(qs("分"), twoTouch_), kMinuteRow, kColumns);
    return twoTouch_;
}

void TfmNichiji::showSettingDisplay() {
    tickTimer_->stop();
    setEditing(true);
    lblSadou_->hide();
    lblCDown_->hide();
    lblShuuryou_->hide();
    setFixedSize(page_->sizeHint());
    edtHour_->setFocus();
}

void TfmNichiji::showRunningDisplay() {
    setEditing(false);
    lblTimeError_->hide();
    // The first tick lights the indicator and writes the status.
    lblSadou_->setEnabled(false);
    lblSadou_->show();
    lblCDown_->setVisible(mode_ != kNotificationMode);
    lblCDown_->setText(qs(timerCountdownText(now(), state_.setTime, state_.noticeMinutes).c_str()));
    lblShuuryou_->hide();
    setFixedSize(kRunningWidth, page_->sizeHint().height());
    tickTimer_->start();
    if (mode_ == kNotificationMode || openedRunning_)
        btnClose_->setFocus();
    else
        page_->setFocus();
}

void TfmNichiji::becomeNotification() {
    mode_ = kNotificationMode;
    state_.running = false;
    lblSadou_->setText(qs(kReachedText));
    btnTimerOnOff_->hide();
    lblCDown_->hide();
    btnClose_->setFocus();
    if (!isVisible()) {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        return;
    }
    // Setting the widget's flags would recreate the window, which hides it and ends a
    // modal run; the shown window takes the hint as it is.
    overrideWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    if (QWindow* window = windowHandle())
        window->setFlag(Qt::WindowStaysOnTopHint, true);
    raise();
    activateWindow();
}

void TfmNichiji::setEditing(bool editable) {
    running_ = !editable;
    btnTimerOnOff_->setText(qs(editable ? kStartText : kStopText));
    btnImaSet_->setVisible(editable);
    twoTouch_->setVisible(editable);
    for (QWidget* box : upDowns_)
        box->setVisible(editable);
    for (QLineEdit* field : {edtHour_, edtMin_, edtSec_}) {
        field->setEnabled(editable);
        QPalette pal = field->palette();
        pal.setColor(QPalette::Disabled, QPalette::Text, kGreyText);
        pal.setColor(QPalette::Active, QPalette::Text, palette().color(QPalette::WindowText));
        pal.setColor(QPalette::Inactive, QPalette::Text, palette().color(QPalette::WindowText));
        field->setPalette(pal);
    }
}

void TfmNichiji::setFields(TimeOfDay time) {
    edtHour_->setText(QString::number(time.hour));
    edtMin_->setText(QString::number(time.minute));
    edtSec_->setText(QString::number(time.second));
    fieldsChanged();
}

std::optional<TimeOfDay> TfmNichiji::fieldTime() const {
    return parseTimeFields(edtHour_->text().toStdString(), edtMin_->text().toStdString(),
                           edtSec_->text().toStdString());
}

void TfmNichiji::fieldsChanged() {
    const std::optional<TimeOfDay> time = fieldTime();
    // A broken time leaves the clock where it was.
    lblTimeError_->setVisible(!time && !running_);
    if (time)
        ckTimer_->setTime(*time);
}

void TfmNichiji::step(TimeField field, int direction) {
    const TimeOfDay current{fieldNumber(edtHour_, 23), fieldNumber(edtMin_, 59),
                            fieldNumber(edtSec_, 59)};
    setFields(stepTimeField(current, field, direction));
}

void TfmNichiji::startOrStop() {
    if (!running_) {
        start();
        return;
    }
    state_.running = false;
    showSettingDisplay();
}

void TfmNichiji::start() {
    const std::optional<TimeOfDay> set = fieldTime();
    if (!set) {
        informMain(ui_, "時刻が不正です。\r\n正しい時刻を入力してください。");
        return;
    }
    const TimerStartCheck check = checkTimerStart(now(), *set, state_.noticeMinutes);
    if (check.outcome == TimerStartOutcome::Refused) {
        informMain(ui_, check.message);
        return;
    }
    if (check.outcome == TimerStartOutcome::NeedsConfirmation &&
        !ask(ui_, check.message, DefaultButton::No, kMainInformationCaption)) {
        informMain(ui_, "もう一度、時刻の設定をお願いいたします。");
        return;
    }
    state_.setTime = *set;
    state_.running = true;
    lblSadou_->setText(qs(kRunningText));
    showRunningDisplay();
}

void TfmNichiji::tick() {
    if (!running_)
        return;
    // The main window noticed the alarm first (or stopped the timer): nothing runs here.
    if (mode_ == kSettingMode && !state_.running) {
        showSettingDisplay();
        return;
    }
    const TimeOfDay current = now();
    clock2_->refresh();
    lblSadou_->setEnabled(!lblSadou_->isEnabled());
    if (lblSadou_->isEnabled()) {
        lblShuuryou_->setText(qs(timerStatusText(current, state_.setTime).c_str()));
        lblShuuryou_->show();
    }
    if (mode_ == kSettingMode && timerAlarmDue(current, state_.setTime, state_.noticeMinutes))
        becomeNotification();
    lblCDown_->setText(
        qs(timerCountdownText(current, state_.setTime, state_.noticeMinutes).c_str()));
}

void TfmNichiji::reject() {
    requestClose(Rejected);
}

void TfmNichiji::requestClose(int result) {
    // With the indicator up the timer runs or has rung: nothing is lost by closing.
    if (lblSadou_->isHidden() && !ask(ui_, "タイマーをセットせずに、閉じてもよろしいですか？",
                                      DefaultButton::No, kMainInformationCaption))
        return;
    tickTimer_->stop();
    done(result);
}

bool TfmNichiji::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field == nullptr)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            field->clear();
            return true;
        }
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && field->isEnabled()) {
            const TimeField which = field == edtHour_  ? TimeField::Hour
                                    : field == edtMin_ ? TimeField::Minute
                                                       : TimeField::Second;
            step(which, key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        if (field->text().isEmpty())
            field->setText(QStringLiteral("0"));
        fieldsChanged();
    }
    return QDialog::eventFilter(watched, event);
}

void TfmNichiji::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (mode_ == kNotificationMode) {
        raise();
        activateWindow();
    }
}

TimeOfDay TfmNichiji::now() const {
    return timeOfDayOf(clock_.now());
}

}  // namespace velmo
