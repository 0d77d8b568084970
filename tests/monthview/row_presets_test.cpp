#include "monthview/row_presets.h"

#include <gtest/gtest.h>

#include <set>

#include "monthview/grid_geometry.h"

namespace velmo {
namespace {

KvMCalProperties applied(int id, const WidthInputs& inputs) {
    const RowPreset& preset = presetFor(id);
    return presetProperties(KvMCalProperties{}, preset, presetDayWidth(preset, inputs));
}

std::set<int> offeredIds(int workAreaBottom) {
    std::set<int> ids;
    for (const RowPreset& preset : rowPresets()) {
        if (presetFits(preset, workAreaBottom))
            ids.insert(preset.id);
    }
    return ids;
}

TEST(RowPresets, FiveLinesWithoutAdjustmentsMakeTheDesignedView) {
    const KvMCalProperties p = applied(5, {});
    EXPECT_EQ(p.LenDayW, 128);
    EXPECT_EQ(p.LenDayH, 95);
    EXPECT_EQ(preferredControlSize(p), (Size{899, 597}));
    EXPECT_TRUE(p.isFontBold);
    EXPECT_EQ(p.LenFontYoubiH, 16);
    EXPECT_EQ(p.LenYoteiH, 14);
    EXPECT_EQ(p.LenHidukeH, 22);
}

TEST(RowPresets, FourLinesKeepTheirFixedWidth) {
    for (const WidthInputs& inputs :
         {WidthInputs{}, WidthInputs{true, 40, 1920, 112}, WidthInputs{false, -20, 800, 90}}) {
        const KvMCalProperties p = applied(4, inputs);
        EXPECT_EQ(p.LenDayW, 117);
        EXPECT_EQ(p.LenDayH, 82);
    }
}

TEST(RowPresets, DerivedHeightsMatchTheTable) {
    // Date band and day height of every preset, by id.
    const struct {
        int id;
        int hidukeH;
        int dayH;
    } expected[] = {{3, 20, 65},  {4, 22, 82},  {14, 26, 95},  {5, 22, 95},
                    {15, 22, 95}, {6, 19, 95},  {26, 27, 116}, {16, 27, 135},
                    {7, 24, 134}, {8, 24, 132}, {9, 24, 136}};
    for (const auto& row : expected) {
        const KvMCalProperties p = applied(row.id, {});
        EXPECT_EQ(p.LenHidukeH, row.hidukeH) << row.id;
        EXPECT_EQ(p.LenDayH, row.dayH) << row.id;
        EXPECT_EQ(p.ItemGyo, presetFor(row.id).ItemGyo) << row.id;
    }
}

TEST(RowPresets, WidthRulesAddTheButtonColumnAndTheAdjustment) {
    // 1280 wide with F = 112: Trunc((1241 − 112 − 3) / 7) = 160.
    EXPECT_EQ(applied(7, {false, 0, 1280, 112}).LenDayW, 160);
    EXPECT_EQ(applied(7, {true, 0, 1280, 112}).LenDayW, 172);
    EXPECT_EQ(applied(7, {false, -5, 1280, 112}).LenDayW, 155);
    EXPECT_EQ(applied(5, {true, 3, 0, 0}).LenDayW, 143);
    EXPECT_EQ(applied(14, {false, -8, 0, 0}).LenDayW, 120);
    // udYokoC is a signed byte: 250 reads as −6.
    EXPECT_EQ(widthAdjustment(250), -6);
    EXPECT_EQ(applied(5, {false, 250, 0, 0}).LenDayW, 122);
}

TEST(RowPresets, ColumnWidthIsClampedNeverWrapped) {
    // A 2560-pixel work area asks for 338 pixels a column; a byte holds 255.
    EXPECT_EQ(applied(7, {false, 0, 2560, 112}).LenDayW, 255);
    EXPECT_EQ(applied(3, {true, 127, 2560, 112}).LenDayW, 255);
    // A tiny work area never gives a zero or unreadable width.
    EXPECT_EQ(applied(3, {false, -128, 100, 112}).LenDayW, 30);
    EXPECT_EQ(clampDayWidth(256), 255);
    EXPECT_EQ(clampDayWidth(0), 30);
    EXPECT_EQ(clampWidthAdjustment(200), 127);
    EXPECT_EQ(clampWidthAdjustment(-200), -128);
}

TEST(RowPresets, UnknownStoredIdsApplyFiveLines) {
    for (int id : {10, 0, -1, 99})
        EXPECT_STREQ(presetFor(id).caption, "５行") << id;
    for (const RowPreset& preset : rowPresets())
        EXPECT_EQ(presetFor(preset.id).id, preset.id);
}

TEST(RowPresets, MenuOffersWhatTheWorkAreaHolds) {
    EXPECT_EQ(offeredIds(1024), (std::set<int>{3, 4, 5, 6, 7, 8, 9, 14, 15, 16, 26}));
    EXPECT_EQ(offeredIds(769), offeredIds(1024));
    EXPECT_EQ(offeredIds(768), (std::set<int>{3, 4, 5, 6, 14, 15}));
    EXPECT_EQ(offeredIds(601), offeredIds(768));
    EXPECT_EQ(offeredIds(600), (std::set<int>{3}));
}

TEST(RowPresets, WidthStepsMoveWidthAndAdjustmentTogether) {
    WidthStep state{128, 0};
    for (int i = 0; i < 5; ++i)
        state = stepDayWidth(state.dayWidth, state.udYokoC, 1);
    EXPECT_EQ(state, (WidthStep{133, 5}));
    state = stepDayWidth(state.dayWidth, state.udYokoC, -1);
    EXPECT_EQ(state, (WidthStep{132, 4}));
    // At the clamp the width stays and so does the adjustment.
    EXPECT_EQ(stepDayWidth(255, 20, 1), (WidthStep{255, 20}));
    EXPECT_EQ(stepDayWidth(30, -3, -1), (WidthStep{30, -3}));
    // The adjustment itself stays within a signed byte.
    EXPECT_EQ(stepDayWidth(200, 127, 1), (WidthStep{201, 127}));
    EXPECT_EQ(stepDayWidth(100, -128, -1), (WidthStep{99, -128}));
}

}  // namespace
}  // namespace velmo
