#include "app/quick_day_entry_actions.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStatusBar>

#include "app/navigation/quick_day_entry.h"

namespace velmo {

namespace {

constexpr int kBoxWidth = 48;
// Panel 0 and panel 1 come first in the status bar.
constexpr int kPlaceAfterPanel1 = 2;

}  // namespace

QuickDayEntryActions::QuickDayEntryActions(QuickDayEntryContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)), box_(new QLineEdit(&context_.statusBar)) {
    box_->setObjectName("edtQuickDay");
    box_->setFixedWidth(kBoxWidth);
    box_->setMaxLength(8);
    context_.statusBar.insertWidget(kPlaceAfterPanel1, box_);
    box_->hide();
    box_->installEventFilter(this);
}

void QuickDayEntryActions::open() {
    box_->show();
    box_->setFocus(Qt::ShortcutFocusReason);
}

void QuickDayEntryActions::submit() {
    const QuickDayEntryOutcome outcome =
        submitQuickDayEntry(box_->text().toStdString(), context_.daysInMonth());
    if (outcome.kind == QuickDayEntryOutcome::Kind::Nothing)
        return;
    // The box is gone before the editor or the message takes the focus.
    finish();
    if (outcome.kind == QuickDayEntryOutcome::Kind::OpenDay) {
        context_.openDay(outcome.day);
    } else {
        informMain(context_.ui, outcome.message);
    }
}

void QuickDayEntryActions::finish() {
    box_->clear();
    context_.moveFocusOn();
    // Moving the focus hides the box; a focus that had nowhere to go must not keep it.
    box_->hide();
}

bool QuickDayEntryActions::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        box_->clear();
        box_->hide();
    } else if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Escape:
                finish();
                return true;
            case Qt::Key_Space:
            case Qt::Key_Return:
            case Qt::Key_Enter:
                submit();
                return true;
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velmo
