#pragma once
// Small building blocks of the options pages: controls named after the option they edit,
// word-wrapped notes, list positions that survive an out-of-range value, and a group of
// radio buttons chosen by position.

#include <QGroupBox>
#include <QString>
#include <initializer_list>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace velmo {

// A page's texts are UTF-8 literals.
inline QString pageText(const char* text) {
    return QString::fromUtf8(text);
}

QCheckBox* namedCheckBox(QWidget* parent, const char* objectName, const char* caption);
// A note that wraps within the page's width.
QLabel* noteLabel(QWidget* parent, const char* text);

// A list whose positions are the option's values.
QComboBox* positionList(QWidget* parent, const char* objectName,
                        std::initializer_list<const char*> items);
// An option outside the list's positions shows no item and is kept as it was at closing.
void loadListPosition(QComboBox* list, int position);
void storeListPosition(const QComboBox* list, int& option);

// Radio buttons in a captioned group, side by side, chosen by position: the group box
// carries the option's name, the buttons are named after it with their position
// appended ("rgHyouji0", "rgHyouji1").
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(QWidget* parent, const char* objectName, const char* caption,
               std::initializer_list<const char*> items);

    // -1 when no button is chosen.
    int itemIndex() const;
    // An index outside the buttons chooses none.
    void setItemIndex(int index);
    QRadioButton* button(int index) const;
    // An option outside the buttons' positions is kept as it was at closing.
    void storeItemIndex(int& option) const;

signals:
    // Another button became the chosen one, by a click or by setItemIndex.
    void itemChosen(int index);

private:
    QButtonGroup* buttons_;
};

}  // namespace velmo
