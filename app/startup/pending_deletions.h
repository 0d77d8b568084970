#pragma once
// Files and folders a setup run asked the program to remove at its first showing
// (/D1, /D2, /D3). Folders the program needs are never deleted, whatever the switch says.

#include <string>
#include <vector>

namespace velmo {

// True when the path is one of the given folders or a parent of one; such a path is
// never deleted.
bool protectsFolder(const std::string& path, const std::vector<std::string>& keptFolders);

// /D1: removes a plain file silently. False when nothing was deleted.
bool deleteFileSilently(const std::string& path, const std::vector<std::string>& keptFolders);

// /D2 after the user said Yes: the report shown afterwards.
std::string deleteOfferedArchive(const std::string& path,
                                 const std::vector<std::string>& keptFolders);

// /D3 after the user said Yes: removes the work folder with everything in it, but only
// when it holds "localfol.myc" (a setup work folder); the report shown afterwards.
std::string deleteOfferedWorkFolder(const std::string& path,
                                    const std::vector<std::string>& keptFolders);

}  // namespace velmo
