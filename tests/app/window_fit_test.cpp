#include "app/navigation/window_fit.h"

#include <gtest/gtest.h>

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

    // A layout that needs more than the compact margins keeps its own, or it would clip...
    WindowDifferences roomy = measured();
    roomy.clientHeight = 120;
    roomy.clientWidth = 130;
    roomy.clientWidthWithoutButtons = 46;
    roomy.frameHeight = 150;
    roomy.frameWidth = 138;
    const WindowDifferences compact = compactDifferences(roomy);
    EXPECT_EQ(compact.frameHeight, 150);
    EXPECT_EQ(compact.frameWidth, 138);
    EXPECT_EQ(compact.clientHeight, 120);
    EXPECT_EQ(compact.clientWidth, 130);
    EXPECT_EQ(compact.clientWidthWithoutButtons, 46);
    EXPECT_EQ(compact.panelHeight, roomy.panelHeight);
    EXPECT_EQ(compact.panelWidth, roomy.panelWidth);

    // ...and one that needs less gets the compact window.
    WindowDifferences tight;
    tight.clientHeight = 60;
    tight.clientWidth = 20;
    tight.clientWidthWithoutButtons = 4;
    tight.frameHeight = 90;
    tight.frameWidth = 28;
    const WindowDifferences designed = compactDifferences(tight);
    EXPECT_EQ(designed.clientHeight, 83);
    EXPECT_EQ(designed.clientWidth, 104);
    EXPECT_EQ(designed.clientWidthWithoutButtons, 18);
    EXPECT_EQ(designed.frameHeight, 129);
    EXPECT_EQ(designed.frameWidth, 112);
    const WindowFit fit = fitWindow(designed, {668, 417}, false);
    EXPECT_EQ(fit.client, (Size{772, 500}));
    EXPECT_EQ(fit.frame, (Size{780, 546}));
}

}  // namespace
}  // namespace velmo
