#include "cli/search_command.h"

#include <cstdio>

#include "cli/command_session.h"
#include "store/search_listing.h"

namespace velmo {

int runSearchCommand(const std::string& startFolder, const std::vector<std::string>& arguments,
                     UserInterface& ui) {
    if (arguments.size() != 1 || arguments[0].empty()) {
        std::fputs("Usage: velmo-tool search TEXT\n", stderr);
        return 2;
    }
    ThreadSleeper sleeper;
    SystemClock clock;
    CommandSession session(startFolder, ui, sleeper);
    if (!session.start())
        return 1;
    const std::string folder = session.data().folder();
    const ListingOpening opening = openSearchListing(folder, clock, ui, sleeper);
    // As the search window does when it closes; a failed write is reported and the
    // search goes on over the listing in memory.
    if (opening.rebuilt)
        writeSearchListing(searchListingPath(folder), opening.lines, ui, sleeper);
    const std::string& text = arguments[0];
    bool found = false;
    for (const std::string& line : opening.lines) {
        if (line.find(text) == std::string::npos)
            continue;
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        found = true;
    }
    if (std::ferror(stdout))
        return 1;
    return found ? 0 : 1;
}

}  // namespace velmo
