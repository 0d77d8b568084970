#include "app/navigation/period_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_clock.h"
#include "tests/support/scripted_locks.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/store_fakes.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using testing::FakeSharedFolder;
using testing::fileBytes;
using testing::RecordingSleeper;
using testing::ScriptedLocks;
using testing::ScriptedUserInterface;
using testing::Steps;
using testing::TempFolder;
using Lines = std::vector<std::string>;

constexpr const char* kHeader = "***** FromTo予定 [Data\\Files1\\]";

std::string periodLine(int day, const std::string& summary) {
    PeriodRecord r;
    r.start = {2024, 12, day};
    r.end = {2024, 12, day + 2};
    r.summaryDate = r.start;
    r.summary = summary;
    r.owner = "PC2";
    return formatPeriodRecord(r);
}

class PeriodEditTest : public ::testing::Test {
protected:
    PeriodEditTest() {
        write({kHeader, periodLine(3, "出張")});
        loadPeriodList(list, files(), nullptr);
    }

    void write(const Lines& lines) { dir.write("Data/Files1/CaFromTo.myc", fileBytes(lines)); }
    std::string file() const { return TempFolder::read(dir / "Data/Files1/CaFromTo.myc"); }
    PeriodFileContext files() {
        return {DataLocation::dataSet(dir.path().string() + "/", 1), {}, ui, sleeper, shared};
    }
    // An editor that counts its runs and gives a new record.
    PeriodEditor giving(const std::string& summary) {
        return [this, summary](const PeriodList&) {
            ++editorRuns;
            return std::optional(parsePeriodRecord(periodLine(20, summary)));
        };
    }

    TempFolder dir;
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    FakeSharedFolder shared;
    Steps steps;
    ScriptedLocks locks{steps};
    PeriodList list;
    int editorRuns = 0;
};

TEST_F(PeriodEditTest, ANewPeriodJoinsWhatAnotherComputerAddedAndIsSavedAtOnce) {
    write({kHeader, periodLine(3, "出張"), periodLine(9, "PC3の研修")});
    const PeriodFileContext context = files();
    const PeriodEditOutcome outcome =
        editPeriod(list, 0, {context, &locks}, giving("PC1の展示会"), "PC1");
    EXPECT_TRUE(outcome.changed);
    EXPECT_EQ(outcome.protocol, ProtocolOutcome::Done);
    EXPECT_EQ(file(), fileBytes({kHeader, periodLine(3, "出張"), periodLine(9, "PC3の研修"),
                                 list.lines[3]}));
    EXPECT_NE(list.lines[3].find("PC1の展示会"), std::string::npos);
    EXPECT_EQ(shared.raised, 1);
    EXPECT_EQ(steps.back(), "release " + dir.path().string() + "/Data/Files1/CaFromTo.lock");
}

TEST_F(PeriodEditTest, APeriodChangedElsewhereOpensNoEditorAndGivesTheLockBack) {
    write({kHeader, periodLine(3, "出張（変更済み）")});
    const PeriodFileContext context = files();
    const PeriodEditOutcome outcome = editPeriod(list, 1, {context, &locks}, giving("x"), "PC1");
    EXPECT_FALSE(outcome.changed);
    EXPECT_EQ(outcome.protocol, ProtocolOutcome::Abandoned);
    EXPECT_EQ(editorRuns, 0);
    EXPECT_EQ(ui.texts(), Lines{kPeriodChangedElsewhereMessage});
    EXPECT_EQ(file(), fileBytes({kHeader, periodLine(3, "出張（変更済み）")}));
    EXPECT_EQ(steps.back().substr(0, 8), "release ");
    EXPECT_EQ(shared.raised, 0);
}

TEST_F(PeriodEditTest, TheSelectedPeriodIsDeletedUnderTheLockAfterYes) {
    list.selectedPeriod = 1;
    ui.answer(true);
    const PeriodFileContext context = files();
    const PeriodEditOutcome outcome = deleteSelectedPeriodShared(list, {context, &locks});
    EXPECT_TRUE(outcome.changed);
    EXPECT_EQ(file(), fileBytes({kHeader}));
    EXPECT_EQ(ui.questions(), Lines{"この予定を削除してもいいですか？"});
}

TEST_F(PeriodEditTest, LocallyTheListChangesInMemoryOnly) {
    const PeriodFileContext context = files();
    LocalFolderHooks local;
    const PeriodFileContext localContext{context.location, {}, ui, sleeper, local};
    const PeriodEditOutcome outcome =
        editPeriod(list, 1, {localContext, nullptr}, giving("変更"), "PC1");
    EXPECT_TRUE(outcome.changed);
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(file(), fileBytes({kHeader, periodLine(3, "出張")}));
    EXPECT_NE(list.lines.back().find("変更"), std::string::npos);
}

}  // namespace
}  // namespace velmo
