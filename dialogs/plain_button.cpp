#include "dialogs/plain_button.h"

#include <QPushButton>

namespace velmo {

QPushButton* plainButton(const char* text, const char* objectName, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromUtf8(objectName));
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

}  // namespace velmo
