#include "app/startup/entry_decision.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(EntryDecision, SiblingEditionRefusesEvenWithSecondCopySwitch) {
    EXPECT_EQ(decideEntry({.siblingRunning = true}, {}), EntryAction::RefuseBesideSibling);
    EXPECT_EQ(decideEntry({.siblingRunning = true}, parseLaunchOptions({"/2"})),
              EntryAction::RefuseBesideSibling);
}

TEST(EntryDecision, RunningCopyIsShownUnlessSecondCopyAsked) {
    EXPECT_EQ(decideEntry({}, {}), EntryAction::Start);
    EXPECT_EQ(decideEntry({.otherCopyRunning = true}, {}), EntryAction::HandOver);
    EXPECT_EQ(decideEntry({.otherCopyRunning = true}, parseLaunchOptions({"/2"})),
              EntryAction::Start);
}

TEST(EntryDecision, NoticeOnlyForLocalOperationWithoutStartMarkerOrFirstSetup) {
    const EntryFacts local{.otherCopyRunning = true, .localFolderMarker = true};
    EXPECT_EQ(decideEntry(local, {}), EntryAction::HandOverWithNotice);
    EXPECT_EQ(decideEntry(local, parseLaunchOptions({"/F"})), EntryAction::HandOver);
    EntryFacts marked = local;
    marked.startMarker = true;
    EXPECT_EQ(decideEntry(marked, {}), EntryAction::HandOver);
}

}  // namespace
}  // namespace velmo
