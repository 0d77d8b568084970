#include "store/line_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <functional>
#include <random>
#include <set>

#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fifo.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::ShownBox;
using testing::TempFolder;

using Pauses = std::vector<milliseconds>;

// Reads a file with the line file reader, expecting success and no message.
LineList readBack(const fs::path& file) {
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    LineList lines{"left over"};
    EXPECT_TRUE(readLineFile(file, lines, ui, sleeper));
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_TRUE(sleeper.pauses().empty());
    return lines;
}

std::set<std::string> folderNames(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(LineFileSplit, TerminatorsAndLastLine) {
    EXPECT_EQ(splitFileText("a\r\nb"), (LineList{"a", "b"}));
    EXPECT_EQ(splitFileText("a\r\nb\r\n"), (LineList{"a", "b"}));
    EXPECT_EQ(splitFileText("a\n\nb"), (LineList{"a", "", "b"}));
    EXPECT_EQ(splitFileText("a\rb"), (LineList{"a", "b"}));
    EXPECT_EQ(splitFileText("a\r\r\nb\n\rc"), (LineList{"a", "", "b", "", "c"}));
    EXPECT_EQ(splitFileText("\r\n"), (LineList{""}));
    EXPECT_EQ(splitFileText("\n\n"), (LineList{"", ""}));
    EXPECT_EQ(splitFileText(""), LineList{});
}

TEST(LineFileSplit, EndOfFileByteAndNul) {
    EXPECT_EQ(splitFileText("a\r\nb\r\n\x1A"
                            "c\r\nd"),
              (LineList{"a", "b"}));
    EXPECT_EQ(splitFileText("a\r\nb\x1A"
                            "c"),
              (LineList{"a", "b"}));
    EXPECT_EQ(splitFileText("\x1A\r\nx"), LineList{});
    using namespace std::string_literals;
    EXPECT_EQ(splitFileText("a\0b\r\n\0\r\nc"s), (LineList{"a\0b"s, "\0"s, "c"}));
}

TEST(LineFileSplit, LinesAreDecoded) {
    std::string escapedLead;
    cp932::appendUtf8(escapedLead, cp932::kEscapeBase + 0x81);
    // 表 ends in the byte of "\", メ in half of "，"; a lead byte before CR LF stays a byte.
    EXPECT_EQ(splitFileText("\x95\x5c\r\n\x83\x81\x43\r\n\x81\r\n"),
              (LineList{"表", "メC", escapedLead}));
}

TEST(LineFileReader, LongLineIsReadWhole) {
    TempFolder dir;
    std::string line;
    while (line.size() < 20000)
        line += "0123456789\x95\x5c\x83\x81";
    line.resize(20000);
    const LineList lines = readBack(dir.write("long.myc", "x\r\n" + line + "\r\ny"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], cp932::decode(line));
    EXPECT_EQ(cp932::encode(lines[1]), line);
    EXPECT_EQ(lines[2], "y");
}

// The old reader worked in 8192-byte blocks and lost an empty line when an LF
// opened a block; lines here cross every offset around that boundary, and around
// the other power-of-two block sizes a reader may use.
TEST(LineFileReader, TerminatorsAroundBlockBoundaries) {
    TempFolder dir;
    std::vector<std::size_t> lengths;
    for (std::size_t length = 8180; length <= 8200; ++length)
        lengths.push_back(length);
    for (std::size_t block : {65536, 262144}) {
        for (std::size_t length = block - 3; length <= block + 1; ++length) {
            lengths.push_back(length);
        }
    }
    for (std::size_t length : lengths) {
        SCOPED_TRACE(length);
        const std::string a(length, 'a');
        EXPECT_EQ(readBack(dir.write("lf.myc", a + "\n\nb\n")), (LineList{a, "", "b"}));
        EXPECT_EQ(readBack(dir.write("crlf.myc", a + "\r\n\r\nb")), (LineList{a, "", "b"}));
        EXPECT_EQ(readBack(dir.write("cr.myc", a + "\r\r")), (LineList{a, ""}));
        EXPECT_EQ(readBack(dir.write("kanji.myc", a + "\x95\x5c\n")), (LineList{a + "表"}));
        EXPECT_EQ(readBack(dir.write("nul.myc", a + std::string("\0\n", 2))),
                  (LineList{a + std::string(1, '\0')}));
        EXPECT_EQ(readBack(dir.write("eof.myc", a + "\r\x1A\nc")), (LineList{a}));
    }
}

// The reader works through large files in blocks of its own; a file of random lines
// with every kind of terminator must give what the in-memory split gives.
TEST(LineFileReader, LargeFileMatchesInMemorySplit) {
    TempFolder dir;
    std::mt19937 random(11);
    std::uniform_int_distribution<int> length(0, 3000);
    std::uniform_int_distribution<int> kind(0, 4);
    std::string bytes;
    while (bytes.size() < 3000000) {
        for (int n = length(random); n > 0; --n)
            bytes += (n % 7 == 0) ? "\x95\x5c" : "x";
        static constexpr const char* kEnds[] = {"\r\n", "\r", "\n", "\r\n\r\n", "\n\r"};
        bytes += kEnds[kind(random)];
    }
    for (const std::string& tail : {std::string("last"), std::string("\r"), std::string()}) {
        const LineList expected = splitFileText(bytes + tail);
        EXPECT_EQ(readBack(dir.write("big.myc", bytes + tail)), expected);
    }
    // An end-of-file byte far into the file.
    const std::string cut = bytes.substr(0, 2000000);
    EXPECT_EQ(readBack(dir.write("eof.myc", cut + "\x1A" + bytes)), splitFileText(cut));
}

TEST(LineFileReader, ReplacesTheListAndFindsOtherCase) {
    TempFolder dir;
    dir.write("HDAY.DAT", "x\r\n");
    EXPECT_EQ(readBack(dir / "Hday.dat"), LineList{"x"});
}

TEST(LineFileReader, FiveFailedOpensShowMessage) {
    TempFolder dir;
    fs::create_directory(dir / "folder.myc");
    for (const fs::path& file : {dir / "missing.myc", dir / "folder.myc"}) {
        SCOPED_TRACE(file.string());
        ScriptedUserInterface ui;
        RecordingSleeper sleeper;
        LineList lines{"old"};
        EXPECT_FALSE(readLineFile(file, lines, ui, sleeper));
        EXPECT_TRUE(lines.empty());
        EXPECT_EQ(sleeper.pauses(), Pauses(4, milliseconds(500)));
        ASSERT_EQ(ui.shown().size(), 1u);
        EXPECT_EQ(ui.shown()[0].kind, ShownBox::Kind::Message);
        EXPECT_EQ(ui.shown()[0].text, "読込エラー[" + file.string() + "]");
    }
}

// A pipe where a data file belongs waits for a writer that never comes; the readers
// must refuse it like any other unreadable file instead of hanging in open().
TEST(LineFileReader, PipeIsRefusedWithoutWaitingForAWriter) {
    TempFolder dir;
    const fs::path fifo = testing::makeFifo(dir / "Ca202611.myc");
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    LineList lines{"old"};
    bool read = true;
    EXPECT_TRUE(
        testing::returnsBesideFifo(fifo, [&] { read = readLineFile(fifo, lines, ui, sleeper); }));
    EXPECT_FALSE(read);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"読込エラー[" + fifo.string() + "]"});

    lines = {"old"};
    EXPECT_TRUE(testing::returnsBesideFifo(fifo, [&] {
        read = readLinesRetrying(dir / "ca202611.MYC", lines, {2, milliseconds(300)}, sleeper);
    }));
    EXPECT_FALSE(read);
    EXPECT_TRUE(lines.empty());
}

TEST(LineFileRetryingReader, PausesAfterEveryFailure) {
    TempFolder dir;
    RecordingSleeper sleeper;
    LineList lines{"old"};
    EXPECT_FALSE(readLinesRetrying(dir / "missing", lines, {3, milliseconds(300)}, sleeper));
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(sleeper.pauses(), Pauses(3, milliseconds(300)));

    lines = {"old"};
    using namespace std::string_literals;
    const fs::path file = dir.write("a.myc", "a\0b\r\n\x95\x5c\rc\x1A\r\nd"s);
    EXPECT_TRUE(readLinesRetrying(file, lines, {3, milliseconds(300)}, sleeper));
    EXPECT_EQ(lines, (LineList{"a\0b"s, "表", "c"}));
    EXPECT_EQ(sleeper.pauses().size(), 3u);  // no pause on success

    EXPECT_FALSE(readLinesRetrying(file, lines, {0, milliseconds(300)}, sleeper));
    EXPECT_TRUE(lines.empty());
}

TEST(LineFileWriter, EveryLineEndsWithCrLf) {
    TempFolder dir;
    RecordingSleeper sleeper;
    const fs::path file = dir / "a.myc";
    EXPECT_EQ(writeLinesRetrying(file, {"表", "", "a,b〜"}, {3, milliseconds(300)}, sleeper),
              WriteOutcome::Written);
    EXPECT_EQ(TempFolder::read(file), "\x95\x5c\r\n\r\na,b\x81\x60\r\n");
    EXPECT_EQ(writeLinesRetrying(file, {}, {3, milliseconds(300)}, sleeper), WriteOutcome::Written);
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_TRUE(sleeper.pauses().empty());
    EXPECT_EQ(folderNames(dir.path()), std::set<std::string>{"a.myc"});  // no temporary left
}

TEST(LineFileWriter, UnencodableLineWritesNothing) {
    TempFolder dir;
    RecordingSleeper sleeper;
    const fs::path file = dir.write("a.myc", "old\r\n");
    EXPECT_EQ(writeLinesRetrying(file, {"ok", "絵文字😀"}, {3, milliseconds(300)}, sleeper),
              WriteOutcome::Unencodable);
    EXPECT_EQ(TempFolder::read(file), "old\r\n");
    EXPECT_EQ(writeLinesRetrying(dir / "new.myc", {"é"}, {3, milliseconds(300)}, sleeper),
              WriteOutcome::Unencodable);
    EXPECT_EQ(folderNames(dir.path()), std::set<std::string>{"a.myc"});
    EXPECT_TRUE(sleeper.pauses().empty());
}

TEST(LineFileWriter, FailureRetriesAndLeavesNoTemporary) {
    TempFolder dir;
    dir.write("plain", "x");
    RecordingSleeper sleeper;
    EXPECT_EQ(writeLinesRetrying(dir / "plain" / "a.myc", {"a"}, {4, milliseconds(250)}, sleeper),
              WriteOutcome::Failed);
    EXPECT_EQ(sleeper.pauses(), Pauses(4, milliseconds(250)));

    // A folder in the way: the rename fails and the folder keeps its content.
    dir.write("busy.myc/inside", "kept");
    EXPECT_FALSE(writeFileAtomically(dir / "busy.myc", "new", {2, milliseconds(10)}, sleeper));
    EXPECT_EQ(TempFolder::read(dir / "busy.myc" / "inside"), "kept");
    EXPECT_EQ(folderNames(dir.path()), (std::set<std::string>{"busy.myc", "plain"}));
}

// A write that breaks off half-way (here at the file size limit, as on a full disk)
// must leave the old file as it was.
TEST(LineFileWriter, BrokenWriteKeepsTheOldFile) {
    TempFolder dir;
    const fs::path file = dir.write("a.myc", "old\r\n");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    RecordingSleeper sleeper;
    const bool written =
        writeFileAtomically(file, std::string(10000, 'x'), {2, milliseconds(100)}, sleeper);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(written);
    EXPECT_EQ(sleeper.pauses(), Pauses(2, milliseconds(100)));
    EXPECT_EQ(TempFolder::read(file), "old\r\n");
    EXPECT_EQ(folderNames(dir.path()), std::set<std::string>{"a.myc"});
}

TEST(LineFileWriter, KeepsPermissionsAndExistingSpelling) {
    TempFolder dir;
    RecordingSleeper sleeper;
    const fs::path file = dir.write("CAFROMTO.MYC", "old\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(writeLinesRetrying(dir / "CaFromTo.myc", {"new"}, {1, milliseconds(0)}, sleeper),
              WriteOutcome::Written);
    EXPECT_EQ(folderNames(dir.path()), std::set<std::string>{"CAFROMTO.MYC"});
    EXPECT_EQ(TempFolder::read(file), "new\r\n");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A file its owner may not write was made read-only on purpose; the atomic rename would
// replace it all the same (it needs only the folder's permission), even for root.
TEST(LineFileWriter, FileItsOwnerMayNotWriteIsNeverReplaced) {
    TempFolder dir;
    RecordingSleeper sleeper;
    const fs::path file = dir.write("Ca202611.myc", "old\r\n");
    const fs::perms readOnly =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(file, readOnly);
    EXPECT_EQ(writeLinesRetrying(file, {"new"}, {3, milliseconds(300)}, sleeper),
              WriteOutcome::Failed);
    EXPECT_EQ(sleeper.pauses(), Pauses(3, milliseconds(300)));
    EXPECT_EQ(TempFolder::read(file), "old\r\n");
    EXPECT_EQ(fs::status(file).permissions(), readOnly);
    EXPECT_EQ(folderNames(dir.path()), std::set<std::string>{"Ca202611.myc"});

    // The same through a link: the file written is the one the link names.
    fs::create_symlink(file, dir / "link.myc");
    EXPECT_FALSE(writeFileAtomically(dir / "link.myc", "new", {1, milliseconds(0)}, sleeper));
    EXPECT_EQ(TempFolder::read(file), "old\r\n");
    EXPECT_TRUE(fs::is_symlink(dir / "link.myc"));

    // Writable by its owner only is writable.
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(writeFileAtomically(file, "new", {1, milliseconds(0)}, sleeper));
    EXPECT_EQ(TempFolder::read(file), "new");
}

// A link whose file is missing (a settings file kept elsewhere, not yet written there)
// is written through: the file appears where the link points and the link stays.
TEST(LineFileWriter, DanglingLinkIsWrittenThrough) {
    TempFolder dir;
    RecordingSleeper sleeper;
    fs::create_directory(dir / "elsewhere");
    fs::create_symlink(dir / "elsewhere" / "Torka.ini", dir / "Torka.ini");
    EXPECT_TRUE(
        writeFileAtomically(dir / "Torka.ini", "[Settei]\r\n", {1, milliseconds(0)}, sleeper));
    EXPECT_TRUE(fs::is_symlink(dir / "Torka.ini"));
    EXPECT_EQ(TempFolder::read(dir / "elsewhere" / "Torka.ini"), "[Settei]\r\n");
    EXPECT_EQ(folderNames(dir / "elsewhere"), std::set<std::string>{"Torka.ini"});

    // A relative link, through a second link: the target is found from the link's folder.
    fs::create_directories(dir / "data" / "kept");
    fs::create_symlink("kept/Ca202611.myc", dir / "data" / "step.myc");
    fs::create_symlink("data/step.myc", dir / "Ca202611.myc");
    EXPECT_EQ(writeLinesRetrying(dir / "Ca202611.myc", {"a"}, {1, milliseconds(0)}, sleeper),
              WriteOutcome::Written);
    EXPECT_TRUE(fs::is_symlink(dir / "Ca202611.myc"));
    EXPECT_TRUE(fs::is_symlink(dir / "data" / "step.myc"));
    EXPECT_EQ(TempFolder::read(dir / "data" / "kept" / "Ca202611.myc"), "a\r\n");

    // A link into a folder that does not exist cannot be written, and stays.
    fs::create_symlink(dir / "gone" / "x.myc", dir / "x.myc");
    EXPECT_FALSE(writeFileAtomically(dir / "x.myc", "x", {2, milliseconds(10)}, sleeper));
    EXPECT_TRUE(fs::is_symlink(dir / "x.myc"));

    // A loop of links is refused rather than replaced by a file.
    fs::create_symlink(dir / "loop2.myc", dir / "loop1.myc");
    fs::create_symlink(dir / "loop1.myc", dir / "loop2.myc");
    EXPECT_FALSE(writeFileAtomically(dir / "loop1.myc", "x", {1, milliseconds(0)}, sleeper));
    EXPECT_TRUE(fs::is_symlink(dir / "loop1.myc"));
}

TEST(LineFileWriter, SymbolicLinkStaysALink) {
    TempFolder dir;
    RecordingSleeper sleeper;
    const fs::path real = dir.write("real/a.myc", "old\r\n");
    fs::create_symlink(real, dir / "link.myc");
    EXPECT_TRUE(writeFileAtomically(dir / "link.myc", "new\r\n", {1, milliseconds(0)}, sleeper));
    EXPECT_TRUE(fs::is_symlink(dir / "link.myc"));
    EXPECT_EQ(TempFolder::read(real), "new\r\n");
}

// Bytes as a file may hold them after years of use on Windows, corrupt ones included.
std::string randomBytes(std::mt19937& random, std::size_t size,
                        const std::function<bool(unsigned char)>& allowed) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes;
    while (bytes.size() < size) {
        const auto b = static_cast<unsigned char>(byte(random));
        if (allowed(b))
            bytes.push_back(static_cast<char>(b));
    }
    return bytes;
}

TEST(LineFileRoundTrip, AnyBytesReadWithoutLossOfLines) {
    TempFolder dir;
    for (unsigned seed = 1; seed <= 5; ++seed) {
        std::mt19937 random(seed);
        const std::string bytes = randomBytes(random, 50000, [](unsigned char) { return true; });
        const LineList lines = readBack(dir.write("random.myc", bytes));

        // An independent count: every CR LF, lone CR and lone LF before the first 0x1A
        // ends a line, and a last unterminated piece is one more.
        const std::string text = bytes.substr(0, bytes.find('\x1A'));
        std::size_t expected = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n' ||
                (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
                ++expected;
            }
        }
        if (!text.empty() && text.back() != '\r' && text.back() != '\n')
            ++expected;
        EXPECT_EQ(lines.size(), expected);

        // Written and read again, the lines are the same.
        RecordingSleeper sleeper;
        ASSERT_EQ(writeLinesRetrying(dir / "copy.myc", lines, {1, milliseconds(0)}, sleeper),
                  WriteOutcome::Written);
        EXPECT_EQ(readBack(dir / "copy.myc"), lines);
    }
}

// Exactly reproducible: CR LF terminators only, no 0x1A, a last line that is
// terminated, and no lead byte of the rows where Windows maps two codes to one
// character (0x87, 0xED, 0xEE, 0xFA; those come back as their preferred twin).
TEST(LineFileRoundTrip, CrLfFilesComeBackByteForByte) {
    TempFolder dir;
    auto allowed = [](unsigned char b) {
        return b != '\r' && b != '\n' && b != 0x1A && b != 0x87 && b != 0xED && b != 0xEE &&
               b != 0xFA;
    };
    for (unsigned seed = 1; seed <= 5; ++seed) {
        std::mt19937 random(seed);
        std::uniform_int_distribution<std::size_t> length(0, 120);
        std::string bytes;
        while (bytes.size() < 50000)
            bytes += randomBytes(random, length(random), allowed) + "\r\n";
        const fs::path file = dir.write("random.myc", bytes);

        RecordingSleeper sleeper;
        ScriptedUserInterface ui;
        LineList lines;
        ASSERT_TRUE(readLineFile(file, lines, ui, sleeper));
        ASSERT_EQ(writeLinesRetrying(file, lines, {1, milliseconds(0)}, sleeper),
                  WriteOutcome::Written);
        EXPECT_EQ(TempFolder::read(file), bytes) << "seed " << seed;
    }
}

}  // namespace
}  // namespace velmo
