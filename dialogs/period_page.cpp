#include "dialogs/period_page.h"

#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>

#include "editor_models/day_editor_lines.h"
#include "editor_models/day_line_attrs.h"

namespace velmo {
namespace {

// Turns every line break into one space, keeping the caret where it was in the text.
class OneLineValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override {
        QString out;
        out.reserve(input.size());
        int newPosition = position;
        for (int i = 0; i < input.size(); ++i) {
            const QChar c = input[i];
            if (c == QLatin1Char('\r') && i + 1 < input.size() && input[i + 1] == '\n') {
                if (i < position)
                    --newPosition;  // two characters become one
                continue;
            }
            const bool lineBreak = c == QLatin1Char('\r') || c == QLatin1Char('\n') ||
                                   c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
            out += lineBreak ? QChar(QLatin1Char(' ')) : c;
        }
        if (out != input) {
            input = out;
            position = std::clamp(newPosition, 0, static_cast<int>(input.size()));
        }
        return Acceptable;
    }
};

const char* const kPartNames[] = {"朝", "昼", "夕"};

QComboBox* partBox(QWidget* parent, const QString& name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(false);  // a part is chosen from the list only
    for (const char* item : kPartNames)
        box->addItem(QString::fromUtf8(item));
    return box;
}

QLabel* label(const char* text, QWidget* parent) {
    return new QLabel(QString::fromUtf8(text), parent);
}

}  // namespace

QColor qColourOf(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

Colour colourOfQColour(const QColor& colour) {
    return static_cast<Colour>(colour.red()) | (static_cast<Colour>(colour.green()) << 8) |
           (static_cast<Colour>(colour.blue()) << 16);
}

std::optional<Colour> chooseColourInDialog(Colour initial, QWidget* parent) {
    static bool customSet = false;
    if (!customSet) {
        for (int i = 0; i < static_cast<int>(kCustomColours.size()); ++i)
            QColorDialog::setCustomColor(i, qColourOf(kCustomColours[i]));
        customSet = true;
    }
    const QColor chosen = QColorDialog::getColor(qColourOf(initial), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return colourOfQColour(chosen);
}

OneLineEdit::OneLineEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new OneLineValidator(this));
    // A text the validator mended is set anew, which clears the modified flag.
    connect(this, &QLineEdit::textEdited, this, [this] { setModified(true); });
}

DateFieldBox::DateFieldBox(DateField field, QWidget* parent) : QSpinBox(parent), field_(field) {
    switch (field) {
        case DateField::Year:
            setRange(kMinFormYear, kMaxFormYear);
            break;
        case DateField::Month:
            setRange(1, 12);
            break;
        case DateField::Day:
            setRange(1, 31);
            break;
    }
    setAlignment(Qt::AlignRight);
}

QAbstractSpinBox::StepEnabled DateFieldBox::stepEnabled() const {
    // Month and day wrap at their limits; the year stops.
    if (field_ != DateField::Year)
        return StepUpEnabled | StepDownEnabled;
    return QSpinBox::stepEnabled();
}

void DateFieldBox::stepBy(int steps) {
    emit stepRequested(field_, steps);
}

void DateFieldBox::keyPressEvent(QKeyEvent* event) {
    // Left and Right leave the box at its ends for the neighbouring box.
    const bool plain = !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    if (plain && event->key() == Qt::Key_Left && lineEdit()->cursorPosition() == 0) {
        focusPreviousChild();
        return;
    }
    if (plain && event->key() == Qt::Key_Right &&
        lineEdit()->cursorPosition() == lineEdit()->text().size()) {
        focusNextChild();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

DateFields::DateFields(const QString& name, QWidget* parent) : QWidget(parent) {
    year_ = new DateFieldBox(DateField::Year, this);
    month_ = new DateFieldBox(DateField::Month, this);
    day_ = new DateFieldBox(DateField::Day, this);
    year_->setObjectName(QStringLiteral("edtYear_") + name);
    month_->setObjectName(QStringLiteral("edtMonth_") + name);
    day_->setObjectName(QStringLiteral("edtDay_") + name);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(year_, 5);
    layout->addWidget(label("：", this));
    layout->addWidget(month_, 3);
    layout->addWidget(label("：", this));
    layout->addWidget(day_, 3);
    for (DateFieldBox* box : {year_, month_, day_}) {
        connect(box, &DateFieldBox::stepRequested, this, [this](DateField field, int steps) {
            setDate(stepDateField(date(), field, steps));
        });
    }
}

Ymd DateFields::date() const {
    return {year_->value(), month_->value(), day_->value()};
}

void DateFields::setDate(const Ymd& date) {
    year_->setValue(date.year);
    month_->setValue(date.month);
    day_->setValue(date.day);
}

DateFieldBox* DateFields::box(DateField field) const {
    switch (field) {
        case DateField::Year:
            return year_;
        case DateField::Month:
            return month_;
        case DateField::Day:
            return day_;
    }
    return day_;
}

PeriodPage::PeriodPage(UserInterface& ui, ColourChooser chooser, QWidget* parent)
    : QWidget(parent), ui_(ui), chooser_(std::move(chooser)) {
    action_ = new QLabel(this);
    action_->setObjectName(QStringLiteral("pnlKikan"));
    action_->setAlignment(Qt::AlignCenter);
    action_->setFrameShape(QFrame::Panel);
    action_->setFrameShadow(QFrame::Sunken);

    start_ = new DateFields(QStringLiteral("1"), this);
    startPart_ = partBox(this, QStringLiteral("KvComboBox1"));
    end_ = new DateFields(QStringLiteral("2"), this);
    endPart_ = partBox(this, QStringLiteral("KvComboBox2"));
    summaryDate_ = new DateFields(QStringLiteral("3"), this);
    summary_ = new OneLineEdit(this);
    summary_->setObjectName(QStringLiteral("KvEdit4"));
    thickness_ = new QSpinBox(this);
    thickness_->setObjectName(QStringLiteral("edtFutosa"));
    thickness_->setRange(1, 3);
    swatch_ = new QLabel(this);
    swatch_->setObjectName(QStringLiteral("edtColor"));
    swatch_->setFrameShape(QFrame::Box);
    swatch_->setMinimumSize(48, 20);
    swatch_->setAutoFillBackground(true);
    colourButton_ = new QPushButton(QString::fromUtf8("色の変更"), this);
    colourButton_->setObjectName(QStringLiteral("btnColor"));
    colourButton_->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setVerticalSpacing(6);
    int row = 0;
    grid->addWidget(action_, row++, 0, 1, 3);
    grid->addWidget(label("矢印 ：", this), row++, 0, 1, 3);
    grid->addWidget(start_, row, 0);
    grid->addWidget(startPart_, row, 1);
    grid->addWidget(label("から", this), row++, 2);
    grid->addWidget(end_, row, 0);
    grid->addWidget(endPart_, row, 1);
    grid->addWidget(label("まで", this), row++, 2);
    grid->addWidget(label("摘要を書込む日 ：", this), row++, 0, 1, 3);
    grid->addWidget(summaryDate_, row++, 0);
    grid->addWidget(label("摘要　：", this), row++, 0, 1, 3);
    grid->addWidget(summary_, row++, 0, 1, 3);
    auto* lineRow = new QHBoxLayout;
    lineRow->addWidget(label("線の太さ：", this));
    lineRow->addWidget(thickness_);
    lineRow->addStretch(1);
    grid->addLayout(lineRow, row++, 0, 1, 3);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(label("線の色　：", this));
    colourRow->addWidget(swatch_);
    colourRow->addWidget(colourButton_);
    colourRow->addStretch(1);
    grid->addLayout(colourRow, row++, 0, 1, 3);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(0, 1);

    connect(colourButton_, &QPushButton::clicked, this, [this] {
        if (!chooser_)
            return;
        if (const std::optional<Colour> chosen = chooser_(colour_, this))
            setColour(*chosen);
    });

    // Enter moves on to the next field.
    for (QWidget* field : findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractSpinBox*>(field) || qobject_cast<QComboBox*>(field) ||
            qobject_cast<QLineEdit*>(field)) {
            field->installEventFilter(this);
        }
    }
    setColour(0);
}

bool PeriodPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PeriodPage::setColour(Colour colour) {
    colour_ = colour;
    QPalette palette = swatch_->palette();
    palette.setColor(QPalette::Window, qColourOf(colour));
    swatch_->setPalette(palette);
}

void PeriodPage::setForm(const PeriodForm& form) {
    isNew_ = form.isNew;
    owner_ = form.owner;
    action_->setText(QString::fromUtf8(form.isNew ? "追加" : "修正"));
    start_->setDate(form.start);
    startPart_->setCurrentIndex(dayPartIndex(form.startPart));
    end_->setDate(form.end);
    endPart_->setCurrentIndex(dayPartIndex(form.endPart));
    summaryDate_->setDate(form.summaryDate);
    summary_->setText(QString::fromStdString(form.summary));
    summary_->setModified(false);
    thickness_->setValue(form.thickness);
    setColour(form.colour);
}

PeriodForm PeriodPage::form() const {
    PeriodForm form;
    form.isNew = isNew_;
    form.owner = owner_;
    form.start = start_->date();
    form.startPart = dayPartOfIndex(startPart_->currentIndex());
    form.end = end_->date();
    form.endPart = dayPartOfIndex(endPart_->currentIndex());
    form.summaryDate = summaryDate_->date();
    form.summary = summary_->text().toStdString();
    form.thickness = thickness_->value();
    form.colour = colour_;
    return form;
}

bool PeriodPage::checkFields() {
    const PeriodForm current = form();
    if (const std::optional<std::string> message = unencodableTextMessage(current.summary)) {
        informMain(ui_, *message);
        summary_->setFocus();
        return false;
    }
    const DateFields* const dates[] = {start_, end_, summaryDate_};
    for (const DateFields* fields : dates) {
        if (!isFormDate(fields->date())) {
            ui_.error(kInvalidDatePrefix + formDateText(fields->date()), kMainInformationCaption);
            fields->box(DateField::Day)->setFocus();
            return false;
        }
    }
    if (endsBeforeStart(current)) {
        ui_.error(kPeriodReversedMessage, kMainInformationCaption);
        end_->box(DateField::Day)->setFocus();
        return false;
    }
    return true;
}

bool PeriodPage::prepareWrite() {
    if (!checkFields())
        return false;
    PeriodForm current = form();
    settleSummaryDate(current);
    summaryDate_->setDate(current.summaryDate);
    return true;
}

bool PeriodPage::summaryModified() const {
    return summary_->isModified();
}

void PeriodPage::focusSummary() {
    summary_->setFocus();
}

}  // namespace velmo
