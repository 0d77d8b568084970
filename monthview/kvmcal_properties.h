#pragma once
// The published properties of the month view with their constructor defaults, and the
// metrics derived from them by UpdateMetrics.
//
// Every byte property is an unsigned 8-bit pixel or count value. Arithmetic on them is
// done in int and saturated back into 0..255, never wrapped; a column width, a row
// height and the line pitch never reach 0, since hit testing divides by them.

#include <cstdint>

#include "calendar/julius_day.h"
#include "store/colour_text.h"

namespace velmo {

// Cell slots per day cell: ItemGyo drawn line positions plus one overflow slot.
inline constexpr int kSlotsPerCell = 10;
inline constexpr int kMaxItemGyo = kSlotsPerCell - 1;

struct KvMCalProperties {
    bool isFontBold = false;
    std::uint8_t ItemGyo = 5;
    bool UeTume = false;
    bool TukiMemo = false;
    bool TukiMUeTume = true;
    bool SkipUpDate = false;
    bool SkipUpDate2 = false;
    std::uint8_t LenYoubiH = 24;
    std::uint8_t LenFontYoubiH = 16;
    std::uint8_t LenDayH = 95;
    std::uint8_t LenDayW = 128;
    std::uint8_t LenHidukeH = 23;
    std::uint8_t LenHidukeW = 28;
    std::uint8_t LenYoteiH = 17;  // stored only
    std::uint8_t LenYohaku = 4;
    std::uint8_t LenFontHidukeH = 18;
    std::uint8_t LenFontNeighbH = 16;
    std::uint8_t LenFontKinenbH = 12;
    std::uint8_t LenFontKinenbNH = 11;
    std::uint8_t LenTopItem = 2;
    std::uint8_t LenFontYoteiH = 16;
    std::uint8_t LenBottomItem = 2;  // stored only; the display presets derive LenDayH from it
    std::uint8_t LenGyokan = 2;
    std::uint8_t LenItemLeftM = 8;
    std::uint8_t LenKinenC = 3;
    std::uint8_t LenKinenNC = 1;
    std::uint8_t TabMojiSuu = 2;
    std::uint8_t TabChousei = 150;
    TDayOfWeek FirstDayOfWeek = dowSun;
    Colour NeighborColor = 0xC0C0C0;
    Colour DayOfWeekBkColor = 0xE1E1E1;
    bool ShowNeighbor = true;
    bool NeighborJump = false;
    bool AutoResize = false;
    bool FirstRowFirstDay = false;
    bool LastRowLastDay = false;
    bool ShowRokuyo = false;
    bool IsToDay = true;

    bool operator==(const KvMCalProperties&) const = default;
};

// Keeps the properties usable: ItemGyo within the cell slots, LenDayW and LenDayH at
// least 1. Every way of setting properties goes through this.
KvMCalProperties normalizedProperties(KvMCalProperties properties);

// The metrics UpdateMetrics derives. They change only when UpdateMetrics runs, not when a
// Len property changes.
struct DerivedMetrics {
    std::uint8_t LinePitch = 18;  // LenFontYoteiH + LenGyokan, at least 1
    std::uint8_t DateBand = 25;   // LenHidukeH + LenTopItem
    std::uint8_t CellThird = 43;  // Trunc(LenDayW / 3) + 1

    bool operator==(const DerivedMetrics&) const = default;
};

DerivedMetrics deriveMetrics(const KvMCalProperties& properties);

// A value clamped into 0..255.
std::uint8_t saturateByte(int value);

// The number of tab spaces: Trunc(TabChousei × TabMojiSuu / 100).
int tabSpaceCount(const KvMCalProperties& properties);

}  // namespace velmo
