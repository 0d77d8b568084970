#include "store/start_end_log.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <exception>

#include "calendar/julius_day.h"
#include "store/cp932.h"
#include "store/file_calls.h"
#include "store/file_helpers.h"
#include "store/regular_file.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {

constexpr const char* kCreateQuestion =
    "ベルモの「起動＆終了時刻」を書き込むファイルが存在しません。\r\n"
    "ファイルが消えてしまった可能性があります。\r\n新しく作成いたしますか？";
constexpr const char* kDeclinedText = "起動＆終了時刻の記録を今回は中止いたします。";
// The end entry's date-time is read from at most this many characters.
constexpr std::size_t kNoteTimeCharacters = 30;

// Reads one to maxDigits decimal digits at pos; pos moves past them.
std::optional<int> readNumber(std::string_view text, std::size_t& pos, std::size_t maxDigits) {
    std::size_t end = pos;
    while (end < text.size() && end - pos < maxDigits && text[end] >= '0' && text[end] <= '9')
        ++end;
    if (end == pos || (end < text.size() && text[end] >= '0' && text[end] <= '9'))
        return std::nullopt;
    int value = 0;
    std::from_chars(text.data() + pos, text.data() + end, value);
    pos = end;
    return value;
}

bool expect(std::string_view text, std::size_t& pos, char wanted) {
    if (pos >= text.size() || text[pos] != wanted)
        return false;
    ++pos;
    return true;
}

void skipSpaces(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
}

bool validDate(int year, int month, int day) {
    if (year < 1 || year > 9999)
        return false;
    try {
        return isValidYmd(year, month, day);
    } catch (const std::exception&) {
        return false;  // the days dropped in October 1582
    }
}

// A single try has nothing to wait for.
class NoPause final : public Sleeper {
public:
    void sleep(std::chrono::milliseconds) override {}
};

// What must come before a new line so that it starts a line of its own.
std::string_view terminatorFor(std::string_view bytes) {
    if (bytes.empty() || bytes.back() == '\n')
        return "";
    return bytes.back() == '\r' ? "\n" : "\r\n";
}

}  // namespace

std::string dateTimeText(const LocalDateTime& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %d:%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
}

std::string longTimeText(const LocalDateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

std::optional<LocalDateTime> parseDateTimeText(std::string_view text) {
    std::size_t pos = 0;
    skipSpaces(text, pos);
    LocalDateTime result;
    const auto year = readNumber(text, pos, 4);
    if (!year || !expect(text, pos, '/'))
        return std::nullopt;
    const auto month = readNumber(text, pos, 2);
    if (!month || !expect(text, pos, '/'))
        return std::nullopt;
    const auto day = readNumber(text, pos, 2);
    if (!day || !validDate(*year, *month, *day))
        return std::nullopt;
    result.year = *year;
    result.month = *month;
    result.day = *day;

    const std::size_t afterDate = pos;
    skipSpaces(text, pos);
    if (pos == text.size())
        return result;
    if (pos == afterDate)
        return std::nullopt;  // the time must be set off by a space
    const auto hour = readNumber(text, pos, 2);
    if (!hour || !expect(text, pos, ':'))
        return std::nullopt;
    const auto minute = readNumber(text, pos, 2);
    if (!minute)
        return std::nullopt;
    std::optional<int> second = 0;
    if (pos < text.size() && text[pos] == ':') {
        ++pos;
        second = readNumber(text, pos, 2);
        if (!second)
            return std::nullopt;
    }
    skipSpaces(text, pos);
    if (pos != text.size() || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    result.hour = *hour;
    result.minute = *minute;
    result.second = *second;
    return result;
}

std::string characterPart(std::string_view text, std::size_t from, std::size_t maxCharacters) {
    std::size_t pos = 0;
    for (std::size_t skipped = 0; skipped < from && pos < text.size(); ++skipped)
        cp932::nextCodePoint(text, pos);
    const std::size_t begin = pos;
    for (std::size_t taken = 0; taken < maxCharacters && pos < text.size(); ++taken)
        cp932::nextCodePoint(text, pos);
    return std::string(text.substr(begin, pos - begin));
}

bool appendLineToFile(const fs::path& file, std::string_view line) {
    const fs::path found = resolveCaseInsensitive(file);
    std::string encoded;
    try {
        encoded = cp932::encode(line);
    } catch (const cp932::EncodeError&) {
        return false;
    }

    const OpenedFile log = openRegularFile(found, FileAccess::ReadWrite);
    std::string bytes;
    if (log.outcome != OpenOutcome::Opened || !ownerMayWrite(log.status) ||
        !readAll(log.fd.get(), bytes)) {
        return false;
    }
    const FileDescriptor& fd = log.fd;

    if (const std::size_t eof = bytes.find('\x1A'); eof != std::string::npos) {
        // Anything after 0x1A is invisible to every reader; an entry put there would be too.
        bytes.resize(eof);
        bytes += terminatorFor(bytes);
        bytes += encoded;
        bytes += "\r\n";
        NoPause noPause;
        return writeFileAtomically(found, bytes, {1, std::chrono::milliseconds(0)}, noPause);
    }

    std::string tail(terminatorFor(bytes));
    tail += encoded;
    tail += "\r\n";
    const off_t size = static_cast<off_t>(bytes.size());
    if (::lseek(fd.get(), size, SEEK_SET) != size)
        return false;
    if (!writeAll(fd.get(), tail) || fileCalls().fsync(fd.get()) != 0) {
        // Never leave half an entry behind.
        [[maybe_unused]] const int restored = ::ftruncate(fd.get(), size);
        return false;
    }
    return true;
}

std::string readFailedText(const fs::path& file) {
    return "[ " + file.string() + " ]の読込に失敗しました。";
}

std::string writeFailedText(const fs::path& file) {
    return "[ " + file.string() + " ]の書込に失敗しました。";
}

fs::path startEndLogPath(const fs::path& commonDataFolder) {
    return commonDataFolder / kStartEndLogFileName;
}

StartEndLog::StartEndLog(fs::path file, const Clock& clock, Sleeper& sleeper, UserInterface& ui)
    : file_(std::move(file)), clock_(clock), sleeper_(sleeper), ui_(ui) {}

bool StartEndLog::exists() const {
    return existsPlainFile(file_);
}

bool StartEndLog::ensureExists() {
    if (exists())
        return true;
    if (writeLinesRetrying(file_, {kStartEndLogTitle}, kLogWriteRetry, sleeper_) ==
        WriteOutcome::Written) {
        return true;
    }
    reportWriteFailure();
    return false;
}

StartEndLog::StartOutcome StartEndLog::recordStart(const StartEndLogSettings& settings) {
    note_.reset();
    declinedThisRun_ = false;
    if (!settings.cbKidouKiroku)
        return StartOutcome::Off;
    try {
        const std::string entry = "S:" + dateTimeText(clock_.now());
        if (exists())
            return appendStartEntry(settings, entry);
        if (!ui_.question(kCreateQuestion, kMainInformationCaption, DefaultButton::Yes)) {
            declinedThisRun_ = true;
            informMain(ui_, kDeclinedText);
            return StartOutcome::Declined;
        }
        if (writeLinesRetrying(file_, {entry}, kLogWriteRetry, sleeper_) != WriteOutcome::Written) {
            reportWriteFailure();
            return StartOutcome::CreateFailed;
        }
        return StartOutcome::Created;
    } catch (const std::exception&) {
        ui_.message(kStartTimeErrorText);
        return StartOutcome::Unreadable;
    }
}

StartEndLog::StartOutcome StartEndLog::appendStartEntry(const StartEndLogSettings& settings,
                                                        const std::string& entry) {
    LineList lines;
    if (!readLinesRetrying(file_, lines, kLogReadRetry, sleeper_))
        reportReadFailure();
    if (lines.empty()) {
        // Nothing to go by, and an unreadable log must not be replaced by one line.
        ui_.message(kStartTimeErrorText);
        return StartOutcome::Unreadable;
    }
    const std::string previous = lines.back();

    lines.push_back(entry);
    const std::size_t kept = static_cast<std::size_t>(settings.linesKept());
    if (lines.size() > kept)
        lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(kept));
    StartOutcome outcome = StartOutcome::Written;
    if (writeLinesRetrying(file_, lines, kLogWriteRetry, sleeper_) != WriteOutcome::Written) {
        reportWriteFailure();
        outcome = StartOutcome::WriteFailed;
    }

    if (settings.cbKirokuHyouji) {
        if (characterPart(previous, 0, 1) == "E") {
            const std::optional<LocalDateTime> ended =
                parseDateTimeText(characterPart(previous, 2, kNoteTimeCharacters));
            if (!ended) {
                ui_.message(kStartTimeErrorText);
                return outcome;
            }
            note_ = "前回は " + dateTimeText(*ended) + " に終了しました。";
        } else {
            note_ = kAbnormalEndNote;
        }
    }
    return outcome;
}

std::optional<std::string> StartEndLog::takePreviousRunNote() {
    std::optional<std::string> note = std::move(note_);
    note_.reset();
    return note;
}

bool StartEndLog::recordExit(const StartEndLogSettings& settings, bool fullSaveSucceeded) {
    if (!settings.cbKidouKiroku || !fullSaveSucceeded || declinedThisRun_)
        return false;
    return appendEndEntry();
}

bool StartEndLog::appendEndEntry() {
    return appendLineToFile(file_, "E:" + dateTimeText(clock_.now()));
}

void StartEndLog::loggingSwitched(bool on) {
    if (!on) {
        appendEndEntry();
        return;
    }
    declinedThisRun_ = false;
    if (exists())
        return;
    if (writeLinesRetrying(file_, {"S:" + dateTimeText(clock_.now())}, kLogWriteRetry, sleeper_) !=
        WriteOutcome::Written) {
        reportWriteFailure();
    }
}

void StartEndLog::reportReadFailure() {
    ui_.message(readFailedText(file_));
}

void StartEndLog::reportWriteFailure() {
    ui_.message(writeFailedText(file_));
}

}  // namespace velmo
