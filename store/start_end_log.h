#pragma once
// The start/end log "TorkaSte.myd" in the common data folder: a title line, then one
// "S:" line per start and one "E:" line per proper end, each with a date-time text.
// A run that dies without its end entry leaves an "S:" line last, which the next start
// reports. "T:" and "F:" lines (logging started / stopped) come from the Windows
// edition; the viewer understands them, this program never writes them.
//
// Date-time texts have the fixed form "yyyy/mm/dd H:mm:ss" (2024/09/10 18:05:00).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "core/user_interface.h"
#include "store/line_file.h"

namespace velmo {

inline constexpr const char* kStartEndLogFileName = "TorkaSte.myd";
inline constexpr const char* kStartEndLogTitle = "起動時刻ファイル<TorkaSte.myd>";
// Shown when the start entry could not be made sense of; start-up goes on.
inline constexpr const char* kStartTimeErrorText = "起動時刻取得エラー\r\n処理は続けます。";
inline constexpr const char* kAbnormalEndNote = "前回は不正終了しました。";

// "2024/09/10 18:05:00": short date "yyyy/mm/dd", a space, long time "H:mm:ss".
std::string dateTimeText(const LocalDateTime& dateTime);
// "18:05:00" / "9:00:00".
std::string longTimeText(const LocalDateTime& dateTime);

// Reads a date with an optional time: "y/m/d" (year 1-9999, one or two digits for
// month and day), then optionally spaces and "H:mm" or "H:mm:ss" (one or two digits
// each). Surrounding spaces are allowed. Nothing for any other text or an invalid date.
std::optional<LocalDateTime> parseDateTimeText(std::string_view text);

// The text from the given (0-based) character on, at most maxCharacters characters
// (UTF-8 aware, so a multi-byte character counts as one).
std::string characterPart(std::string_view text, std::size_t from,
                          std::size_t maxCharacters = std::string::npos);

// Appends one line to an existing file in place. A file whose last line lacks its
// terminator gets CR LF first (a lone CR is completed with LF), so the new line
// starts a line of its own; a file holding the end-of-file byte 0x1A is rewritten
// without it, since readers stop there. False, leaving the file untouched, when it
// does not exist or cannot be read or written.
bool appendLineToFile(const std::filesystem::path& file, std::string_view line);

// Steering keys from the settings (section Settei).
struct StartEndLogSettings {
    bool cbKidouKiroku = false;   // keep the log
    bool cbKirokuHyouji = false;  // tell at start-up how the previous run ended
    int udKidouGyou = 100;        // lines kept; below 1 counts as 1

    int linesKept() const { return udKidouGyou < 1 ? 1 : udKidouGyou; }
};

class StartEndLog {
public:
    enum class StartOutcome {
        Off,           // logging is off: nothing done
        Written,       // entry appended to the existing log
        WriteFailed,   // the log could not be written back (reported)
        Unreadable,    // the log was empty or unreadable: nothing written (reported)
        Created,       // the log was missing; the user let a new one be created
        CreateFailed,  // ... but writing it failed (reported)
        Declined,      // the log was missing and the user declined: no entries this run
    };

    StartEndLog(std::filesystem::path file, const Clock& clock, Sleeper& sleeper,
                UserInterface& ui);

    const std::filesystem::path& file() const { return file_; }
    bool exists() const;

    // Reload of all data (month initialisation, data-set switch, network mode on):
    // creates the log holding its title line when it is missing, whatever the settings.
    // Reports a failed write. True when the log exists afterwards.
    bool ensureExists();

    // Start-up: when logging is on, appends "S:" + now, keeps the last linesKept()
    // lines and, when cbKirokuHyouji is on, prepares the note about the previous run
    // (see takePreviousRunNote). Every problem is reported here, including
    // kStartTimeErrorText; start-up simply goes on.
    StartOutcome recordStart(const StartEndLogSettings& settings);

    // The note about the previous run, once: the first call after recordStart returns
    // it ("前回は 2024/09/10 18:05:00 に終了しました。" or kAbnormalEndNote), later
    // calls return nothing. Meant for the first activation of the main window.
    std::optional<std::string> takePreviousRunNote();

    // Exit: to be called after the full save. Appends the end entry only when logging
    // is on, the save succeeded (a failed save must read as an improper end at the next
    // start) and the user did not decline the log at this start. True when written.
    bool recordExit(const StartEndLogSettings& settings, bool fullSaveSucceeded);

    // Appends "E:" + now when the log exists (after a data restore, and at exit through
    // recordExit). Nothing happens, and false is returned, when it does not.
    bool appendEndEntry();

    // The options dialog switched logging on or off. On: a missing log is created
    // holding "S:" + now (an existing log gets no entry). Off: an existing log gets
    // "E:" + now. The caller enables or disables the menu item "起動時刻(&J)".
    void loggingSwitched(bool on);

private:
    StartOutcome appendStartEntry(const StartEndLogSettings& settings, const std::string& entry);
    void reportReadFailure();
    void reportWriteFailure();

    std::filesystem::path file_;
    const Clock& clock_;
    Sleeper& sleeper_;
    UserInterface& ui_;
    std::optional<std::string> note_;
    bool declinedThisRun_ = false;
};

// The common data folder's log file.
std::filesystem::path startEndLogPath(const std::filesystem::path& commonDataFolder);

// Tries and pauses of the log's reads and writes.
inline constexpr Retry kLogReadRetry{5, std::chrono::milliseconds(300)};
inline constexpr Retry kLogWriteRetry{5, std::chrono::milliseconds(500)};

// "[ " + path + " ]の読込に失敗しました。" and "...の書込に失敗しました。"
std::string readFailedText(const std::filesystem::path& file);
std::string writeFailedText(const std::filesystem::path& file);

}  // namespace velmo
