#pragma once
// The vernal and autumnal equinox days (春分の日, 秋分の日) by a closed formula: a linear
// mean year corrected by six periodic terms, tuned so that truncating the result gives
// the Julius day number of the equinox's date in Japan Standard Time. Across 1900..2100
// it gives the dates that a full astronomical computation gives.

#include <cstdint>

namespace velmo {

// The day numbers of the equinox days of a year.
std::int32_t vernalEquinoxDay(int year);
std::int32_t autumnalEquinoxDay(int year);

}  // namespace velmo
