#pragma once
// Controls of the options pages made with the names the dialog and its tests find them
// by: the component name as objectName, the caption as shown.

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace velmo {

QCheckBox* namedCheckBox(const char* name, const char* caption, QWidget* parent);
QRadioButton* namedRadioButton(const char* name, const char* caption, QWidget* parent);
// A button that Enter in another control never presses.
QPushButton* namedButton(const char* name, const char* caption, QWidget* parent);
// A word-wrapping note.
QLabel* noteLabel(const char* text, QWidget* parent);

// A number box with its up-down: the spin box is named after the up-down (`udName`), its
// text field after the box (`edtName`).
QSpinBox* namedNumberBox(const char* udName, const char* edtName, int minimum, int maximum,
                         QWidget* parent);

// The box between its two labels as one row, packed to the left; the labels and the box
// are appended to `parts`, which the page enables together.
QHBoxLayout* labelledNumberRow(const char* before, QSpinBox* box, const char* after,
                               QWidget* parent, QList<QWidget*>& parts);

}  // namespace velmo
