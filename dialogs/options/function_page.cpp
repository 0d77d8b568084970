#include "dialogs/options/function_page.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>
#include <optional>

#include "app/navigation/companion_search.h"
#include "dialogs/options/named_controls.h"
#include "dialogs/options/options_host.h"
#include "dialogs/up_down_arrows.h"
#include "platform/posix/process_scan.h"
#include "platform/posix/system_info.h"

namespace velmo {

namespace {

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

const char* const kCorrectionCaption = "インターネット時刻修正機能を使う";
const char* const kCorrectionByStartupClockCaption =
    "インターネット時刻修正機能を使う [スタートアップに登録された「ベル時計」を使います]";
const char* const kNoClockMessage =
    "ベル時計が見あたりません。\r\nベル時計をセットアップするか、ベルモを起動したフォルダに入れ"
    "てください。\r\n中止します。";
const char* const kClockRunningMessage = "既に起動中です。\r\n時間をおいてクリックしてください。";
const char* const kInvalidTimeMessage = "時刻が正しくありません。";
const char* const kWeekdays[] = {"毎日",       "毎週日曜日", "毎週月曜日", "毎週火曜日",
                                 "毎週水曜日", "毎週木曜日", "毎週金曜日", "毎週土曜日"};
constexpr int kWeekdayCount = 8;

// A box of the time editor takes only what can still become a valid field: digits up to
// its largest value, or nothing yet.
class TimeFieldValidator : public QValidator {
public:
    TimeFieldValidator(int maximum, QObject* parent) : QValidator(parent), maximum_(maximum) {}

    State validate(QString& input, int& /*position*/) const override {
        if (input.isEmpty())
            return Intermediate;
        bool ok = false;
        const int value = input.toInt(&ok);
        const bool digitsOnly =
            std::all_of(input.begin(), input.end(), [](QChar c) { return c.isDigit(); });
        return ok && digitsOnly && value <= maximum_ ? Acceptable : Invalid;
    }

private:
    int maximum_;
};

int boxValue(const QLineEdit* box) {
    bool ok = false;
    const int value = box->text().toInt(&ok);
    return ok ? value : 0;
}

std::optional<std::filesystem::path> clockIn(const std::vector<std::filesystem::path>& folders) {
    return platform::findCompanion(companionFileName(Companion::Clock), folders, "");
}

QLabel* plainLabel(const char* text, QWidget* parent) {
    return new QLabel(qs(text), parent);
}

}  // namespace

FunctionPage::FunctionPage(OptionPageContext context, QWidget* parent)
    : OptionPage(context, parent) {
    setObjectName(QStringLiteral("tsKinou"));
    auto* column = new QVBoxLayout(this);
    column->setSpacing(6);
    column->addWidget(buildLogGroup());
    column->addWidget(buildTimeGroup());
    column->addWidget(buildScheduleGroup());
    column->addStretch();

    loadSchedule(readJikokuSection(host().facts().settingsFile, host().sleeper()));
    showDisplayState();
}

QWidget* FunctionPage::buildLogGroup() {
    auto* group = new QGroupBox(qs(" 起動＆終了記録 "), this);
    auto* grid = new QGridLayout(group);
    cbKidouKiroku_ = namedCheckBox("cbKidouKiroku", "起動記録を実行", group);
    cbKirokuHyouji_ = namedCheckBox("cbKirokuHyouji", "前回の終了時刻を起動時に表示する", group);
    connect(cbKidouKiroku_, &QCheckBox::clicked, this, &FunctionPage::startLogClicked);
    grid->addWidget(cbKidouKiroku_, 0, 0);
    grid->addWidget(cbKirokuHyouji_, 0, 1);

    udKidouGyou_ = namedNumberBox("udKidouGyou", "edtKidouGyou", 10, 1000, group);
    logRowWidgets_ = {cbKirokuHyouji_};
    grid->addLayout(labelledNumberRow("記録行数 ：", udKidouGyou_, "行まで記録[ 10 ～ 1000行 ]",
                                      group, logRowWidgets_),
                    1, 0, 1, 2);
    return group;
}

QWidget* FunctionPage::buildTimeGroup() {
    auto* group = new QGroupBox(qs(" 時刻関係 "), this);
    auto* rows = new QVBoxLayout(group);
    cbJigen_ = namedCheckBox("cbJigen", "時限（タイマー）機能を使う", group);
    connect(cbJigen_, &QCheckBox::clicked, this, [this](bool on) {
        host().options().behaviour.cbJigen = on;
        host().setTimerFunction(on);
    });
    cbTShuusei_ = namedCheckBox("cbTShuusei", kCorrectionCaption, group);
    connect(cbTShuusei_, &QCheckBox::clicked, this, &FunctionPage::correctionClicked);
    cbClock_ = namedCheckBox(
        "cbClock", "時刻修正機能において、起動フォルダのベル時計を優先的に使用する", group);
    connect(cbClock_, &QCheckBox::clicked, this, &FunctionPage::clockChoiceClicked);
    for (QWidget* box : {cbJigen_, cbTShuusei_, cbClock_})
        rows->addWidget(box);
    return group;
}

QWidget* FunctionPage::buildScheduleGroup() {
    auto* group = new QGroupBox(qs(" インターネットへのアクセス時刻設定 "), this);
    auto* rows = new QVBoxLayout(group);
    rbDay_ = namedRadioButton(
        "rbDay", "毎起動時に時刻を修正（１日にベルモを何回起動しても、アクセスは１回／日です）",
        group);
    rbWeek_ = namedRadioButton("rbWeek", "毎週、月曜日以降の起動時に時刻を修正", group);
    rbShitei_ = namedRadioButton("rbShitei",
                                 "以下の時刻に、インターネットにアクセスし、時刻を修正する", group);
    auto* schedule = new QButtonGroup(group);
    for (QRadioButton* button : {rbDay_, rbWeek_, rbShitei_}) {
        schedule->addButton(button);
        rows->addWidget(button);
        connect(button, &QRadioButton::clicked, this, &FunctionPage::scheduleClicked);
    }
    rows->addWidget(buildTimeEditor(group));

    udChien_ = namedNumberBox("udChien", "edtChien", 0, 300, group);
    rows->addLayout(labelledNumberRow("動作遅延　　　：　ベルモ起動、", udChien_,
                                      "秒後にインターネットより時刻を取得[0 ～ 300秒 ]", group,
                                      delayWidgets_));

    auto* clockRow = new QHBoxLayout;
    btnVelclock_ = namedButton("btnVelclock", "「ベル時計」起動", group);
    connect(btnVelclock_, &QPushButton::clicked, this, &FunctionPage::startClock);
    velclockNote_ = plainLabel("← [詳細設定] および [時刻取得テスト]", group);
    clockRow->addWidget(btnVelclock_);
    clockRow->addWidget(velclockNote_);
    clockRow->addStretch();
    rows->addLayout(clockRow);
    return group;
}

QWidget* FunctionPage::buildTimeEditor(QWidget* parent) {
    auto* editor = new QWidget(parent);
    auto* row = new QHBoxLayout(editor);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    QLabel* weekdayLabel = plainLabel("曜日：", editor);
    cbYoubi_ = new QComboBox(editor);
    cbYoubi_->setObjectName(QStringLiteral("cbYoubi"));
    for (const char* weekday : kWeekdays)
        cbYoubi_->addItem(qs(weekday));
    cbYoubi_->installEventFilter(this);
    row->addWidget(weekdayLabel);
    row->addWidget(cbYoubi_);
    row->addSpacing(8);
    QLabel* timeLabel = plainLabel("時刻：", editor);
    row->addWidget(timeLabel);

    auto* panel = new QFrame(editor);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* fields = new QHBoxLayout(panel);
    fields->setContentsMargins(3, 2, 3, 2);
    fields->setSpacing(2);
    edtHour_ = timeBox("edtHour", 23, panel);
    edtMin_ = timeBox("edtMin", 59, panel);
    edtSec_ = timeBox("edtSec", 59, panel);
    editorWidgets_ = {weekdayLabel, cbYoubi_, timeLabel, panel, edtHour_, edtMin_, edtSec_};
    const struct {
        QLineEdit* box;
        const char* upDownName;
        TimeField field;
    } parts[] = {{edtHour_, "udHour", TimeField::Hour},
                 {edtMin_, "udMin", TimeField::Minute},
                 {edtSec_, "udSec", TimeField::Second}};
    for (const auto& part : parts) {
        if (part.box != edtHour_) {
            QLabel* colon = plainLabel("：", panel);
            fields->addWidget(colon);
            editorWidgets_.append(colon);
        }
        fields->addWidget(part.box);
        QWidget* arrows = makeUpDownArrows(
            QString::fromLatin1(part.upDownName), panel,
            [this, field = part.field](int direction) { stepField(field, direction); });
        fields->addWidget(arrows);
        upDowns_.append(arrows);
    }
    row->addWidget(panel);

    btnTimeEdit_ = namedButton("btnTimeEdit", "時刻修正", editor);
    btnTimeOk_ = namedButton("btnTimeOk", "決定", editor);
    btnTimeCancel_ = namedButton("btnTimeCancel", "Cancel", editor);
    connect(btnTimeEdit_, &QPushButton::clicked, this, &FunctionPage::showEditState);
    connect(btnTimeOk_, &QPushButton::clicked, this, &FunctionPage::confirmTime);
    connect(btnTimeCancel_, &QPushButton::clicked, this, &FunctionPage::cancelTime);
    // Only one state's buttons show at a time, to the right of everything else.
    for (QPushButton* button : {btnTimeEdit_, btnTimeOk_, btnTimeCancel_}) {
        button->setMinimumWidth(64);
        row->addWidget(button);
    }
    row->addStretch();
    return editor;
}

QLineEdit* FunctionPage::timeBox(const char* name, int maximum, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxLength(2);
    box->setFixedWidth(28);
    box->setAlignment(Qt::AlignCenter);
    box->setValidator(new TimeFieldValidator(maximum, box));
    return box;
}

void FunctionPage::loadSchedule(const JikokuSection& jikoku) {
    // Set in the stored order, so of two chosen buttons the later one wins.
    if (jikoku.rbDay)
        rbDay_->setChecked(true);
    if (jikoku.rbWeek)
        rbWeek_->setChecked(true);
    if (jikoku.rbShitei)
        rbShitei_->setChecked(true);
    const bool known = jikoku.cbYoubi >= 0 && jikoku.cbYoubi < kWeekdayCount;
    cbYoubi_->setCurrentIndex(known ? jikoku.cbYoubi : JikokuSection{}.cbYoubi);
    accessTime_ = parseAccessTime(jikoku.vTime, host().clock());
}

void FunctionPage::load(const TorkaSettings& options) {
    cbKidouKiroku_->setChecked(options.behaviour.cbKidouKiroku);
    cbKirokuHyouji_->setChecked(options.behaviour.cbKirokuHyouji);
    udKidouGyou_->setValue(options.behaviour.udKidouGyou);
    cbJigen_->setChecked(options.behaviour.cbJigen);
    cbTShuusei_->setChecked(options.correction.cbTShuusei);
    udChien_->setValue(options.correction.pTChien);

    const bool clockInStartFolder = clockIn({host().facts().startFolder}).has_value();
    cbClock_->setChecked(clockInStartFolder && options.correction.cbClock);
    cbClock_->setEnabled(clockInStartFolder);

    updateLogEnabling();
    updateCorrection();
}

void FunctionPage::store(TorkaSettings& options) const {
    options.behaviour.cbKidouKiroku = cbKidouKiroku_->isChecked();
    options.behaviour.cbKirokuHyouji = cbKirokuHyouji_->isChecked();
    options.behaviour.udKidouGyou = udKidouGyou_->value();
    options.behaviour.cbJigen = cbJigen_->isChecked();
    CorrectionKeys& correction = options.correction;
    correction.cbTShuusei = cbTShuusei_->isChecked();
    correction.cbClock = cbClock_->isChecked();
    correction.pTChien = udChien_->value();
    correction.pTAccess = rbShitei_->isChecked() ? 2 : rbWeek_->isChecked() ? 1 : 0;
    correction.pTTime = formatAccessTime(accessTime_);
    correction.pTYoubi = cbYoubi_->currentIndex();
    // The main window's copies of the schedule memory, which the dialog writes at once.
    correction.rbDay = rbDay_->isChecked();
    correction.rbWeek = rbWeek_->isChecked();
}

void FunctionPage::storeDialogSection(JikokuSection& jikoku) const {
    jikoku.rbDay = rbDay_->isChecked();
    jikoku.rbWeek = rbWeek_->isChecked();
    jikoku.rbShitei = rbShitei_->isChecked();
    jikoku.cbYoubi = cbYoubi_->currentIndex();
    jikoku.vTime = formatAccessTime(accessTime_);
}

bool FunctionPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cbYoubi_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            edtHour_->setFocus();
            return true;
        }
    }
    return OptionPage::eventFilter(watched, event);
}

void FunctionPage::startLogClicked(bool on) {
    host().options().behaviour.cbKidouKiroku = on;
    host().setStartLog(on);
    if (!on)
        cbKirokuHyouji_->setChecked(false);
    updateLogEnabling();
}

void FunctionPage::updateLogEnabling() {
    for (QWidget* widget : logRowWidgets_)
        widget->setEnabled(cbKidouKiroku_->isChecked());
}

void FunctionPage::correctionClicked(bool on) {
    if (host().clockCompanion().empty()) {
        cbTShuusei_->setChecked(false);
        host().ui().message(kNoClockMessage);
        return;
    }
    host().options().correction.cbTShuusei = on;
    host().setCorrectionMenuEnabled(on);
    updateCorrection();
}

void FunctionPage::clockChoiceClicked(bool checked) {
    const OptionsRunFacts& facts = host().facts();
    std::optional<std::filesystem::path> found;
    if (checked) {
        found = clockIn({facts.startFolder});
    } else {
        const std::string commonFiles = platform::dataHomeFolder().string() + "/";
        found = clockIn(clockChoiceFolders(
            {facts.startFolder, facts.userFolder, commonFiles, facts.useUserFolder}));
    }
    if (found)
        host().setClockCompanion(found->string());
    updateCorrection();
}

void FunctionPage::scheduleClicked() {
    showDisplayState();
    updateCorrection();
}

void FunctionPage::updateCorrection() {
    const bool clockKnown = !host().clockCompanion().empty();
    if (!clockKnown)
        cbTShuusei_->setChecked(false);
    for (QWidget* widget : {static_cast<QWidget*>(rbDay_), static_cast<QWidget*>(rbWeek_),
                            static_cast<QWidget*>(rbShitei_), static_cast<QWidget*>(btnVelclock_),
                            static_cast<QWidget*>(velclockNote_)})
        widget->setEnabled(clockKnown);
    for (QWidget* widget : delayWidgets_)
        widget->setEnabled(clockKnown);
    btnTimeEdit_->setEnabled(clockKnown && rbShitei_->isChecked());

    const bool byStartupClock = cbTShuusei_->isChecked() &&
                                (rbDay_->isChecked() || rbWeek_->isChecked()) &&
                                host().startupShortcutExists(kClockShortcut);
    cbTShuusei_->setText(
        qs(byStartupClock ? kCorrectionByStartupClockCaption : kCorrectionCaption));
}

void FunctionPage::startClock() {
    if (host().clockCompanionRunning()) {
        host().ui().message(kClockRunningMessage);
        return;
    }
    host().startClockCompanion();
}

void FunctionPage::showDisplayState() {
    showTime(accessTime_);
    for (QWidget* widget : editorWidgets_)
        widget->setEnabled(false);
    for (QWidget* arrows : upDowns_)
        arrows->hide();
    btnTimeEdit_->show();
    btnTimeOk_->hide();
    btnTimeCancel_->hide();
}

void FunctionPage::showEditState() {
    savedTime_ = accessTime_;
    showTime(accessTime_);
    for (QWidget* widget : editorWidgets_)
        widget->setEnabled(true);
    for (QWidget* arrows : upDowns_)
        arrows->show();
    btnTimeOk_->show();
    btnTimeCancel_->show();
    btnTimeEdit_->hide();
    edtHour_->setFocus();
}

void FunctionPage::confirmTime() {
    const std::optional<TimeOfDay> entered =
        parseTimeFields(edtHour_->text().toStdString(), edtMin_->text().toStdString(),
                        edtSec_->text().toStdString());
    if (!entered) {
        host().ui().information(kInvalidTimeMessage, kMainInformationCaption);
        return;
    }
    accessTime_ = *entered;
    showDisplayState();
}

void FunctionPage::cancelTime() {
    accessTime_ = savedTime_;
    showDisplayState();
}

void FunctionPage::stepField(TimeField field, int direction) {
    const TimeOfDay shown{boxValue(edtHour_), boxValue(edtMin_), boxValue(edtSec_)};
    showTime(stepAccessTime(shown, field, direction));
}

void FunctionPage::showTime(TimeOfDay time) {
    edtHour_->setText(QString::number(time.hour));
    edtMin_->setText(QString::number(time.minute));
    edtSec_->setText(QString::number(time.second));
}

}  // namespace velmo
