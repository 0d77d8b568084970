#pragma once
// The page a text window asked for when it was closed with Alt+Right (month view) or
// Alt+Left (year view): the main window shows it on its next activation.

#include <QObject>
#include <functional>

#include "dialogs/text_window.h"

class QWidget;

namespace velmo {

class ViewRequests : public QObject {
    Q_OBJECT

public:
    ViewRequests(QWidget& mainWindow, std::function<void(ViewRequest)> showPage, QObject* parent);

    void hold(ViewRequest request) { pending_ = request; }
    ViewRequest pending() const { return pending_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<void(ViewRequest)> showPage_;
    ViewRequest pending_ = ViewRequest::None;
};

}  // namespace velmo
