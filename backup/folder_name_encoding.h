#pragma once
// Turns a folder path into one folder name (and roughly back), used to give every
// start folder its own per-user folder.

#include <string>

namespace velmo {

// Drops a trailing separator, then replaces "//" by "Net_", ":" by "-", " " by "_S_",
// "." by "_D_" and "/" by "_".
std::string encodeFolderName(std::string path);

// The reverse replacements plus a trailing "/". Not an exact inverse for names that
// themselves contain "_", "-" or "Net_".
std::string decodeFolderName(std::string name);

}  // namespace velmo
