#include "editor_models/log_view_rows.h"

#include <cstdint>

#include "calendar/japanese_date_text.h"
#include "calendar/julius_day.h"
#include "store/start_end_log.h"
#include "store/text_helpers.h"

namespace velmo {

namespace {

constexpr const char* kStopQuestion = "中止しますか？";

struct PendingRow {
    std::string date;
    std::string start;
    // Set only by a "logging stopped" entry that found no open run; such a row is
    // complete and is added as it stands.
    std::optional<std::string> end;
};

// Walks the log once, keeping the run whose end has not been seen yet.
class RowBuilder {
public:
    RowBuilder() : rows_{logViewHeading(), ""} {}

    void start(std::string date, std::string startText) {
        closeComplete();
        if (pending_)
            close("不正終了");
        pending_ = PendingRow{std::move(date), std::move(startText), std::nullopt};
    }

    void loggingStarted(std::string date) {
        closeComplete();
        if (pending_)
            close("不明");
        pending_ = PendingRow{std::move(date), "記録開始", std::nullopt};
    }

    // The run's end; a run that began on an earlier date ends there with "-" and its
    // end is shown on a row of the end's own date.
    void end(std::string date, bool newDate, const std::string& dayText, std::string endText) {
        closeComplete();
        if (!pending_) {
            rows_.push_back(logViewRow(date, "", endText));
            return;
        }
        if (newDate) {
            close("-");
            pending_ = PendingRow{dayText, "-", std::nullopt};
        }
        close(endText);
    }

    void loggingStopped(std::string date) {
        closeComplete();
        if (pending_) {
            close("記録終了");
            return;
        }
        pending_ = PendingRow{std::move(date), "", "記録停止"};
    }

    std::vector<std::string> finish() {
        if (pending_) {
            close(pending_->end.value_or(""));
            rows_.push_back("");
            rows_.push_back(logViewHeading());
        }
        return std::move(rows_);
    }

private:
    void close(std::string_view endText) {
        rows_.push_back(logViewRow(pending_->date, pending_->start, endText));
        pending_.reset();
    }

    void closeComplete() {
        if (pending_ && pending_->end)
            close(*pending_->end);
    }

    std::vector<std::string> rows_;
    std::optional<PendingRow> pending_;
};

}  // namespace

std::string logViewRow(std::string_view date, std::string_view start, std::string_view end) {
    return padRight(date, kLogDateColumnBytes) + padLeft(start, kLogStartColumnBytes) +
           padLeft(end, kLogEndColumnBytes);
}

std::string logViewHeading() {
    return logViewRow("日付", "開始時刻", "終了時刻");
}

std::optional<std::vector<std::string>> buildLogViewRows(const LineList& log, UserInterface& ui) {
    RowBuilder builder;
    // The date of the last readable entry; none after an unreadable one.
    bool remembering = false;
    std::int32_t rememberedDate = 0;
    for (const std::string& line : log) {
        const std::string kind = characterPart(line, 0, 1);
        if (kind != "S" && kind != "E" && kind != "T" && kind != "F")
            continue;

        const std::optional<LocalDateTime> when = parseDateTimeText(characterPart(line, 2));
        bool newDate = false;
        std::string dayText;
        std::string timeText = kUnreadableTimeText;
        if (!when) {
            if (ui.question(kStopQuestion, kMainInformationCaption, DefaultButton::Yes))
                return std::nullopt;
            remembering = false;
        } else {
            const std::int32_t day = dateTimeToJuliusDay(*when);
            newDate = !remembering || rememberedDate != day;
            remembering = true;
            rememberedDate = day;
            dayText = warekiDateYoubiText(day);
            timeText = longTimeText(*when);
        }
        std::string dateColumn = newDate ? dayText : std::string();

        if (kind == "S")
            builder.start(std::move(dateColumn), timeText);
        else if (kind == "T")
            builder.loggingStarted(std::move(dateColumn));
        else if (kind == "E")
            builder.end(std::move(dateColumn), newDate, dayText, timeText);
        else
            builder.loggingStopped(std::move(dateColumn));
    }
    return builder.finish();
}

std::optional<std::vector<std::string>> readLogViewRows(const std::filesystem::path& logFile,
                                                        UserInterface& ui, Sleeper& sleeper) {
    LineList lines;
    if (!readLinesRetrying(logFile, lines, kLogReadRetry, sleeper))
        ui.message(readFailedText(logFile));
    return buildLogViewRows(lines, ui);
}

}  // namespace velmo
