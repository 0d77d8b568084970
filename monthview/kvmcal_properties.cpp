#include "monthview/kvmcal_properties.h"

#include <algorithm>

namespace velmo {

std::uint8_t saturateByte(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

KvMCalProperties normalizedProperties(KvMCalProperties properties) {
    properties.ItemGyo = std::min<std::uint8_t>(properties.ItemGyo, kMaxItemGyo);
    properties.LenDayW = std::max<std::uint8_t>(properties.LenDayW, 1);
    properties.LenDayH = std::max<std::uint8_t>(properties.LenDayH, 1);
    return properties;
}

DerivedMetrics deriveMetrics(const KvMCalProperties& properties) {
    DerivedMetrics metrics;
    metrics.LinePitch =
        std::max<std::uint8_t>(saturateByte(properties.LenFontYoteiH + properties.LenGyokan), 1);
    metrics.DateBand = saturateByte(properties.LenHidukeH + properties.LenTopItem);
    metrics.CellThird = saturateByte(properties.LenDayW / 3 + 1);
    return metrics;
}

int tabSpaceCount(const KvMCalProperties& properties) {
    return properties.TabChousei * properties.TabMojiSuu / 100;
}

}  // namespace velmo
