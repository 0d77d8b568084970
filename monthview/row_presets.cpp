#include "monthview/row_presets.h"

#include <algorithm>

namespace velmo {

namespace {

constexpr int kFixedDayWidth = 117;
constexpr int kStandardDayWidth = 128;
constexpr int kMonthButtonsExtra = 12;
// The screen rule leaves 3 % of the work area free and 3 pixels for the view's border.
constexpr double kScreenShare = 0.97;
constexpr int kViewBorder = 3;
constexpr int kColumns = 7;
// Bottom edges of the work area below which the taller presets do not fit.
constexpr int kMediumBottom = 601;
constexpr int kTallBottom = 769;

// clang-format off
// Menu name, caption, id, size code; ItemGyo … LenYoubiH in the order of RowPreset; the
// width rule and the lowest work-area bottom that holds the preset.
constexpr std::array<RowPreset, kRowPresetCount> kPresets{{
    {"mnGyou3", "３行", 3, 2,
     3, 16, 14, 0, 12, 2, 3, 12, 11, 4, 28, 4, 6, 1, 0, 22, WidthRule::Screen, 0},
    {"mnGyou4", "４行", 4, 4,
     4, 18, 16, 0, 12, 2, 4, 12, 11, 4, 28, 4, 6, 2, 1, 24, WidthRule::Fixed, kMediumBottom},
    {"mnGyou14", "４行（フォント大）", 14, 3,
     4, 22, 18, 2, 14, 2, 3, 14, 12, 4, 34, 6, 6, 2, 2, 24, WidthRule::Standard, kMediumBottom},
    {"mnGyou5", "５行", 5, 1,
     5, 18, 16, 0, 12, 2, 3, 12, 11, 4, 28, 4, 6, 2, 1, 24, WidthRule::Standard, kMediumBottom},
    {"mnGyou15", "５行横長", 15, 3,
     5, 18, 16, 0, 12, 2, 3, 12, 11, 4, 28, 4, 6, 2, 1, 24, WidthRule::Screen, kMediumBottom},
    {"mnGyou6", "６行（フォント小）", 6, 3,
     6, 16, 14, 2, 11, 1, 2, 12, 11, 3, 26, 4, 6, 1, 0, 24, WidthRule::Screen, kMediumBottom},
    {"mnGyou26", "６行（縦900ドット）", 26, 3,
     6, 22, 16, 2, 12, 2, 3, 14, 12, 5, 34, 6, 6, 2, 2, 24, WidthRule::Screen, kTallBottom},
    {"mnGyou16", "６行（フォント大）", 16, 3,
     6, 22, 18, 2, 14, 3, 4, 14, 12, 5, 34, 6, 6, 2, 2, 24, WidthRule::Screen, kTallBottom},
    {"mnGyou7", "７行", 7, 3,
     7, 19, 16, 1, 12, 3, 4, 12, 11, 5, 30, 4, 6, 2, 1, 28, WidthRule::Screen, kTallBottom},
    {"mnGyou8", "８行", 8, 3,
     8, 19, 16, 1, 12, 1, 3, 12, 11, 5, 30, 4, 8, 2, 0, 24, WidthRule::Screen, kTallBottom},
    {"mnGyou9", "９行（フォント小）", 9, 3,
     9, 18, 16, 2, 11, 1, 2, 12, 11, 6, 32, 4, 10, 2, 1, 26, WidthRule::Screen, kTallBottom},
}};
// clang-format on

}  // namespace

const std::array<RowPreset, kRowPresetCount>& rowPresets() {
    return kPresets;
}

const RowPreset& presetFor(int id) {
    const auto found = std::find_if(kPresets.begin(), kPresets.end(),
                                    [id](const RowPreset& p) { return p.id == id; });
    return found != kPresets.end() ? *found : presetFor(kDefaultRowPresetId);
}

int extraWidth(bool monthButtonsHide) {
    return monthButtonsHide ? kMonthButtonsExtra : 0;
}

int widthAdjustment(int udYokoC) {
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(udYokoC));
}

std::uint8_t clampDayWidth(int width) {
    return static_cast<std::uint8_t>(std::clamp<int>(width, kMinDayWidth, kMaxDayWidth));
}

int clampWidthAdjustment(int udYokoC) {
    return std::clamp(udYokoC, -128, 127);
}

std::uint8_t presetDayWidth(const RowPreset& preset, const WidthInputs& inputs) {
    const int adjustments = extraWidth(inputs.monthButtonsHide) + widthAdjustment(inputs.udYokoC);
    switch (preset.width) {
        case WidthRule::Fixed:
            return kFixedDayWidth;
        case WidthRule::Standard:
            return clampDayWidth(kStandardDayWidth + adjustments);
        case WidthRule::Screen: {
            const int usable = static_cast<int>(kScreenShare * inputs.workAreaWidth);
            return clampDayWidth((usable - inputs.frameWidth - kViewBorder) / kColumns +
                                 adjustments);
        }
    }
    return kStandardDayWidth;
}

KvMCalProperties presetProperties(KvMCalProperties p, const RowPreset& preset,
                                  std::uint8_t dayWidth) {
    p.isFontBold = true;
    p.ItemGyo = preset.ItemGyo;
    p.LenFontYoubiH = 16;
    p.LenFontHidukeH = preset.LenFontHidukeH;
    p.LenFontNeighbH = preset.LenFontNeighbH;
    p.LenTopItem = preset.LenTopItem;
    p.LenFontYoteiH = preset.LenFontYoteiH;
    p.LenGyokan = preset.LenGyokan;
    p.LenBottomItem = preset.LenBottomItem;
    p.LenFontKinenbH = preset.LenFontKinenbH;
    p.LenFontKinenbNH = preset.LenFontKinenbNH;
    p.LenHidukeW = preset.LenHidukeW;
    p.LenYohaku = preset.LenYohaku;
    p.LenItemLeftM = preset.LenItemLeftM;
    p.LenKinenC = preset.LenKinenC;
    p.LenKinenNC = preset.LenKinenNC;
    p.LenYoubiH = preset.LenYoubiH;
    p.LenYoteiH = saturateByte(p.LenFontYoteiH + p.LenGyokan);
    p.LenHidukeH = saturateByte(p.LenFontHidukeH + preset.hidukeExtra);
    p.LenDayH =
        saturateByte(p.LenHidukeH + p.LenTopItem + p.LenYoteiH * p.ItemGyo + p.LenBottomItem);
    p.LenDayW = dayWidth;
    return normalizedProperties(p);
}

bool presetFits(const RowPreset& preset, int workAreaBottom) {
    return workAreaBottom >= preset.minWorkAreaBottom;
}

WidthStep stepDayWidth(std::uint8_t dayWidth, int udYokoC, int step) {
    const std::uint8_t widened = clampDayWidth(dayWidth + step);
    return {widened, clampWidthAdjustment(udYokoC + (widened - dayWidth))};
}

}  // namespace velmo
