// velmo-tool: the program's libraries from the command line, for scripts, checks and
// tests that need no window.

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "app/startup/launch_options.h"
#include "app/startup/seed.h"
#include "app/startup/start_folders.h"
#include "backup/holiday_csv.h"
#include "calendar/day_rules.h"
#include "calendar/julius_day.h"
#include "calendar/julius_error.h"
#include "calendar/lunisolar.h"
#include "cli/admin_commands.h"
#include "cli/backup_commands.h"
#include "cli/console_user_interface.h"
#include "cli/convert_command.h"
#include "cli/export_command.h"
#include "cli/render_command.h"
#include "cli/search_command.h"
#include "cli/shared_commands.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "platform/posix/system_info.h"
#include "store/data_folders.h"
#include "store/line_file.h"
#include "store/profile_file.h"
#include "store/rule_file.h"
#include "store/settings.h"

namespace {

using velmo::ConsoleUserInterface;

int usage(int code) {
    std::fputs(
        "Usage: velmo-tool [--start-folder DIR] COMMAND\n"
        "Commands:\n"
        "  --version        print the version\n"
        "  cat FILE         print a CP932 line file as UTF-8, one line per line\n"
        "  folders          print the start folder, the computer name and the folders\n"
        "                   derived from them\n"
        "  range FROM TO    one CSV line per day (dates as YYYY-MM-DD): date,julius_day,\n"
        "                   weekday,flags_hex,\"names\",name_kinds,lunar_month,lunar_day,\n"
        "                   rokuyo_name\n"
        "  render YYYYMM --out FILE.png [--today YYYY-MM-DD] [--rokuyo] [--size WxH]\n"
        "                   draw the month view of that month into a PNG file, as the\n"
        "                   main window shows it, from the start folder's settings and\n"
        "                   data; --today marks that day instead of the clock's, --rokuyo\n"
        "                   shows the rokuyo whatever the settings say, --size sets the\n"
        "                   picture size (default the month view's size)\n"
        "  export YYYYMM --format txt|csv|html|ics|xlsx --out FILE [--yes]\n"
        "                   write that month as the export page writes it: text, CSV or\n"
        "                   HTML in CP932, iCalendar in UTF-8, or the spreadsheet\n"
        "                   calendar, with the page's settings from the settings file;\n"
        "                   an existing FILE is replaced only with --yes. VELMO_TODAY=\n"
        "                   YYYY-MM-DD replaces the clock's date\n"
        "  holidays YEAR [--write]\n"
        "                   print the holiday list of YEAR (2001..2100) from the start\n"
        "                   folder's Hday.dat, one \"yyyy/mm/dd,names\" line per holiday;\n"
        "                   --write saves it as Data/Dekita/holidayYEAR.csv in the start\n"
        "                   folder instead\n"
        "  add-line YYYY-MM-DD TEXT [--colour NAME]\n"
        "                   append one schedule line to that day as the day editor's OK\n"
        "                   does; in network mode under the month's lock, saved at once\n"
        "                   and announced through the update counter. Exit status 3 when\n"
        "                   another computer holds the lock or maintenance is on (try\n"
        "                   again later), 1 on any other failure\n"
        "  locks            print the lock search of the shared folder and the update\n"
        "                   counter\n"
        "  unlock-all [--yes]\n"
        "                   remove every lock of the shared folder, the maintenance lock\n"
        "                   included; its questions are answered Yes only with --yes\n"
        "  net-create DIR --admin NAME --password PASS [--old-password OLD] [--force]\n"
        "                   make DIR a shared data folder (Data/Files1..3, torkanet.bini,\n"
        "                   velnet.myc) with this computer as its administrator computer;\n"
        "                   an existing torkanet.bini is replaced only with --force, an\n"
        "                   existing administrator only with its password (--old-password)\n"
        "  search TEXT      print every line of the data folder's search listing\n"
        "                   (kensaku.txt) that holds TEXT; a missing listing is built and\n"
        "                   saved first, an old one is used as it is. Exit status 1 when\n"
        "                   no line holds TEXT\n"
        "  backup [--generations N]\n"
        "                   copy the common data folder now as the automatic backup does\n"
        "                   (N generations, default 3, NN_AutoVelData in the safeguard\n"
        "                   folder) unless today's copy exists; writes its date marker and\n"
        "                   BackupDay. VELMO_TODAY=YYYY-MM-DD replaces the clock's date.\n"
        "                   Exit status 1 when the copy failed\n"
        "  backups          list the generations of the automatic backup, newest first,\n"
        "                   each with the date of its marker\n"
        "  convert-folder DIR [--data FOLDER] [--no-backup]\n"
        "                   turn an older installation DIR (data format 1, its data in\n"
        "                   FOLDER when separate) into data format 2 as a setup over it\n"
        "                   does: generation backups first, the old folders kept as\n"
        "                   Old_Torka/OD_Torka, everything put back when a step fails\n"
        "  rights           print this computer's rights level for the shared folder set\n"
        "                   in the settings: 0, \"6 管理者権限\" or \"7 管理コンピュータ\"\n"
        "  jd Y M D         print the Julius day number of a date and its weekday number\n"
        "                   (1 = Sunday .. 7 = Saturday), e.g. \"jd 2000 1 1\" prints\n"
        "                   \"2451545 7\"; a day past the month's end counts on into the\n"
        "                   next month, as the calendar does\n"
        "  ymd N            print the date of Julius day number N as \"Y M D\" without\n"
        "                   padding, e.g. \"ymd 2451545\" prints \"2000 1 1\"\n"
        "Dates up to 1582-10-04 are Julian, from 1582-10-15 Gregorian; years run from\n"
        "-999999 to 999999. A date the calendar refuses prints its message on stderr\n"
        "and exits with 1.\n",
        code == 0 ? stdout : stderr);
    return code;
}

int catFile(const std::string& file) {
    ConsoleUserInterface ui;
    velmo::ThreadSleeper sleeper;
    velmo::LineList lines;
    if (!velmo::readLineFile(file, lines, ui, sleeper))
        return 1;
    for (const std::string& line : lines) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    return std::ferror(stdout) ? 1 : 0;
}

velmo::StartLocation startLocation(const velmo::LaunchOptions& options) {
    return velmo::resolveStartLocation(options.startFolder,
                                       velmo::platform::environmentValue("VELMO_HOME"),
                                       velmo::platform::dataHomeFolder().string());
}

// The start folder, seeded as the program seeds it when it is new, so a command run
// before the program's first start leaves the folder the program expects.
std::optional<std::string> seededStartFolder(const velmo::LaunchOptions& options) {
    const std::string folder = startLocation(options).folder;
    velmo::ThreadSleeper sleeper;
    if (velmo::seedStartFolder(folder, sleeper) == velmo::SeedOutcome::Failed) {
        std::fprintf(stderr, "velmo-tool: the start folder %s cannot be created\n", folder.c_str());
        return std::nullopt;
    }
    return folder;
}

// The folder of Sday.myc as the program decides it from the settings and the disk.
std::string commonDataFolder(const std::string& startFolder) {
    velmo::ThreadSleeper sleeper;
    velmo::SystemClock clock;
    const velmo::ProfileFile file =
        velmo::ProfileFile::load(startFolder + "Torka.ini", velmo::kSettingsRetry, sleeper);
    const velmo::TorkaSettings settings =
        velmo::readSettings(file, velmo::SettingsEnvironment{clock});
    return velmo::decideDataFolders(settings.data.edFolder, startFolder, settings.yDataForm,
                                    velmo::folderExistsOnDisk)
        .commonFolder;
}

// The start folder's holiday rules and the common data folder's special days.
void loadRules(velmo::DayRules& rules, const std::string& start, velmo::UserInterface& ui,
               velmo::Sleeper& sleeper) {
    velmo::loadHolidayRules(rules, start + velmo::kHolidayFileName, ui, sleeper);
    velmo::loadSpecialDayRules(rules, commonDataFolder(start) + velmo::kSpecialDayFileName, ui,
                               sleeper);
}

std::optional<int> parseIsoDate(const std::string& text) {
    int year = 0;
    int month = 0;
    int day = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d%c", &year, &month, &day, &tail) != 3)
        return std::nullopt;
    try {
        if (!velmo::isValidYmd(year, month, day))
            return std::nullopt;
        return velmo::ymdToJuliusDay(year, month, day);
    } catch (const velmo::EJuliusError&) {
        return std::nullopt;  // the days dropped in October 1582
    }
}

std::string csvQuoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

// One CSV line a day: date, day number, weekday, flags, names and their kinds, the
// lunisolar month and day, and the rokuyo.
int printRange(const velmo::LaunchOptions& options, const std::string& fromText,
               const std::string& toText) {
    ConsoleUserInterface ui;
    velmo::ThreadSleeper sleeper;
    const std::optional<int> from = parseIsoDate(fromText);
    const std::optional<int> to = parseIsoDate(toText);
    for (const auto& [date, text] : {std::pair{from, &fromText}, std::pair{to, &toText}}) {
        if (!date) {
            std::fprintf(stderr, "range: %s is not a valid date (YYYY-MM-DD)\n", text->c_str());
            return 2;
        }
    }
    if (*from > *to) {
        std::fprintf(stderr, "range: FROM %s is after TO %s\n", fromText.c_str(), toText.c_str());
        return 2;
    }
    const std::optional<std::string> start = seededStartFolder(options);
    if (!start)
        return 1;
    velmo::DayRules rules;
    loadRules(rules, *start, ui, sleeper);
    for (int n = *from; n <= *to; ++n) {
        const velmo::Ymd date = velmo::juliusDayToYmd(n);
        const velmo::DayNameList names = rules.dayNames(date.year, date.month, date.day);
        const velmo::OldDate old = velmo::oldCalendarOf(n);
        std::printf("%04d-%02d-%02d,%d,%d,0x%02x,%s,%s,%d,%d,%s\n", date.year, date.month, date.day,
                    n, velmo::weekdayOf(n), rules.dayFlags(date.year, date.month, date.day),
                    csvQuoted(names.names).c_str(), names.kinds.c_str(), old.month, old.day,
                    std::string(velmo::rokuyoName(velmo::rokuyoOf(n))).c_str());
    }
    return std::ferror(stdout) ? 1 : 0;
}

int holidays(const velmo::LaunchOptions& options, const std::string& yearText, bool write) {
    ConsoleUserInterface ui;
    velmo::ThreadSleeper sleeper;
    const std::optional<std::string> start = seededStartFolder(options);
    if (!start)
        return 1;
    velmo::DayRules rules;
    loadRules(rules, *start, ui, sleeper);
    if (write)
        return velmo::writeHolidayCsv(yearText, rules, *start, ui, sleeper) ? 0 : 1;
    const velmo::HolidayCsvYear year = velmo::checkHolidayCsvYear(yearText);
    if (!year.year) {
        velmo::informMain(ui, year.refusal);
        return 1;
    }
    for (const std::string& line : velmo::holidayCsvLines(rules, *year.year))
        std::printf("%s\n", line.c_str());
    return std::ferror(stdout) ? 1 : 0;
}

int printFolders(const velmo::LaunchOptions& options) {
    const velmo::StartLocation start = startLocation(options);
    const velmo::MachineFacts facts =
        velmo::readMachineFacts(start, velmo::readStartMarkers(start.folder));
    std::printf("start folder: %s\n", start.folder.c_str());
    std::printf("start drive kind: %s\n", facts.startDriveKind.c_str());
    std::printf("computer name: %s\n", facts.computerName.c_str());
    std::printf("user name: %s\n", velmo::platform::userName().c_str());
    std::printf("settings file: %sTorka.ini\n", start.folder.c_str());
    return 0;
}

// A whole argument as a decimal integer; nullopt when it is not one.
std::optional<std::int64_t> parseInteger(const std::string& text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || rest != end)
        return std::nullopt;
    return value;
}

bool fitsInt(std::int64_t value) {
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

int printJuliusDay(const std::string& yearText, const std::string& monthText,
                   const std::string& dayText) {
    const auto year = parseInteger(yearText);
    const auto month = parseInteger(monthText);
    const auto day = parseInteger(dayText);
    if (!year || !month || !day)
        return usage(2);
    try {
        if (!fitsInt(*year) || !fitsInt(*month) || !fitsInt(*day))
            throw velmo::EJuliusError::dateOutOfRange(*year, *month, *day);
        const std::int32_t n = velmo::ymdToJuliusDay(
            static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day));
        std::printf("%d %d\n", n, velmo::weekdayOf(n));
    } catch (const velmo::EJuliusError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

int printYmd(const std::string& numberText) {
    const auto number = parseInteger(numberText);
    if (!number)
        return usage(2);
    try {
        if (*number < velmo::kMinJuliusDay || *number > velmo::kMaxJuliusDay)
            throw velmo::EJuliusError::dayNumberOutOfRange(*number);
        const velmo::Ymd date = velmo::juliusDayToYmd(static_cast<std::int32_t>(*number));
        std::printf("%d %d %d\n", date.year, date.month, date.day);
    } catch (const velmo::EJuliusError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const velmo::LaunchOptions options = velmo::parseLaunchOptions(arguments);
    if (options.showVersion) {
        std::printf("velmo-tool %s\n", VELMO_VERSION);
        return 0;
    }
    if (options.showHelp)
        return usage(0);
    // The command is the first argument that is not the start-folder option.
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--start-folder") {
            ++i;
        } else if (!arguments[i].starts_with("--start-folder=")) {
            rest.push_back(arguments[i]);
        }
    }
    if (rest.empty())
        return usage(2);
    if (rest[0] == "cat" && rest.size() == 2)
        return catFile(rest[1]);
    if (rest[0] == "folders" && rest.size() == 1)
        return printFolders(options);
    if (rest[0] == "holidays" && (rest.size() == 2 || rest.size() == 3)) {
        const bool write = rest.size() == 3;
        if (write && rest[1] != "--write" && rest[2] != "--write")
            return usage(2);
        return holidays(options, rest[1] == "--write" ? rest[2] : rest[1], write);
    }
    if (rest[0] == "export") {
        const std::optional<std::string> start = seededStartFolder(options);
        if (!start)
            return 1;
        return velmo::runExportCommand(*start, {rest.begin() + 1, rest.end()});
    }
    if (rest[0] == "render" || rest[0] == "search") {
        const std::optional<std::string> start = seededStartFolder(options);
        if (!start)
            return 1;
        ConsoleUserInterface ui;
        const std::vector<std::string> commandArguments(rest.begin() + 1, rest.end());
        return rest[0] == "render" ? velmo::runRenderCommand(*start, commandArguments, ui)
                                   : velmo::runSearchCommand(*start, commandArguments, ui);
    }
    if (rest[0] == "add-line" || rest[0] == "locks" || rest[0] == "unlock-all") {
        const std::optional<std::string> start = seededStartFolder(options);
        if (!start)
            return 1;
        const bool yes = rest.size() == 2 && rest[1] == "--yes";
        ConsoleUserInterface ui(rest[0] == "unlock-all" && yes);
        if (rest[0] == "locks")
            return rest.size() == 1 ? velmo::runLocksCommand(*start, ui) : usage(2);
        if (rest[0] == "unlock-all")
            return rest.size() == 1 || yes ? velmo::runUnlockAllCommand(*start, ui) : usage(2);
        return velmo::runAddLineCommand(*start, {rest.begin() + 1, rest.end()}, ui);
    }
    if (rest[0] == "net-create" || rest[0] == "rights") {
        const std::optional<std::string> start = seededStartFolder(options);
        if (!start)
            return 1;
        if (rest[0] == "net-create")
            return velmo::runNetCreateCommand(*start, {rest.begin() + 1, rest.end()});
        ConsoleUserInterface ui;
        return rest.size() == 1 ? velmo::runRightsCommand(*start, ui) : usage(2);
    }
    if (rest[0] == "backup" || (rest[0] == "backups" && rest.size() == 1)) {
        const std::optional<std::string> start = seededStartFolder(options);
        if (!start)
            return 1;
        ConsoleUserInterface ui;
        return rest[0] == "backups"
                   ? velmo::runBackupsCommand(*start)
                   : velmo::runBackupCommand(*start, {rest.begin() + 1, rest.end()}, ui);
    }
    if (rest[0] == "convert-folder") {
        const std::optional<std::string> start = seededStartFolder(options);
        if (!start)
            return 1;
        ConsoleUserInterface ui;
        return velmo::runConvertFolderCommand(*start, {rest.begin() + 1, rest.end()}, ui);
    }
    if (rest[0] == "range" && rest.size() == 3)
        return printRange(options, rest[1], rest[2]);
    if (rest[0] == "jd" && rest.size() == 4)
        return printJuliusDay(rest[1], rest[2], rest[3]);
    if (rest[0] == "ymd" && rest.size() == 2)
        return printYmd(rest[1]);
    return usage(2);
}
