#include "dialogs/up_down_arrows.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace velmo {

QWidget* makeUpDownArrows(const QString& objectName, QWidget* parent,
                          const std::function<void(int direction)>& step) {
    auto* box = new QWidget(parent);
    box->setObjectName(objectName);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (const int direction : {+1, -1}) {
        auto* arrow = new QToolButton(box);
        arrow->setObjectName(direction > 0 ? QStringLiteral("up") : QStringLiteral("down"));
        arrow->setArrowType(direction > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setFixedSize(18, 12);
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        QObject::connect(arrow, &QToolButton::clicked, box, [step, direction] { step(direction); });
        column->addWidget(arrow);
    }
    QSizePolicy policy = box->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    box->setSizePolicy(policy);
    return box;
}

}  // namespace velmo
