#pragma once
// The period page of the editor window: start and end with their parts of the day,
// the day that carries the summary, the summary, and the line's thickness and colour.

#include <QLineEdit>
#include <QSpinBox>
#include <QWidget>
#include <functional>
#include <optional>

#include "core/user_interface.h"
#include "editor_models/period_form.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace velmo {

// Picks a colour starting from the given one; nothing when the user cancelled.
using ColourChooser = std::function<std::optional<Colour>(Colour initial, QWidget* parent)>;

// The program's colour dialog: fixed custom colours, the last choice kept for the run.
std::optional<Colour> chooseColourInDialog(Colour initial, QWidget* parent);

QColor qColourOf(Colour colour);
Colour colourOfQColour(const QColor& colour);

// A one-line text field: line breaks that reach it (pasted, dropped, set) become spaces.
class OneLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit OneLineEdit(QWidget* parent = nullptr);
};

// A year, month or day box whose buttons wrap and carry into the larger fields.
class DateFieldBox : public QSpinBox {
    Q_OBJECT

public:
    DateFieldBox(DateField field, QWidget* parent = nullptr);
    DateField field() const { return field_; }
    void stepBy(int steps) override;

signals:
    void stepRequested(velmo::DateField field, int steps);

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    DateField field_;
};

// Three date boxes joined by "：".
class DateFields : public QWidget {
    Q_OBJECT

public:
    explicit DateFields(const QString& name, QWidget* parent = nullptr);
    Ymd date() const;
    void setDate(const Ymd& date);
    DateFieldBox* box(DateField field) const;

private:
    DateFieldBox* year_;
    DateFieldBox* month_;
    DateFieldBox* day_;
};

class PeriodPage : public QWidget {
    Q_OBJECT

public:
    PeriodPage(UserInterface& ui, ColourChooser chooser, QWidget* parent = nullptr);

    // Fills every field; the summary counts as not modified afterwards.
    void setForm(const PeriodForm& form);
    // The fields as they stand (the owner of a changed record is carried through).
    PeriodForm form() const;

    // The write button's checks: the summary can be stored, every date is a date and
    // the end does not come before the start; then the summary date is moved into the
    // period when it lies outside. False, with the reason shown and the focus on the
    // field to mend, when the page cannot be written yet.
    bool prepareWrite();
    // Only the checks, without moving the summary date.
    bool checkFields();

    bool summaryModified() const;
    void focusSummary();

    DateFields* startDate() const { return start_; }
    DateFields* endDate() const { return end_; }
    DateFields* summaryDate() const { return summaryDate_; }
    QComboBox* startPart() const { return startPart_; }
    QComboBox* endPart() const { return endPart_; }
    OneLineEdit* summaryEdit() const { return summary_; }
    QSpinBox* thicknessBox() const { return thickness_; }
    QPushButton* colourButton() const { return colourButton_; }
    QLabel* actionLabel() const { return action_; }
    Colour colour() const { return colour_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setColour(Colour colour);

    UserInterface& ui_;
    ColourChooser chooser_;
    QLabel* action_;
    DateFields* start_;
    QComboBox* startPart_;
    DateFields* end_;
    QComboBox* endPart_;
    DateFields* summaryDate_;
    OneLineEdit* summary_;
    QSpinBox* thickness_;
    QLabel* swatch_;
    QPushButton* colourButton_;
    Colour colour_ = 0;
    bool isNew_ = true;
    std::string owner_;
};

}  // namespace velmo
