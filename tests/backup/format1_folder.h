#pragma once
// A format 1 folder for the conversion tests: data set 1 and the common files at the
// top, sets 2 and 3 below, plus a month file outside the data-set group.

#include <string>

#include "tests/support/temp_folder.h"

namespace velmo::testing {

inline void writeFormat1(const TempFolder& dir, const std::string& root) {
    dir.write(root + "/CaFT4090.mcp", "period backup");
    dir.write(root + "/Ca202409.myc", "september");
    dir.write(root + "/CaFromTo.myc", "periods");
    dir.write(root + "/Ca199912.myc", "old month");
    dir.write(root + "/CaMemo.myc", "memo");
    dir.write(root + "/Sday.myc", "special days");
    dir.write(root + "/Torka.ini", "[Settings]");
    dir.write(root + "/Files2/Ca202410.myc", "set 2");
    dir.write(root + "/Files3/Ca202411.myc", "set 3");
}

}  // namespace velmo::testing
