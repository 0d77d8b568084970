#include "store/file_calls.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>

#include "store/cp932.h"
#include "store/line_file.h"
#include "store/month_file.h"
#include "store/settings.h"
#include "store/start_end_log.h"
#include "store/temporary_files.h"
#include "tests/support/failing_calls.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/store_fakes.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using testing::Call;
using testing::FailingCalls;
using testing::FakeClock;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::TempFolder;
using Names = std::set<std::string>;
using Pauses = std::vector<milliseconds>;

constexpr const char* kOld = "old\r\n";

Names folderNames(const fs::path& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A folder holding one month file with old content, and the lines that replace it.
struct WriterFixture {
    TempFolder dir;
    fs::path file = dir.write("Ca202403.myc", kOld);
    RecordingSleeper sleeper;
    const LineList lines{"予定", "", std::string(5000, 'x')};
    const std::string written =
        cp932::encode("予定") + "\r\n\r\n" + std::string(5000, 'x') + "\r\n";

    FailingCalls fail;  // counts from here: the old file is already written

    WriteOutcome write(Retry retry) { return writeLinesRetrying(file, lines, retry, sleeper); }
    std::string content() const { return TempFolder::read(file); }
    Names names() const { return folderNames(dir.path()); }
    // A written file: the new lines and no temporary beside them.
    void expectNewFile() const {
        EXPECT_EQ(content(), written);
        EXPECT_EQ(names(), Names{"Ca202403.myc"});
    }
    // A failed write: the old file keeps every byte, no temporary is left, and nothing
    // was renamed over it.
    void expectOldFileKept() const {
        EXPECT_EQ(content(), kOld);
        EXPECT_EQ(names(), Names{"Ca202403.myc"});
        EXPECT_EQ(fail.count(Call::Rename), 0);
    }
};

int refusedRename(const char*, const char*) {
    errno = EXDEV;
    return -1;
}

TEST(FileCallsTable, GuardsReplaceTheCallsAndRestoreThemInTurn) {
    TempFolder dir;
    RecordingSleeper sleeper;
    EXPECT_EQ(&fileCalls(), &systemFileCalls());
    {
        FileCalls refusing = systemFileCalls();
        refusing.rename = refusedRename;
        const ScopedFileCalls outer(refusing);
        EXPECT_FALSE(writeFileAtomically(dir / "a", "x", {1, milliseconds(5)}, sleeper));
        {
            const ScopedFileCalls inner(systemFileCalls());
            EXPECT_TRUE(writeFileAtomically(dir / "a", "y", {1, milliseconds(5)}, sleeper));
        }
        EXPECT_FALSE(writeFileAtomically(dir / "a", "z", {1, milliseconds(5)}, sleeper));
    }
    EXPECT_EQ(&fileCalls(), &systemFileCalls());
    EXPECT_TRUE(writeFileAtomically(dir / "a", "w", {1, milliseconds(5)}, sleeper));
    EXPECT_EQ(TempFolder::read(dir / "a"), "w");
    EXPECT_EQ(sleeper.pauses(), Pauses(2, milliseconds(5)));
    EXPECT_EQ(folderNames(dir.path()), Names{"a"});
}

// A share that is busy for a moment refuses the rename; the next try replaces the file.
TEST(FaultyRename, RefusedRenameIsRetriedAfterAPause) {
    WriterFixture f;
    f.fail.failNth(Call::Rename, 1, EBUSY);
    EXPECT_EQ(f.write({3, milliseconds(200)}), WriteOutcome::Written);
    f.expectNewFile();
    EXPECT_EQ(f.sleeper.pauses(), Pauses{milliseconds(200)});
    EXPECT_EQ(f.fail.count(Call::Rename), 2);

    // Refused on every try: the old file stays and the refused temporaries are gone.
    f.fail.failFrom(Call::Rename, 3, EBUSY);
    EXPECT_EQ(writeLinesRetrying(f.file, {"新"}, {3, milliseconds(200)}, f.sleeper),
              WriteOutcome::Failed);
    f.expectNewFile();  // the first write's
    EXPECT_EQ(f.sleeper.pauses(), Pauses(4, milliseconds(200)));
}

TEST(FaultyRename, MonthSaveOutlastsABusyShare) {
    TempFolder dir;
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    LocalFolderHooks local;
    const MonthFileContext context{dir.path().string() + "/", "Data\\Files1\\", ui, sleeper, local};
    const LineList lines{" 0,0,9,2024/ 3 [Data\\Files1\\]",
                         formatEntryLine(1, 1, "予定", DayLineAttr{})};
    MonthSlot slot{2024, 3, lines, 1, false, {}};
    FailingCalls fail;
    fail.failNth(Call::Rename, 1, EBUSY);
    fail.failNth(Call::Rename, 2, EACCES);
    EXPECT_EQ(saveSlot(slot, SaveRequest::SaveAll, context), SaveOutcome::Written);
    EXPECT_EQ(TempFolder::read(dir / "Ca202403.myc"), testing::fileBytes(lines));
    EXPECT_EQ(sleeper.pauses(), Pauses(2, milliseconds(300)));
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_EQ(folderNames(dir.path()), Names{"Ca202403.myc"});
}

// The settings writer goes through the same writer: a busy share costs one pause, a
// full disk keeps the settings the file held.
TEST(FaultyRename, SettingsSaveOutlastsABusyShareAndAFullDiskChangesNothing) {
    TempFolder folder;
    FakeClock clock;
    RecordingSleeper sleeper;
    const SettingsEnvironment env{.clock = clock, .workAreaHeight = 1040};
    SettingsStore store({.settingsFile = (folder / "Torka.ini").string(),
                         .startFolder = folder.path().string() + "/"});
    const SettingsSaveContext context{folder.path().string() + "/", 1, 1};
    TorkaSettings settings = store.read(env, sleeper).settings;
    settings.display.vSizeNo = 2;
    {
        FailingCalls fail;
        fail.failNth(Call::Rename, 1, EBUSY);
        RecordingSleeper busy;
        EXPECT_TRUE(store.save(settings, context, busy).saved());
        EXPECT_EQ(fail.count(Call::Rename), 2);
        EXPECT_EQ(busy.pauses(), Pauses{kSettingsRetry.pause});
    }
    EXPECT_EQ(store.read(env, sleeper).settings.display.vSizeNo, 2);
    const std::string saved = TempFolder::read(folder / "Torka.ini");

    settings.display.vSizeNo = 3;
    {
        FailingCalls fail;
        fail.failFrom(Call::Write, 1, ENOSPC);
        EXPECT_EQ(store.save(settings, context, sleeper).outcome, ProfileFile::SaveOutcome::Failed);
        EXPECT_GE(fail.count(Call::Write), 1);
    }
    EXPECT_EQ(TempFolder::read(folder / "Torka.ini"), saved);
    EXPECT_EQ(folderNames(folder.path()), Names{"Torka.ini"});
}

TEST(FaultyWrite, InterruptedAndShortWritesAreCompleted) {
    {
        WriterFixture f;
        f.fail.failNth(Call::Write, 1, EINTR);
        f.fail.failNth(Call::Write, 3, EINTR);
        f.fail.shortenNthWrite(2, 7);
        EXPECT_EQ(f.write({3, milliseconds(200)}), WriteOutcome::Written);
        f.expectNewFile();
        EXPECT_TRUE(f.sleeper.pauses().empty());  // resumed within the try
        EXPECT_EQ(f.fail.count(Call::Write), 4);
    }
    {
        WriterFixture f;
        for (int nth = 1; nth <= 5; ++nth)
            f.fail.shortenNthWrite(nth, 1);
        f.fail.shortenNthWrite(6, 1000);
        EXPECT_EQ(f.write({3, milliseconds(200)}), WriteOutcome::Written);
        f.expectNewFile();
        EXPECT_TRUE(f.sleeper.pauses().empty());
        EXPECT_EQ(f.fail.count(Call::Write), 7);  // 5 single bytes, 1000, then the rest at once
    }
}

// A full disk: the old file keeps every byte and no temporary is left, whether the
// first write fails or one after part of the file was already down.
TEST(FaultyWrite, FullDiskKeepsTheOldFileAndLeavesNoTemporary) {
    for (const int failingWrite : {1, 2}) {
        SCOPED_TRACE(failingWrite);
        WriterFixture f;
        f.fail.shortenNthWrite(1, 100);
        f.fail.failFrom(Call::Write, failingWrite, ENOSPC);
        EXPECT_EQ(f.write({3, milliseconds(200)}), WriteOutcome::Failed);
        f.expectOldFileKept();
        EXPECT_EQ(f.sleeper.pauses(), Pauses(3, milliseconds(200)));
    }
}

TEST(FaultyFlush, FailedFileFlushIsAFailedWrite) {
    WriterFixture f;
    f.fail.failNth(Call::Fsync, 1, EIO);
    EXPECT_EQ(f.write({1, milliseconds(200)}), WriteOutcome::Failed);
    f.expectOldFileKept();

    // The temporary's close is where some file systems report a lost write.
    f.fail.failNth(Call::Close, f.fail.count(Call::Close) + 1, EIO);
    EXPECT_EQ(f.write({1, milliseconds(200)}), WriteOutcome::Failed);
    f.expectOldFileKept();
}

// The folder is flushed after the rename only to make it durable sooner; a folder
// that refuses (some shares do) or cannot be opened still has the new file.
TEST(FaultyFlush, RefusedFolderFlushStillCountsAsWritten) {
    WriterFixture f;
    f.fail.failNth(Call::Fsync, 2, EINVAL);
    EXPECT_EQ(f.write({1, milliseconds(200)}), WriteOutcome::Written);
    f.expectNewFile();
    EXPECT_EQ(f.fail.count(Call::Fsync), 2);

    f.fail.failNth(Call::Open, 2, EACCES);
    EXPECT_EQ(writeLinesRetrying(f.file, {"b"}, {1, milliseconds(200)}, f.sleeper),
              WriteOutcome::Written);
    EXPECT_EQ(f.content(), "b\r\n");
    EXPECT_EQ(f.fail.count(Call::Open), 2);
    EXPECT_EQ(f.fail.paths(Call::Open).back(), f.dir.path().string());
    EXPECT_TRUE(f.sleeper.pauses().empty());
}

// Another save beside this one may hold the temporary name drawn: a new one is drawn.
TEST(FaultyCreate, TakenTemporaryNameIsSkippedAndOtherRefusalsRetried) {
    WriterFixture f;
    f.fail.failNth(Call::CreateExclusive, 1, EEXIST);
    f.fail.failNth(Call::CreateExclusive, 2, EEXIST);
    EXPECT_EQ(f.write({3, milliseconds(200)}), WriteOutcome::Written);
    f.expectNewFile();
    EXPECT_TRUE(f.sleeper.pauses().empty());
    const std::vector<std::string>& tried = f.fail.paths(Call::CreateExclusive);
    ASSERT_EQ(tried.size(), 3u);
    EXPECT_EQ(std::set<std::string>(tried.begin(), tried.end()).size(), 3u);
    for (const std::string& path : tried) {
        EXPECT_TRUE(isTemporaryName(fs::path(path).filename().string())) << path;
        EXPECT_EQ(fs::path(path).parent_path(), f.dir.path());
    }

    // Any other refusal ends the try; the next one, after a pause, succeeds.
    f.fail.failNth(Call::CreateExclusive, 4, EACCES);
    EXPECT_EQ(writeLinesRetrying(f.file, {"c"}, {3, milliseconds(200)}, f.sleeper),
              WriteOutcome::Written);
    EXPECT_EQ(f.content(), "c\r\n");
    EXPECT_EQ(f.sleeper.pauses(), Pauses{milliseconds(200)});
    EXPECT_EQ(f.fail.count(Call::CreateExclusive), 5);
}

// The end entry is appended in place; a full disk, a short write cut off by it or a
// refused flush leaves the log exactly as it was.
TEST(FaultyLogAppend, FailedAppendLeavesTheLogAsItWas) {
    const std::string before = "S:2024/09/11 8:30:05\r\n";
    for (const testing::WriteFault& fault : testing::writeFaults()) {
        SCOPED_TRACE(fault.name);
        TempFolder dir;
        const fs::path log = dir.write(kStartEndLogFileName, before);
        FakeClock clock{{2024, 9, 11, 17, 45, 0, 0}};
        RecordingSleeper sleeper;
        ScriptedUserInterface ui;
        StartEndLog startEnd{log, clock, sleeper, ui};
        {
            FailingCalls fail;
            fault.plan(fail, 5);
            EXPECT_FALSE(startEnd.appendEndEntry());
            EXPECT_GE(fail.count(Call::Write), 1);
        }
        EXPECT_EQ(TempFolder::read(log), before);
        EXPECT_EQ(folderNames(dir.path()), Names{kStartEndLogFileName});

        // With the fault gone the same entry goes in.
        EXPECT_TRUE(startEnd.appendEndEntry());
        EXPECT_EQ(TempFolder::read(log), before + "E:2024/09/11 17:45:00\r\n");
    }
}

}  // namespace
}  // namespace velmo
