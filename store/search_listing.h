#pragma once
// The search listing "kensaku.txt" of a data folder: every month file's entries as one
// text, newest month first, month memo before the days and the days from the 31st down,
// so the search window can look through years of schedules in one file. The listing is
// derived data: it is rebuilt from the month files whenever it is missing or old.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"

namespace velmo {

inline constexpr const char* kSearchListingFileName = "kensaku.txt";

// A listing older than this many days is offered for rebuilding.
inline constexpr int kSearchListingMaxAgeDays = 30;

// The listing of a data folder, in the spelling already on disk when there is one.
std::filesystem::path searchListingPath(const std::filesystem::path& dataFolder);

struct SearchSources {
    // Every ordinary "*.myc" file of the folder in processing order (names descending,
    // so month files come newest first). The period file "CaFromTo.myc" is among them:
    // it counts for the progress but is never listed.
    std::vector<std::filesystem::path> files;
    int total() const { return static_cast<int>(files.size()); }
};
SearchSources searchSources(const std::filesystem::path& dataFolder);

// Called after each source file, done counting from 1 up to total.
using ListingProgress = std::function<void(int done, int total)>;

// The listing's lines (UTF-8, without line ends). Lines that are no entry (a day field
// that is not a number, fewer than four fields) are left out; a file that cannot be
// read is named ("読込エラー[" + path + "]") and left out. Neither stops the listing.
std::vector<std::string> buildSearchListing(const std::filesystem::path& dataFolder,
                                            UserInterface& ui, Sleeper& sleeper,
                                            const ListingProgress& progress = {});

// Writes the listing in CP932 with CR LF, replacing the file atomically. A failed write
// shows "[ " + path + " ]の書込に失敗しました。" and a character CP932 cannot hold the
// store's message for it; either way the old file stays and the answer is false.
bool writeSearchListing(const std::filesystem::path& file, const std::vector<std::string>& lines,
                        UserInterface& ui, Sleeper& sleeper);

// The listing's lines; nothing when the file cannot be read (the reader said so).
std::optional<std::vector<std::string>> loadSearchListing(const std::filesystem::path& file,
                                                          UserInterface& ui, Sleeper& sleeper);

// Whole days from the file's local modification date to today; nothing when there is
// no such file.
std::optional<int> listingAgeDays(const std::filesystem::path& file, const Clock& clock);

struct ListingOpening {
    std::vector<std::string> lines;
    bool modified = false;  // rebuilt: the window writes it back when it closes
    bool rebuilt = false;
};

// What the search window shows when it opens: a listing of at most 30 days is loaded;
// an older one is rebuilt when the user agrees; a missing one is announced and built.
// A listing that cannot be read opens empty (the reader said so). Nothing is written here.
ListingOpening openSearchListing(const std::filesystem::path& dataFolder, const Clock& clock,
                                 UserInterface& ui, Sleeper& sleeper,
                                 const ListingProgress& progress = {});

}  // namespace velmo
