#include "app/message_panel.h"

#include <QLabel>
#include <QPalette>
#include <QTabWidget>

namespace velmo {

namespace {

constexpr int kIndicatorSize = 8;

}  // namespace

MessagePanelView::MessagePanelView(QLabel& panel, QTabWidget& pages, QObject* parent)
    : QObject(parent), panel_(panel) {
    indicator_ = new QWidget(&pages);
    indicator_->setObjectName("shpIndicator");
    indicator_->setFixedSize(kIndicatorSize, kIndicatorSize);
    indicator_->setAutoFillBackground(true);
    pages.setCornerWidget(indicator_, Qt::TopRightCorner);
}

void MessagePanelView::show(const MessagePanelFacts& facts) {
    const MessagePanel panel = messagePanel(facts);
    panel_.setText(panel.text);
    panel_.setAlignment((panel.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    // Each refresh while the companion is at work turns the square red or back.
    lit_ = facts.timeAdjustCompanion && !lit_;
    QPalette palette = indicator_->palette();
    palette.setColor(QPalette::Window,
                     lit_ ? QColor(Qt::red) : indicator_->palette().color(QPalette::Button));
    indicator_->setPalette(palette);
}

}  // namespace velmo
