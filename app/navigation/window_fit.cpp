#include "app/navigation/window_fit.h"

#include <algorithm>

namespace velmo {

namespace {

// The margins of the designed compact window.
constexpr int kCompactClientHeight = 83;
constexpr int kCompactClientWidth = 104;
constexpr int kCompactClientWidthWithoutButtons = 18;
constexpr int kCompactFrameHeight = 129;
constexpr int kCompactFrameWidth = 112;

}  // namespace

bool compactWorkArea(int workAreaHeight) {
    return workAreaHeight <= kCompactWorkAreaMaxHeight;
}

WindowDifferences compactDifferences(const WindowDifferences& measured) {
    WindowDifferences d = measured;
    // The frame around the client area stays what the window manager draws.
    const int frameOnlyHeight = measured.frameHeight - measured.clientHeight;
    const int frameOnlyWidth = measured.frameWidth - measured.clientWidth;
    d.clientHeight = std::max(kCompactClientHeight, measured.clientHeight);
    d.clientWidth = std::max(kCompactClientWidth, measured.clientWidth);
    d.clientWidthWithoutButtons =
        std::max(kCompactClientWidthWithoutButtons, measured.clientWidthWithoutButtons);
    d.frameHeight = std::max(kCompactFrameHeight, d.clientHeight + frameOnlyHeight);
    d.frameWidth = std::max(kCompactFrameWidth, d.clientWidth + frameOnlyWidth);
    return d;
}

WindowFit fitWindow(const WindowDifferences& d, Size view, bool monthButtonsHide) {
    WindowFit fit;
    fit.buttonColumnShown = !monthButtonsHide;
    const int clientWidth = monthButtonsHide ? d.clientWidthWithoutButtons : d.clientWidth;
    const int panelWidth = monthButtonsHide ? d.panelWidthWithoutButtons : d.panelWidth;
    fit.client = {view.width + clientWidth, view.height + d.clientHeight};
    fit.frame = {fit.client.width + (d.frameWidth - d.clientWidth),
                 fit.client.height + (d.frameHeight - d.clientHeight)};
    fit.monthPanel = {view.width + panelWidth, view.height + d.panelHeight};
    return fit;
}

}  // namespace velmo
