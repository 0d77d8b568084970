#pragma once
// The display presets of the month view ("表示行数"): how many schedule lines a day cell
// shows, with which font sizes and spacings, and how wide the columns are. The program
// and velmo-tool share this one table.

#include <array>
#include <cstdint>

#include "monthview/kvmcal_properties.h"

namespace velmo {

// How a preset chooses LenDayW.
enum class WidthRule {
    Fixed,     // 117, whatever the adjustments
    Standard,  // 128 + E + A
    Screen,    // Trunc((Trunc(0.97 × work area width) − F − 3) / 7) + E + A
};

struct RowPreset {
    const char* menuName;  // the menu item's object name
    const char* caption;
    int id;        // vCalGyou
    int sizeCode;  // vSizeNo
    std::uint8_t ItemGyo;
    std::uint8_t LenFontHidukeH;
    std::uint8_t LenFontNeighbH;
    std::uint8_t LenTopItem;
    std::uint8_t LenFontYoteiH;
    std::uint8_t LenGyokan;
    std::uint8_t LenBottomItem;
    std::uint8_t LenFontKinenbH;
    std::uint8_t LenFontKinenbNH;
    std::uint8_t hidukeExtra;  // LenHidukeH = LenFontHidukeH + this
    std::uint8_t LenHidukeW;
    std::uint8_t LenYohaku;
    std::uint8_t LenItemLeftM;
    std::uint8_t LenKinenC;
    std::uint8_t LenKinenNC;
    std::uint8_t LenYoubiH;
    WidthRule width;
    // The lowest work-area bottom edge that can hold the preset.
    int minWorkAreaBottom;
};

inline constexpr int kRowPresetCount = 11;
inline constexpr int kDefaultRowPresetId = 5;
inline constexpr std::uint8_t kMinDayWidth = 30;
inline constexpr std::uint8_t kMaxDayWidth = 255;

// The presets in menu order.
const std::array<RowPreset, kRowPresetCount>& rowPresets();

// The preset of a stored id; an unknown id is "５行".
const RowPreset& presetFor(int id);

// What the width rules depend on besides the preset.
struct WidthInputs {
    bool monthButtonsHide = false;  // cbMonthBtn: the view takes the button column's place
    int udYokoC = 0;
    int workAreaWidth = 0;
    int frameWidth = 0;  // F: window width − month view width
};

// E: 12 while the button column hides itself.
int extraWidth(bool monthButtonsHide);
// A: udYokoC read as a signed 8-bit value.
int widthAdjustment(int udYokoC);
// Column widths below 30 make the day cells unreadable and a byte holds no more than 255.
std::uint8_t clampDayWidth(int width);
// The adjustment is kept where a signed byte can hold it.
int clampWidthAdjustment(int udYokoC);

std::uint8_t presetDayWidth(const RowPreset& preset, const WidthInputs& inputs);

// The metrics of a preset over `base`, with the given column width: isFontBold, ItemGyo,
// the table's metrics, then LenYoteiH, LenHidukeH and LenDayH derived from them.
KvMCalProperties presetProperties(KvMCalProperties base, const RowPreset& preset,
                                  std::uint8_t dayWidth);

// Whether the menu offers the preset on a work area whose bottom edge lies at this y.
bool presetFits(const RowPreset& preset, int workAreaBottom);

// One press of a width key: the column width and the stored adjustment after it. The
// adjustment follows only what the width really moved, so it never drifts past a clamp.
struct WidthStep {
    std::uint8_t dayWidth = 0;
    int udYokoC = 0;

    bool operator==(const WidthStep&) const = default;
};
WidthStep stepDayWidth(std::uint8_t dayWidth, int udYokoC, int step);

}  // namespace velmo
