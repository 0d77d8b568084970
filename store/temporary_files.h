#pragma once
// The temporary files of the atomic writer: "." + the target's name + "." + six letters
// or digits + ".tmp", beside the target (".Ca202611.myc.x7Kq2B.tmp"). The leading "."
// and the ".tmp" end keep them out of every mask the program scans.

#include <string>
#include <string_view>

namespace velmo {

// A fresh temporary name for a file called targetName.
std::string newTemporaryName(std::string_view targetName);

}  // namespace velmo
