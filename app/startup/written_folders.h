#pragma once
// Every folder a run writes into, for the start-up clean-up of what killed saves left.

#include <filesystem>
#include <vector>

#include "app/startup/start_folders.h"
#include "store/data_folders.h"

namespace velmo {

// The start, settings, user and safeguard folders, the data root with its common data
// folder and the three data set folders, and the shared data folder in network mode;
// each once, in that order. Folders that do not exist are listed all the same.
std::vector<std::filesystem::path> foldersWrittenByRun(const StartFolders& start,
                                                       const DataFolders& data);

}  // namespace velmo
