#include "app/panel_status_line.h"

#include <QLabel>

namespace velmo {

PanelStatusLine::PanelStatusLine(QLabel& panel, std::function<void()> restore)
    : panel_(panel), restore_(std::move(restore)) {}

void PanelStatusLine::show(const std::string& text, StatusColour colour) {
    panel_.setStyleSheet(colour == StatusColour::Red ? "color: red;" : "color: fuchsia;");
    panel_.setText(QString::fromStdString(text));
    // The procedures wait on the main thread: the text must reach the screen now.
    panel_.repaint();
}

void PanelStatusLine::clear() {
    panel_.setStyleSheet({});
    if (restore_)
        restore_();
}

}  // namespace velmo
