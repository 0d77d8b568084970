#include "store/search_listing.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <string_view>
#include <system_error>

#include "calendar/japanese_date_text.h"
#include "calendar/julius_day.h"
#include "store/entry_line.h"
#include "store/file_helpers.h"
#include "store/line_file.h"
#include "store/period_file.h"
#include "store/profile_file.h"
#include "store/start_end_log.h"
#include "store/text_helpers.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace velmo {
namespace {

constexpr Retry kListingWriteRetry{10, 300ms};

constexpr int kLastDay = 31;
constexpr std::size_t kTextField = 3;
// Further entries of a day line up under the first entry's text.
constexpr std::string_view kFollowingIndent = "                   ";
constexpr std::string_view kMemoIndent = "  ";

// Characters from..from+count of a name as a number, -1 when they are not one.
int nameNumber(const std::string& name, std::size_t from, std::size_t count) {
    if (from > name.size())
        return -1;
    return parseDelphiInteger(std::string_view(name).substr(from, count)).value_or(-1);
}

// Below 10 one leading space, so days and months line up; anything else as it is.
std::string padded(int number) {
    const std::string digits = std::to_string(number);
    return number >= 0 && number < 10 ? " " + digits : digits;
}

std::string weekdayText(int year, int month, int day) {
    try {
        if (isValidYmd(year, month, day))
            return youbiShortName(weekdayOf(ymdToJuliusDay(year, month, day)));
    } catch (const EJuliusError&) {
        // The days October 1582 lacks: no weekday either.
    }
    return "？";
}

// Field 3 of an entry line; nothing when the line has fewer than four fields. Found in
// place, since splitting 200 lines of each of hundreds of files costs more than the rest.
std::optional<std::string_view> textField(std::string_view line) {
    std::size_t start = 0;
    for (std::size_t field = 0; field < kTextField; ++field) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos)
            return std::nullopt;
        start = comma + 1;
    }
    return line.substr(start, line.find(',', start) - start);
}

// The texts of one month file by day, index 0 holding the month memo; they point into the
// file's lines. Kept from file to file so its vectors are allocated only once.
using MonthTexts = std::array<std::vector<std::string_view>, kLastDay + 1>;

void collectTexts(const LineList& lines, MonthTexts& texts) {
    for (std::vector<std::string_view>& day : texts)
        day.clear();
    for (const std::string& line : lines) {
        const std::optional<int> day = entryDay(line);
        if (!day || (*day != kMonthMemoDay && (*day < 1 || *day > kLastDay)))
            continue;
        if (const std::optional<std::string_view> text = textField(line))
            texts[*day == kMonthMemoDay ? 0 : static_cast<std::size_t>(*day)].push_back(*text);
    }
}

void appendMonth(const std::string& fileName, const MonthTexts& texts,
                 std::vector<std::string>& out) {
    const int year = nameNumber(fileName, 2, 4);
    const int month = nameNumber(fileName, 6, 2);
    const std::string yearMonth = padded(year) + "年" + padded(month) + "月";
    if (!texts[0].empty()) {
        out.emplace_back();
        out.push_back("[ " + yearMonth + " ]");
        for (const std::string_view text : texts[0])
            out.push_back(std::string(kMemoIndent).append(text));
    }
    for (int day = kLastDay; day >= 1; --day) {
        const std::vector<std::string_view>& entries = texts[static_cast<std::size_t>(day)];
        if (entries.empty())
            continue;
        out.emplace_back();
        out.push_back(yearMonth + padded(day) + "日(" + weekdayText(year, month, day) + ") ");
        out.back().append(entries.front());
        for (auto it = entries.begin() + 1; it != entries.end(); ++it)
            out.push_back(std::string(kFollowingIndent).append(*it));
    }
}

}  // namespace

fs::path searchListingPath(const fs::path& dataFolder) {
    return resolveCaseInsensitive(dataFolder / kSearchListingFileName);
}

SearchSources searchSources(const fs::path& dataFolder) {
    SearchSources sources;
    for (fs::path& entry : matchingEntries(dataFolder / "*.myc")) {
        std::error_code ec;
        if (fs::is_regular_file(entry, ec))
            sources.files.push_back(std::move(entry));
    }
    std::sort(sources.files.begin(), sources.files.end(), [](const fs::path& a, const fs::path& b) {
        return a.filename().string() > b.filename().string();
    });
    return sources;
}

std::vector<std::string> buildSearchListing(const fs::path& dataFolder, UserInterface& ui,
                                            Sleeper& sleeper, const ListingProgress& progress) {
    const SearchSources sources = searchSources(dataFolder);
    std::vector<std::string> listing;
    LineList lines;
    MonthTexts texts;
    int done = 0;
    for (const fs::path& file : sources.files) {
        const std::string name = file.filename().string();
        if (!matchesMask(name, kPeriodFileName) && readLineFile(file, lines, ui, sleeper)) {
            collectTexts(lines, texts);
            appendMonth(name, texts, listing);
        }
        if (progress)
            progress(++done, sources.total());
    }
    return listing;
}

bool writeSearchListing(const fs::path& file, const std::vector<std::string>& lines,
                        UserInterface& ui, Sleeper& sleeper) {
    switch (writeLinesRetrying(file, lines, kListingWriteRetry, sleeper)) {
        case WriteOutcome::Written:
            return true;
        case WriteOutcome::Unencodable:
            for (const std::string& line : lines) {
                if (const std::optional<std::string> message = unencodableTextMessage(line)) {
                    ui.message(*message);
                    break;
                }
            }
            return false;
        case WriteOutcome::Failed:
            break;
    }
    ui.message(writeFailedText(file));
    return false;
}

std::optional<std::vector<std::string>> loadSearchListing(const fs::path& file, UserInterface& ui,
                                                          Sleeper& sleeper) {
    LineList lines;
    if (!readLineFile(file, lines, ui, sleeper))
        return std::nullopt;
    return lines;
}

std::optional<int> listingAgeDays(const fs::path& file, const Clock& clock) {
    const std::optional<LocalDateTime> written = fileDate(file);
    if (!written)
        return std::nullopt;
    return dateTimeToJuliusDay(clock.today()) - dateTimeToJuliusDay(*written);
}

ListingOpening openSearchListing(const fs::path& dataFolder, const Clock& clock, UserInterface& ui,
                                 Sleeper& sleeper, const ListingProgress& progress) {
    const fs::path file = searchListingPath(dataFolder);
    const std::optional<int> age = listingAgeDays(file, clock);
    bool rebuild = false;
    if (!age) {
        informMain(ui, "検索データが見あたりません。\r\n新しい検索データを作ります。");
        rebuild = true;
    } else if (*age > kSearchListingMaxAgeDays) {
        rebuild =
            ask(ui, "前回の検索より１ヶ月以上経過しています。\r\n検索データを作り直しますか？");
    }
    ListingOpening opening;
    if (rebuild) {
        opening.lines = buildSearchListing(dataFolder, ui, sleeper, progress);
        opening.modified = true;
        opening.rebuilt = true;
    } else if (std::optional<std::vector<std::string>> lines =
                   loadSearchListing(file, ui, sleeper)) {
        opening.lines = std::move(*lines);
    }
    return opening;
}

}  // namespace velmo
