#include "store/start_end_log.h"

#include <gtest/gtest.h>

#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using testing::FakeClock;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::ShownBox;
using testing::TempFolder;
using Outcome = StartEndLog::StartOutcome;

const std::string kTitleBytes = cp932::encode(kStartEndLogTitle) + "\r\n";

StartEndLogSettings logging(bool tell = true, int lines = 100) {
    return {true, tell, lines};
}

// A log in a fresh folder, with the clock at 2024-09-11 8:30:05.
struct LogFixture {
    TempFolder folder;
    FakeClock clock{{2024, 9, 11, 8, 30, 5, 0}};
    RecordingSleeper sleeper;
    ScriptedUserInterface ui;
    StartEndLog log{startEndLogPath(folder.path()), clock, sleeper, ui};

    fs::path write(std::string_view bytes) { return folder.write(kStartEndLogFileName, bytes); }
    std::string bytes() const { return TempFolder::read(log.file()); }
};

TEST(DateTimeText, FixedFormatsAndReadingBack) {
    EXPECT_EQ(dateTimeText({2024, 9, 10, 18, 5, 0, 0}), "2024/09/10 18:05:00");
    EXPECT_EQ(dateTimeText({2025, 1, 2, 0, 0, 0, 0}), "2025/01/02 0:00:00");
    EXPECT_EQ(longTimeText({2024, 9, 10, 9, 7, 3, 0}), "9:07:03");

    const LocalDateTime t{2024, 9, 10, 18, 5, 9, 0};
    EXPECT_EQ(parseDateTimeText(dateTimeText(t)), t);
    // Texts written by other settings of the Windows edition.
    EXPECT_EQ(parseDateTimeText("2024/9/1 8:05"), (LocalDateTime{2024, 9, 1, 8, 5, 0, 0}));
    EXPECT_EQ(parseDateTimeText("  2024/09/10  "), (LocalDateTime{2024, 9, 10, 0, 0, 0, 0}));
    EXPECT_EQ(parseDateTimeText("2024/02/29 23:59:59"), (LocalDateTime{2024, 2, 29, 23, 59, 59}));
}

TEST(DateTimeText, RejectsWhatIsNoDateTime) {
    for (const char* text :
         {"", "abc", "2024/13/01 9:00:00", "2023/02/29 9:00:00", "2024/09/10 24:00:00",
          "2024/09/10 9:60:00", "2024/09/10 9:00:60", "2024/09/1018:05:00", "2024/09/10 18:05:00x",
          "20245/09/10", "2024-09-10 18:05:00", "2024/09/10 18", "0/01/01", "1582/10/10"}) {
        EXPECT_EQ(parseDateTimeText(text), std::nullopt) << text;
    }
}

TEST(DateTimeText, CharacterPartCountsCharacters) {
    EXPECT_EQ(characterPart("E:2024/09/10", 2), "2024/09/10");
    EXPECT_EQ(characterPart("Eあ2024", 2, 3), "202");
    EXPECT_EQ(characterPart("起動時刻", 1, 2), "動時");
    EXPECT_EQ(characterPart("S", 2), "");
}

TEST(StartEndLogFile, EnsureCreatesTitleOnlyWhenMissing) {
    LogFixture f;
    EXPECT_TRUE(f.log.ensureExists());
    EXPECT_EQ(f.bytes(), kTitleBytes);

    // An existing log, whatever the letter case of its name, is left alone.
    LogFixture g;
    const fs::path other = g.folder.write("torkaste.MYD", "S:2024/09/10 9:00:00");
    EXPECT_TRUE(g.log.ensureExists());
    EXPECT_EQ(TempFolder::read(other), "S:2024/09/10 9:00:00");
    EXPECT_FALSE(fs::exists(g.folder / kStartEndLogFileName));
}

TEST(StartEndLogFile, FailedCreationIsReported) {
    TempFolder folder;
    FakeClock clock;
    RecordingSleeper sleeper;
    ScriptedUserInterface ui;
    const fs::path file = folder / "missing" / kStartEndLogFileName;
    const std::string failed = "[ " + file.string() + " ]の書込に失敗しました。";
    StartEndLog log(file, clock, sleeper, ui);
    EXPECT_FALSE(log.ensureExists());
    EXPECT_EQ(ui.texts(), std::vector<std::string>{failed});
    EXPECT_EQ(sleeper.pauses(), std::vector<milliseconds>(5, milliseconds(500)));
    ui.answer(true);  // create it?
    EXPECT_EQ(log.recordStart(logging()), Outcome::CreateFailed);
    EXPECT_EQ(ui.shown().back().text, failed);
}

TEST(StartEntry, AppendsAndNotesHowThePreviousRunEnded) {
    const std::string s = "S:2024/09/11 8:30:05\r\n";  // the new entry
    const std::string proper = "前回は 2024/09/10 18:05:00 に終了しました。";
    struct Case {
        std::string log;
        StartEndLogSettings settings;
        Outcome outcome;
        std::string after;
        std::optional<std::string> note;
        std::vector<std::string> messages;
    };
    for (const Case& c : std::vector<Case>{
             {kTitleBytes + "E:2024/09/10 18:05:00\r\n",
              logging(),
              Outcome::Written,
              kTitleBytes + "E:2024/09/10 18:05:00\r\n" + s,
              proper,
              {}},
             // Written by an older setting of the Windows edition.
             {"E:2024/9/10 18:05\r\n",
              logging(),
              Outcome::Written,
              "E:2024/9/10 18:05\r\n" + s,
              proper,
              {}},
             {"S:2024/09/10 9:00:00\r\n",
              logging(),
              Outcome::Written,
              "S:2024/09/10 9:00:00\r\n" + s,
              kAbnormalEndNote,
              {}},
             {kTitleBytes, logging(), Outcome::Written, kTitleBytes + s, kAbnormalEndNote, {}},
             {"S:2024/09/10 9:00:00\r\n",
              logging(false),
              Outcome::Written,
              "S:2024/09/10 9:00:00\r\n" + s,
              std::nullopt,
              {}},
             {"S:2024/09/10 9:00:00\r\n",
              {false, true, 100},
              Outcome::Off,
              "S:2024/09/10 9:00:00\r\n",
              std::nullopt,
              {}},
             // The entry is written before the end time turns out unreadable.
             {"E:yesterday evening\r\n",
              logging(),
              Outcome::Written,
              "E:yesterday evening\r\n" + s,
              std::nullopt,
              {kStartTimeErrorText}},
             // Nothing to go by: an empty log is not replaced by one line.
             {"", logging(), Outcome::Unreadable, "", std::nullopt, {kStartTimeErrorText}},
         }) {
        LogFixture f;
        f.write(c.log);
        EXPECT_EQ(f.log.recordStart(c.settings), c.outcome) << c.log;
        EXPECT_EQ(f.bytes(), c.after);
        EXPECT_EQ(f.ui.texts(), c.messages);
        EXPECT_EQ(f.log.takePreviousRunNote(), c.note) << c.log;
        EXPECT_EQ(f.log.takePreviousRunNote(), std::nullopt);  // shown once
    }
}

TEST(StartEntry, KeepsTheNewestLines) {
    std::string full = kTitleBytes;
    for (int i = 1; i < 100; ++i)
        full += (i % 2 ? "S:2024/09/01 9:00:00\r\n" : "E:2024/09/01 18:00:00\r\n");
    LogFixture f;
    f.write(full);
    f.log.recordStart(logging(true, 100));
    // The title line is the first to go.
    EXPECT_EQ(f.bytes(), full.substr(kTitleBytes.size()) + "S:2024/09/11 8:30:05\r\n");

    // Fewer than one line kept counts as one: only the new entry stays.
    for (int kept : {0, -5, 1}) {
        LogFixture g;
        g.write(kTitleBytes + "E:2024/09/10 18:05:00\r\n");
        g.log.recordStart(logging(true, kept));
        EXPECT_EQ(g.bytes(), "S:2024/09/11 8:30:05\r\n") << kept;
        EXPECT_EQ(g.log.takePreviousRunNote(), "前回は 2024/09/10 18:05:00 に終了しました。");
    }
}

TEST(StartEntry, MissingLogAsksBeforeCreating) {
    LogFixture yes;
    yes.ui.answer(true);
    EXPECT_EQ(yes.log.recordStart(logging()), Outcome::Created);
    ASSERT_EQ(yes.ui.shown().size(), 1u);
    const ShownBox& box = yes.ui.shown()[0];
    EXPECT_EQ(box.kind, ShownBox::Kind::Question);
    EXPECT_EQ(box.text,
              "ベルモの「起動＆終了時刻」を書き込むファイルが存在しません。\r\n"
              "ファイルが消えてしまった可能性があります。\r\n新しく作成いたしますか？");
    EXPECT_EQ(box.caption, "確認 -ベルモ-");
    EXPECT_EQ(box.defaultButton, DefaultButton::Yes);
    EXPECT_EQ(yes.bytes(), "S:2024/09/11 8:30:05\r\n");
    EXPECT_EQ(yes.log.takePreviousRunNote(), std::nullopt);

    // No: nothing is written this run, not even when the log turns up before exit.
    LogFixture no;
    no.ui.answer(false);
    EXPECT_EQ(no.log.recordStart(logging()), Outcome::Declined);
    ASSERT_EQ(no.ui.shown().size(), 2u);
    EXPECT_EQ(no.ui.shown()[1].text, "起動＆終了時刻の記録を今回は中止いたします。");
    EXPECT_EQ(no.ui.shown()[1].caption, "確認 -ベルモ-");
    EXPECT_FALSE(no.log.exists());
    EXPECT_TRUE(no.log.ensureExists());
    EXPECT_FALSE(no.log.recordExit(logging(), true));
    EXPECT_EQ(no.bytes(), kTitleBytes);
}

TEST(EndEntry, AppendedAfterASuccessfulSaveOnly) {
    LogFixture f;
    f.write("S:2024/09/11 8:30:05\r\n");
    f.clock.set({2024, 9, 11, 17, 45, 0, 0});
    EXPECT_FALSE(f.log.recordExit(logging(), false));
    EXPECT_FALSE(f.log.recordExit({false, true, 100}, true));
    EXPECT_EQ(f.bytes(), "S:2024/09/11 8:30:05\r\n");
    EXPECT_TRUE(f.log.recordExit(logging(), true));
    EXPECT_EQ(f.bytes(), "S:2024/09/11 8:30:05\r\nE:2024/09/11 17:45:00\r\n");

    LogFixture none;  // no log: nothing created
    EXPECT_FALSE(none.log.recordExit(logging(), true));
    EXPECT_FALSE(none.log.exists());
}

// A log made read-only is neither rewritten by the start entry nor appended to in place.
TEST(EndEntry, ReadOnlyLogIsLeftAsItIs) {
    LogFixture f;
    const fs::path file = f.write("S:2024/09/10 9:00:00\r\nE:2024/09/10 18:05:00\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(f.log.recordStart(logging()), Outcome::WriteFailed);
    EXPECT_EQ(f.ui.texts(),
              std::vector<std::string>{"[ " + file.string() + " ]の書込に失敗しました。"});
    EXPECT_FALSE(f.log.recordExit(logging(), true));
    EXPECT_EQ(f.bytes(), "S:2024/09/10 9:00:00\r\nE:2024/09/10 18:05:00\r\n");
}

TEST(EndEntry, StartsALineOfItsOwn) {
    struct Case {
        std::string before;
        std::string after;
    };
    const std::string e = "E:2024/09/11 8:30:05\r\n";
    for (const Case& c : std::vector<Case>{
             {"S:2024/09/11 8:00:00", "S:2024/09/11 8:00:00\r\n" + e},
             {"S:2024/09/11 8:00:00\r", "S:2024/09/11 8:00:00\r\n" + e},
             {"S:2024/09/11 8:00:00\n", "S:2024/09/11 8:00:00\n" + e},
             {"", e},
             // Readers stop at 0x1A, so an entry behind it would never be seen.
             {"S:2024/09/11 8:00:00\r\n\x1A\x1A", "S:2024/09/11 8:00:00\r\n" + e},
             {"S:2024/09/11 8:00:00\x1A", "S:2024/09/11 8:00:00\r\n" + e},
         }) {
        LogFixture f;
        f.write(c.before);
        EXPECT_TRUE(f.log.appendEndEntry());
        EXPECT_EQ(f.bytes(), c.after);
    }
}

TEST(RunCycle, KilledRunIsReportedAtTheNextStart) {
    LogFixture f;
    f.log.ensureExists();
    f.log.recordStart(logging());
    f.clock.set({2024, 9, 11, 18, 0, 0, 0});
    f.log.recordExit(logging(), true);
    // Second run: starts, then dies without its close.
    f.clock.set({2024, 9, 12, 9, 0, 0, 0});
    f.log.recordStart(logging());
    EXPECT_EQ(f.log.takePreviousRunNote(), "前回は 2024/09/11 18:00:00 に終了しました。");
    // Third run.
    f.clock.set({2024, 9, 12, 10, 0, 0, 0});
    f.log.recordStart(logging());
    EXPECT_EQ(f.log.takePreviousRunNote(), kAbnormalEndNote);
    EXPECT_EQ(f.bytes(), kTitleBytes +
                             "S:2024/09/11 8:30:05\r\nE:2024/09/11 18:00:00\r\n"
                             "S:2024/09/12 9:00:00\r\nS:2024/09/12 10:00:00\r\n");
}

TEST(LoggingSwitch, OffAndOnAddsOnlyAnEndEntry) {
    LogFixture f;
    f.write("S:2024/09/11 8:00:00\r\n");
    f.log.loggingSwitched(false);
    f.log.loggingSwitched(true);
    EXPECT_EQ(f.bytes(), "S:2024/09/11 8:00:00\r\nE:2024/09/11 8:30:05\r\n");

    // Switched on without a log: a new one with a start entry.
    LogFixture g;
    g.log.loggingSwitched(false);
    EXPECT_FALSE(g.log.exists());
    g.log.loggingSwitched(true);
    EXPECT_EQ(g.bytes(), "S:2024/09/11 8:30:05\r\n");
    EXPECT_TRUE(g.ui.shown().empty());
}

}  // namespace
}  // namespace velmo
