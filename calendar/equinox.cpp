#include "calendar/equinox.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace velmo {

namespace {

struct EquinoxTerms {
    double phase1;  // S1 .. S6: phases in degrees at 2000; the rates are shared
    double phase2;
    double phase3;
    double phase4;
    double phase5;
    double phase6;
    double drift;  // k
    double base;
    double rate;
};

constexpr EquinoxTerms kVernal{321,         249,      202, 84, 132, 239, -0.00004871850323926,
                               2451624.683, 365.24229};
constexpr EquinoxTerms kAutumnal{
    485, 249, 268.2, 309.2, 244.6, 248.6, 0.00004871850323926, 2451811.096, 365.24206};

double sinDegrees(double degrees) {
    return std::sin(degrees / 180.0 * std::numbers::pi);
}

std::int32_t equinoxDay(const EquinoxTerms& t, int year) {
    const double y = static_cast<double>(year) - 2000.0;
    const double v =
        0.002 * (sinDegrees(t.phase1 - 30.37 * y) + sinDegrees(t.phase2 + 0.19 * y) +
                 sinDegrees(t.phase3 - 132.57 * y) + sinDegrees(t.phase4 - 90.37 * y)) +
        t.drift * y + 0.001 * sinDegrees(t.phase5 - 134.81 * y) +
        0.005 * sinDegrees(t.phase6 - 19.34 * y);
    const double w = 0.0000001 * y * y - v;
    // Far-off years leave the 32-bit range; the clamped number is refused later by the
    // date conversion instead of overflowing here.
    const double day = std::trunc(t.base + t.rate * y + w);
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(day, kLow, kHigh));
}

}  // namespace

std::int32_t vernalEquinoxDay(int year) {
    return equinoxDay(kVernal, year);
}

std::int32_t autumnalEquinoxDay(int year) {
    return equinoxDay(kAutumnal, year);
}

}  // namespace velmo
