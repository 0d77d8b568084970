#include "backup/entry_swap.h"

#include <algorithm>

#include "backup/folder_operations.h"
#include "store/file_calls.h"

namespace velmo {

namespace fs = std::filesystem;

namespace {

struct Move {
    fs::path from;
    fs::path to;
};

bool renameEntry(const fs::path& from, const fs::path& to) {
    if (entryPresent(to))
        return false;  // never replaces anything
    return fileCalls().rename(from.c_str(), to.c_str()) == 0;
}

// Undoes the moves, latest first; true when every one went back.
bool undo(const std::vector<Move>& done) {
    bool all = true;
    for (auto move = done.rbegin(); move != done.rend(); ++move)
        all = renameEntry(move->to, move->from) && all;
    return all;
}

}  // namespace

bool entryPresent(const fs::path& path) {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}

bool swapEntriesIn(const fs::path& fresh, const fs::path& target,
                   const std::vector<fs::path>& outgoing, const fs::path& asideName) {
    const fs::path aside = target / asideName;
    std::error_code error;
    if (entryPresent(aside) && !removeFolderTree(aside))
        return false;
    if (!fs::create_directory(aside, error))
        return false;
    std::vector<Move> done;
    bool ok = true;
    for (const fs::path& old : outgoing) {
        done.push_back({old, aside / old.filename()});
        if (!renameEntry(done.back().from, done.back().to)) {
            done.pop_back();
            ok = false;
            break;
        }
    }
    std::vector<fs::path> incoming;
    for (fs::directory_iterator entry(fresh, error), end; ok && !error && entry != end;
         entry.increment(error))
        incoming.push_back(entry->path());
    ok = ok && !error;
    std::ranges::sort(incoming);
    for (const fs::path& entry : incoming) {
        if (!ok)
            break;
        done.push_back({entry, target / entry.filename()});
        if (!renameEntry(done.back().from, done.back().to)) {
            done.pop_back();
            ok = false;
        }
    }
    if (!ok) {
        if (undo(done))
            removeFolderTree(aside);
        return false;
    }
    removeFolderTree(aside);
    removeFolderTree(fresh);
    return true;
}

}  // namespace velmo
