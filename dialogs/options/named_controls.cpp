#include "dialogs/options/named_controls.h"

#include <QLineEdit>

namespace velmo {

QCheckBox* namedCheckBox(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QRadioButton* namedRadioButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QRadioButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QPushButton* namedButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLabel* noteLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setWordWrap(true);
    return label;
}

QSpinBox* namedNumberBox(const char* udName, const char* edtName, int minimum, int maximum,
                         QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(udName));
    box->setRange(minimum, maximum);
    if (auto* field = box->findChild<QLineEdit*>())
        field->setObjectName(QString::fromLatin1(edtName));
    return box;
}

QHBoxLayout* labelledNumberRow(const char* before, QSpinBox* box, const char* after,
                               QWidget* parent, QList<QWidget*>& parts) {
    auto* row = new QHBoxLayout;
    auto* first = new QLabel(QString::fromUtf8(before), parent);
    auto* second = new QLabel(QString::fromUtf8(after), parent);
    row->addWidget(first);
    row->addWidget(box);
    row->addWidget(second);
    row->addStretch();
    parts << first << box << second;
    return row;
}

}  // namespace velmo
