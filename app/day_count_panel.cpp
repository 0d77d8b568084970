#include "app/day_count_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace velmo {

namespace {

// The compute button while a change waits: background 0xD7D7FF, hot 0xFFFF00 (BGR).
constexpr const char* kPendingStyle =
    "QPushButton { background-color: #FFD7D7; } QPushButton:hover { background-color: #00FFFF; }";

void setBold(QWidget* widget, bool bold) {
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

// An edit box with its up-down. The date fields leave the arrows to DayCount, whose
// wrap carries into the next field; QSpinBox would only stop or wrap in place.
class DayCountPanel::FieldSpin : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

    std::function<void(int)> onStep;
    std::function<void()> onEnter;
    bool modelSteps = false;

    void stepBy(int steps) override {
        if (!modelSteps)
            QSpinBox::stepBy(steps);
        if (onStep)
            onStep(steps);
    }

protected:
    StepEnabled stepEnabled() const override {
        return modelSteps ? (StepUpEnabled | StepDownEnabled) : QSpinBox::stepEnabled();
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            interpretText();
            if (onEnter)
                onEnter();
            event->accept();
            return;
        }
        QSpinBox::keyPressEvent(event);
    }
};

DayCountPanel::DayCountPanel(UserInterface& ui, QWidget* parent) : QWidget(parent), model_(ui) {
    setObjectName("pnlNissuu");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);

    start_ = new QRadioButton(this);
    start_->setObjectName("rbSt");
    end_ = new QRadioButton(this);
    end_->setObjectName("rbEd");
    const char* names[2][3][2] = {
        {{"udStYear", "edtStYear"}, {"udStMonth", "edtStMonth"}, {"udStDay", "edtStDay"}},
        {{"udEdYear", "edtEdYear"}, {"udEdMonth", "edtEdMonth"}, {"udEdDay", "edtEdDay"}}};
    const int limits[3][2] = {{kDayCountMinYear, kDayCountMaxYear}, {1, 12}, {1, kDayCountMaxDay}};
    const char* units[3] = {"年", "月", "日"};
    const DateField fields[3] = {DateField::Year, DateField::Month, DateField::Day};
    for (int date = 0; date < 2; ++date) {
        grid->addWidget(date == 0 ? start_ : end_, date * 2, 0, 1, 6);
        for (int f = 0; f < 3; ++f) {
            FieldSpin* spin =
                addSpin(names[date][f][0], names[date][f][1], limits[f][0], limits[f][1]);
            spin->modelSteps = true;
            const bool isStart = date == 0;
            const DateField field = fields[f];
            spin->onStep = [this, isStart, field](int steps) {
                readControls();
                model_.step(isStart, field, steps);
                showModel();
            };
            (isStart ? startFields_ : endFields_)[f] = spin;
            grid->addWidget(spin, date * 2 + 1, f * 2);
            grid->addWidget(new QLabel(units[f], this), date * 2 + 1, f * 2 + 1);
        }
    }

    daysLabel_ = new QLabel(this);
    daysLabel_->setObjectName("lblDays");
    grid->addWidget(daysLabel_, 4, 0, 1, 6);
    days_ = addSpin("udDay", "edtDay", -kDayCountMaxDays, kDayCountMaxDays);
    days_->onStep = [this](int) {
        readControls();
        model_.changed();
        showModel();
    };
    grid->addWidget(days_, 5, 0, 1, 4);
    grid->addWidget(new QLabel("日", this), 5, 4);

    notComputed_ = new QLabel(kNotComputedText, this);
    notComputed_->setObjectName("lblMikeisan");
    QPalette red = notComputed_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    notComputed_->setPalette(red);
    grid->addWidget(notComputed_, 6, 0, 1, 6);

    QGroupBox* counts =
        addChoices("rgNissuu", " 計算方法 ", {"日数(片端入)", "期間(両端入)"}, countModes_);
    grid->addWidget(counts, 7, 0, 1, 6);
    QGroupBox* results =
        addChoices("rgKekka", "  計算結果  ", {"開始日", "終了日", "日数"}, resultModes_);
    grid->addWidget(results, 8, 0, 1, 6);
    for (int mode = 0; mode < static_cast<int>(countModes_.size()); ++mode) {
        connect(countModes_[mode], &QRadioButton::clicked, this, [this, mode] {
            readControls();
            model_.setCountMode(mode);
            showModel();
        });
    }
    for (int mode = 0; mode < static_cast<int>(resultModes_.size()); ++mode) {
        connect(resultModes_[mode], &QRadioButton::clicked, this, [this, mode] {
            readControls();
            model_.setResultMode(mode);
            showModel();
        });
    }

    autoCompute_ = new QCheckBox("自動計算", this);
    autoCompute_->setObjectName("cbKeisan");
    grid->addWidget(autoCompute_, 9, 0, 1, 3);
    compute_ = new QPushButton("計算実行", this);
    compute_->setObjectName("btnKeisan");
    grid->addWidget(compute_, 9, 3, 1, 3);
    grid->setRowStretch(10, 1);

    connect(autoCompute_, &QCheckBox::clicked, this, [this](bool on) {
        readControls();
        model_.setAutoCompute(on);
        showModel();
    });
    connect(compute_, &QPushButton::clicked, this, [this] {
        readControls();
        model_.compute();
        showModel();
    });
    for (QRadioButton* date : {start_, end_})
        connect(date, &QRadioButton::clicked, this, [this] { readControls(); });
    showModel();
}

DayCountPanel::FieldSpin* DayCountPanel::addSpin(const char* objectName, const char* editName,
                                                 int minimum, int maximum) {
    auto* spin = new FieldSpin(this);
    spin->setObjectName(objectName);
    spin->setRange(minimum, maximum);
    spin->setAlignment(Qt::AlignRight);
    if (auto* edit = spin->findChild<QLineEdit*>()) {
        edit->setObjectName(editName);
        connect(edit, &QLineEdit::textEdited, this, [this] {
            model_.typed();
            notComputed_->setVisible(true);
        });
    }
    spin->onEnter = [this] {
        readControls();
        model_.changed();
        showModel();
    };
    return spin;
}

QGroupBox* DayCountPanel::addChoices(const char* objectName, const char* caption,
                                     std::initializer_list<const char*> items,
                                     std::vector<QRadioButton*>& to) {
    auto* box = new QGroupBox(caption, this);
    box->setObjectName(objectName);
    auto* column = new QVBoxLayout(box);
    for (const char* item : items) {
        auto* button = new QRadioButton(item, box);
        column->addWidget(button);
        to.push_back(button);
    }
    return box;
}

void DayCountPanel::readControls() {
    model_.start = {startFields_[0]->value(), startFields_[1]->value(), startFields_[2]->value()};
    model_.end = {endFields_[0]->value(), endFields_[1]->value(), endFields_[2]->value()};
    model_.days = days_->value();
    model_.fillsStart = start_->isChecked();
}

void DayCountPanel::showModel() {
    const Ymd* dates[2] = {&model_.start, &model_.end};
    FieldSpin* const* spins[2] = {startFields_, endFields_};
    for (int date = 0; date < 2; ++date) {
        const int values[3] = {dates[date]->year, dates[date]->month, dates[date]->day};
        for (int f = 0; f < 3; ++f) {
            const QSignalBlocker quiet(spins[date][f]);
            spins[date][f]->setValue(values[f]);
        }
    }
    {
        const QSignalBlocker quiet(days_);
        days_->setValue(model_.days);
    }
    (model_.fillsStart ? start_ : end_)->setChecked(true);
    countModes_.at(std::clamp(model_.countMode, 0, 1))->setChecked(true);
    resultModes_.at(std::clamp(model_.resultMode, 0, 2))->setChecked(true);
    autoCompute_->setChecked(model_.autoCompute);
    compute_->setEnabled(!model_.autoCompute);
    compute_->setStyleSheet(model_.pending() ? kPendingStyle : "");

    const DayCountLook look = model_.look();
    start_->setText(qs(look.startCaption));
    end_->setText(qs(look.endCaption));
    daysLabel_->setText(qs(look.daysCaption));
    setBold(start_, look.startBold);
    setBold(end_, look.endBold);
    setBold(daysLabel_, look.daysBold);
    start_->setEnabled(look.startEnabled);
    end_->setEnabled(look.endEnabled);
    for (int f = 0; f < 3; ++f) {
        startFields_[f]->setEnabled(look.startEnabled);
        endFields_[f]->setEnabled(look.endEnabled);
    }
    daysLabel_->setEnabled(look.daysEnabled);
    days_->setEnabled(look.daysEnabled);
    notComputed_->setVisible(model_.notComputedShown());
    emit keysChanged();
}

void DayCountPanel::applyKeys(const DayCountKeys& keys) {
    model_.countMode = std::clamp(keys.rgNissuu, 0, 1);
    model_.autoCompute = keys.cbKeisan;
    model_.days = std::clamp(keys.udDay, -kDayCountMaxDays, kDayCountMaxDays);
    model_.setResultMode(std::clamp(keys.rgKekka, 0, 2));
    showModel();
}

DayCountKeys DayCountPanel::keys() const {
    DayCountKeys keys;
    keys.rgNissuu = model_.countMode;
    keys.cbKeisan = model_.autoCompute;
    keys.udDay = model_.days;
    keys.rgKekka = model_.resultMode;
    return keys;
}

void DayCountPanel::startAt(int year, int month, int day) {
    model_.start = model_.end = {year, month, day};
    model_.compute();
    showModel();
}

void DayCountPanel::fillFromCalendar(int year, int month, int day) {
    readControls();
    model_.fillFromCalendar(year, month, day);
    showModel();
}

void DayCountPanel::checkStart() {
    model_.fillsStart = true;
    showModel();
}

}  // namespace velmo
