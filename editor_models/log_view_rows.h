#pragma once
// The rows the start/end log viewer shows: one row per run, in three columns measured
// in CP932 bytes so they line up in a fixed-pitch font — the date (22 bytes, left
// aligned), the start time (18, right aligned) and the end time (20, right aligned).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"
#include "store/line_file.h"

namespace velmo {

inline constexpr int kLogDateColumnBytes = 22;
inline constexpr int kLogStartColumnBytes = 18;
inline constexpr int kLogEndColumnBytes = 20;

// Shown in a time column for an entry whose date-time cannot be read when the user
// chose to go on.
inline constexpr const char* kUnreadableTimeText = "日時不明";

// One row: the date padded to its width, the two times right-aligned in theirs.
std::string logViewRow(std::string_view date, std::string_view start, std::string_view end);
// The heading row: "日付", "開始時刻", "終了時刻".
std::string logViewHeading();

// The rows for the log's lines: the heading, an empty row, then one row per run. An
// entry whose date-time cannot be read asks "中止しますか？"; Yes gives nothing (no
// view), No goes on. A run still open at the end is shown without its end, followed by
// an empty row and the heading again.
std::optional<std::vector<std::string>> buildLogViewRows(const LineList& log, UserInterface& ui);

// Reads the log (five tries 300 ms apart; a failure shows "[ " + path + " ]の読込に失敗
// しました。" and goes on with what was read) and builds its rows.
std::optional<std::vector<std::string>> readLogViewRows(const std::filesystem::path& logFile,
                                                        UserInterface& ui, Sleeper& sleeper);

}  // namespace velmo
