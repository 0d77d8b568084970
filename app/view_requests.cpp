#include "app/view_requests.h"

#include <QEvent>
#include <QWidget>

namespace velmo {

ViewRequests::ViewRequests(QWidget& mainWindow, std::function<void(ViewRequest)> showPage,
                           QObject* parent)
    : QObject(parent), window_(mainWindow), showPage_(std::move(showPage)) {
    window_.installEventFilter(this);
}

bool ViewRequests::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::WindowActivate &&
        pending_ != ViewRequest::None) {
        const ViewRequest request = pending_;
        pending_ = ViewRequest::None;
        showPage_(request);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velmo
