#include "app/button_column.h"

#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/month_page.h"

namespace velmo {

namespace {

constexpr int kGroupGap = 6;
// Small enough for the whole column to fit beside the three-row month view.
constexpr int kButtonHeight = 22;
constexpr int kButtonSpacing = 2;

}  // namespace

QStringList buttonColumnOrder() {
    return {
        "btnPrevMonth", "btnNextMonth",     "btnPrevYear", "btnNextYear", "-",         "btnJigen",
        "btnJouchuu",   "btnNengetu",       "btnSettei",   "btnHyoujun",  "btnRokuyo", "-",
        "btnFiles1",    "btnFiles2",        "btnNetOn",    "btnMemo",     "btnBeruki", "-",
        "btnKongetu",   "btnTourokuSakujo", "btnClear",    "btnM17",      "btnM18",    "btnTaihi",
        "btnPrint",     "btnKensaku"};
}

void addPlaceholderButtons(MonthPage& page) {
    for (const char* name : {"btnBeruki", "btnTourokuSakujo", "btnClear", "btnM17", "btnM18"})
        page.insertButton(QString(), name, QString())->hide();
}

void arrangeButtonColumn(MonthPage& page) {
    QWidget* column = page.findChild<QWidget*>("pnlMonthBtn");
    auto* layout = qobject_cast<QVBoxLayout*>(column->layout());
    QList<QWidget*> others;
    QList<QPushButton*> buttons;
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (auto* button = qobject_cast<QPushButton*>(item->widget()))
            buttons << button;
        else if (item->widget())
            others << item->widget();
        delete item;
    }
    layout->setSpacing(kButtonSpacing);
    for (QPushButton* button : buttons)
        button->setFixedHeight(kButtonHeight);
    for (QWidget* widget : others)
        layout->addWidget(widget);
    for (const QString& name : buttonColumnOrder()) {
        if (name == "-") {
            layout->addSpacing(kGroupGap);
            continue;
        }
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            if (buttons[i]->objectName() == name) {
                layout->addWidget(buttons.takeAt(i));
                break;
            }
        }
    }
    for (QPushButton* button : buttons)
        layout->addWidget(button);
    layout->addStretch();
}

}  // namespace velmo
