#pragma once
// The free-text memo "CaMemo.myc" in the common data folder. Its content belongs to
// the memo window and the editor companion; the main window only makes sure the file
// exists before handing it over, since the companion expects a file to open.

#include <filesystem>

#include "core/clock.h"
#include "core/user_interface.h"

namespace velmo {

inline constexpr const char* kMemoFileName = "CaMemo.myc";

// The common data folder's memo file.
std::filesystem::path memoFilePath(const std::filesystem::path& commonDataFolder);

// Creates the memo holding one empty line when no file of that name (in any letter
// case) exists. A failed write shows "[ " + path + " ]の書込に失敗しました。". An
// existing memo is never touched. True when the memo exists afterwards.
bool ensureMemoFile(const std::filesystem::path& memoFile, UserInterface& ui, Sleeper& sleeper);

}  // namespace velmo
