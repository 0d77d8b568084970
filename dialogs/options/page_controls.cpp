#include "dialogs/options/page_controls.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace velmo {

QCheckBox* namedCheckBox(QWidget* parent, const char* objectName, const char* caption) {
    auto* box = new QCheckBox(pageText(caption), parent);
    box->setObjectName(QString::fromLatin1(objectName));
    return box;
}

QLabel* noteLabel(QWidget* parent, const char* text) {
    auto* label = new QLabel(pageText(text), parent);
    label->setWordWrap(true);
    return label;
}

QComboBox* positionList(QWidget* parent, const char* objectName,
                        std::initializer_list<const char*> items) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(objectName));
    for (const char* item : items)
        list->addItem(pageText(item));
    return list;
}

void loadListPosition(QComboBox* list, int position) {
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

void storeListPosition(const QComboBox* list, int& option) {
    if (list->currentIndex() >= 0)
        option = list->currentIndex();
}

RadioGroup::RadioGroup(QWidget* parent, const char* objectName, const char* caption,
                       std::initializer_list<const char*> items)
    : QGroupBox(pageText(caption), parent), buttons_(new QButtonGroup(this)) {
    setObjectName(QString::fromLatin1(objectName));
    auto* row = new QHBoxLayout(this);
    int index = 0;
    for (const char* item : items) {
        auto* button = new QRadioButton(pageText(item), this);
        button->setObjectName(QString::fromLatin1(objectName) + QString::number(index));
        buttons_->addButton(button, index);
        row->addWidget(button);
        ++index;
    }
    row->addStretch();
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemChosen(id);
    });
}

int RadioGroup::itemIndex() const {
    return buttons_->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* chosen = buttons_->button(index)) {
        chosen->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button by itself.
    buttons_->setExclusive(false);
    for (QAbstractButton* each : buttons_->buttons())
        each->setChecked(false);
    buttons_->setExclusive(true);
}

QRadioButton* RadioGroup::button(int index) const {
    return qobject_cast<QRadioButton*>(buttons_->button(index));
}

void RadioGroup::storeItemIndex(int& option) const {
    if (itemIndex() >= 0)
        option = itemIndex();
}

}  // namespace velmo
