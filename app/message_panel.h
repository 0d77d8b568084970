#pragma once
// Status panel 2 between the messages others show there for a while, with the small
// square at the top right of the pages that blinks while the time-adjust companion
// sets the clock.

#include <QObject>

#include "app/status_texts.h"

class QLabel;
class QTabWidget;
class QWidget;

namespace velmo {

class MessagePanelView : public QObject {
    Q_OBJECT

public:
    MessagePanelView(QLabel& panel, QTabWidget& pages, QObject* parent);

    void show(const MessagePanelFacts& facts);
    bool indicatorLit() const { return lit_; }

private:
    QLabel& panel_;
    QWidget* indicator_ = nullptr;  // the pages' corner widget
    bool lit_ = false;
};

}  // namespace velmo
