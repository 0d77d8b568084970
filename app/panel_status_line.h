#pragma once
// The status line of the shared-folder procedures on the main window's message panel:
// their text in its colour while they wait or fail, the panel's own text afterwards.

#include <QColor>
#include <functional>

#include "shared/status_line.h"

class QLabel;

namespace velmo {

class PanelStatusLine final : public StatusLine {
public:
    PanelStatusLine(QLabel& panel, std::function<void()> restore);

    void show(const std::string& text, StatusColour colour) override;
    void clear() override;

private:
    QLabel& panel_;
    std::function<void()> restore_;
};

}  // namespace velmo
