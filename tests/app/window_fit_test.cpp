#include "app/navigation/window_fit.h"

#include <gtest/gtest.h>

#include <array>

namespace velmo {
namespace {

WindowDifferences measured() {
    WindowDifferences d;
    d.panelHeight = 26;
    d.panelWidth = 84;
    d.panelWidthWithoutButtons = 0;
    d.clientHeight = 110;
    d.clientWidth = 90;
    d.clientWidthWithoutButtons = 6;
    d.frameHeight = 140;
    d.frameWidth = 98;
    return d;
}

TEST(WindowFit, WindowHoldsViewAndButtonColumn) {
    const WindowFit fit = fitWindow(measured(), {899, 597}, false);
    EXPECT_EQ(fit.client, (Size{989, 707}));
    EXPECT_EQ(fit.frame, (Size{997, 737}));
    EXPECT_EQ(fit.monthPanel, (Size{983, 623}));
    EXPECT_TRUE(fit.buttonColumnShown);
}

TEST(WindowFit, HiddenButtonColumnLeavesNoRoom) {
    const WindowFit fit = fitWindow(measured(), {983, 597}, true);
    EXPECT_EQ(fit.client, (Size{989, 707}));
    EXPECT_EQ(fit.monthPanel, (Size{983, 623}));
    EXPECT_FALSE(fit.buttonColumnShown);
}

TEST(WindowFit, CompactWorkAreas) {
    EXPECT_TRUE(compactWorkArea(610));
    EXPECT_TRUE(compactWorkArea(600));
    EXPECT_FALSE(compactWorkArea(611));

    // The client and frame margins before and after, as {client height, client width,
    // client width without buttons, frame height, frame width}.
    const auto margins = [](const WindowDifferences& d) {
        return std::array{d.clientHeight, d.clientWidth, d.clientWidthWithoutButtons, d.frameHeight,
                          d.frameWidth};
    };
    const auto withMargins = [](std::array<int, 5> m) {
        WindowDifferences d = measured();
        d.clientHeight = m[0];
        d.clientWidth = m[1];
        d.clientWidthWithoutButtons = m[2];
        d.frameHeight = m[3];
        d.frameWidth = m[4];
        return d;
    };
    // A layout that needs more than the compact margins keeps its own, or it would clip...
    const WindowDifferences roomy = withMargins({120, 130, 46, 150, 138});
    const WindowDifferences compact = compactDifferences(roomy);
    EXPECT_EQ(margins(compact), margins(roomy));
    EXPECT_EQ(compact.panelHeight, roomy.panelHeight);
    EXPECT_EQ(compact.panelWidth, roomy.panelWidth);

    // ...one that needs less gets the compact window, the frame kept as drawn.
    const WindowDifferences designed = compactDifferences(withMargins({60, 20, 4, 90, 28}));
    EXPECT_EQ(margins(designed), (std::array{83, 104, 18, 129, 112}));
    EXPECT_EQ(margins(compactDifferences(withMargins({60, 20, 4, 120, 60}))),
              (std::array{83, 104, 18, 143, 144}));
    const WindowFit fit = fitWindow(designed, {668, 417}, false);
    EXPECT_EQ(fit.client, (Size{772, 500}));
    EXPECT_EQ(fit.frame, (Size{780, 546}));
}

}  // namespace
}  // namespace velmo
