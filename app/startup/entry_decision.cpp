#include "app/startup/entry_decision.h"

namespace velmo {

EntryAction decideEntry(const EntryFacts& facts, const LaunchOptions& options) {
    // The sibling edition shares our files; "/2" does not override this.
    if (facts.siblingRunning)
        return EntryAction::RefuseBesideSibling;
    if (!facts.otherCopyRunning || options.ignoreRunningCopy)
        return EntryAction::Start;
    if (facts.localFolderMarker && !facts.startMarker && !options.firstNetworkSetup) {
        return EntryAction::HandOverWithNotice;
    }
    return EntryAction::HandOver;
}

}  // namespace velmo
