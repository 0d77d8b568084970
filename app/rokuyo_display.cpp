#include "app/rokuyo_display.h"

#include <QAction>
#include <QMenu>

#include "app/startup/run_settings.h"
#include "monthview/qt_month_view.h"

namespace velmo {

RokuyoDisplay::RokuyoDisplay(RunSettings& settings, TKvMCal& view, QMenu& menu, QObject* parent)
    : QObject(parent), settings_(settings), view_(view), action_(menu.addAction("六曜表示(&R)")) {
    action_->setObjectName("miRokuyou");
    action_->setCheckable(true);
    connect(action_, &QAction::triggered, this, &RokuyoDisplay::toggle);
    refresh();
}

void RokuyoDisplay::toggle() {
    bool& hidden = settings_.settings().colours.rbKinenbi;
    hidden = !hidden;
    // A changed property lays the month out again and redraws it.
    view_.model().set(&KvMCalProperties::ShowRokuyo, !hidden);
    refresh();
}

void RokuyoDisplay::refresh() {
    action_->setChecked(!settings_.settings().colours.rbKinenbi);
}

}  // namespace velmo
