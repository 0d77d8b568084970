#include "cli/shared_commands.h"

#include <cstdio>
#include <optional>

#include "app/navigation/day_edit.h"
#include "calendar/julius_day.h"
#include "cli/admin_commands.h"
#include "cli/command_session.h"
#include "cli/start_folder_settings.h"
#include "platform/posix/system_info.h"
#include "shared/folder_probe.h"
#include "shared/forced_unlock.h"
#include "shared/lock_search.h"
#include "shared/shared_folder_session.h"
#include "shared/update_counter.h"
#include "store/colour_text.h"
#include "store/data_folders.h"
#include "store/file_helpers.h"
#include "store/line_file.h"
#include "store/period_file.h"
#include "store/settings.h"
#include "store/text_helpers.h"

namespace velmo {

namespace {

struct AddLineRequest {
    Ymd date;
    std::string text;
    std::optional<Colour> colour;
};

std::optional<AddLineRequest> parseAddLine(const std::vector<std::string>& arguments) {
    AddLineRequest request;
    std::vector<std::string> plain;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--colour" && i + 1 < arguments.size()) {
            request.colour = textToColour(arguments[++i], kColourNone);
            if (*request.colour == kColourNone)
                return std::nullopt;
        } else {
            plain.push_back(arguments[i]);
        }
    }
    char tail = 0;
    if (plain.size() != 2 ||
        std::sscanf(plain[0].c_str(), "%d-%d-%d%c", &request.date.year, &request.date.month,
                    &request.date.day, &tail) != 3 ||
        !isValidYmd(request.date.year, request.date.month, request.date.day))
        return std::nullopt;
    request.text = plain[1];
    return request;
}

}  // namespace

int runAddLineCommand(const std::string& startFolder, const std::vector<std::string>& arguments,
                      UserInterface& ui) {
    const std::optional<AddLineRequest> request = parseAddLine(arguments);
    if (!request) {
        std::fputs("Usage: velmo-tool add-line YYYY-MM-DD TEXT [--colour NAME]\n", stderr);
        return 2;
    }
    if (const auto problem = unencodableTextMessage(request->text)) {
        ui.message(*problem);
        return 1;
    }
    ThreadSleeper sleeper;
    CommandSession session(startFolder, ui, sleeper);
    if (!session.start())
        return 1;
    SharedFolderSession& shared = session.shared();
    const DataLocation& data = session.data();
    const MonthFileContext files{data.folder(), data.label(), ui, sleeper, shared.mode()};
    MonthSlot slot;
    const Ymd& date = request->date;
    if (!loadSlot(slot, kFreeMonthSlot, date.year, date.month, true, files))
        return 1;
    const DayEditResult result =
        editDay({slot, kFreeMonthSlot, date.year, date.month, date.day, false},
                {files, shared.editLocks()}, [&](const DayEditorLines& lines) {
                    return std::optional(withAddedLine(lines, request->text, request->colour));
                });
    switch (result.outcome) {
        case DayEditOutcome::Stored:
            if (shared.mode().networkMode())
                return result.protocol == ProtocolOutcome::Done ? 0 : 1;
            return saveSlot(slot, SaveRequest::SaveAll, files) == SaveOutcome::Written ? 0 : 1;
        case DayEditOutcome::Refused:
            return worthRetrying(result.protocol) ? kRefusedExitStatus : 1;
        case DayEditOutcome::Cancelled:
        case DayEditOutcome::NotSaved:
            break;
    }
    return 1;
}

int runUnlockAllCommand(const std::string& startFolder, UserInterface& ui) {
    const std::optional<std::string> shared = configuredSharedFolder(startFolder, ui);
    if (!shared)
        return 1;
    const ForcedUnlockOutcome outcome =
        forceUnlockAll(*shared, startFolderRightsLevel(startFolder, *shared, ui), ui);
    return outcome == ForcedUnlockOutcome::Unlocked || outcome == ForcedUnlockOutcome::NothingLocked
               ? 0
               : 1;
}

int runLocksCommand(const std::string& startFolder, UserInterface& ui) {
    ThreadSleeper sleeper;
    const std::optional<std::string> shared = configuredSharedFolder(startFolder, ui);
    if (!shared)
        return 1;
    const std::string& sharedFolder = *shared;
    std::string text = lockSearchText(sharedFolder);
    for (char& c : text) {
        if (c == '\r')
            c = ' ';
    }
    std::printf("%s\n", text.c_str());
    // Reading the counter must not start it: a missing file is only reported.
    LineList lines;
    const std::filesystem::path counter = std::filesystem::path(sharedFolder) / kUpdateCounterName;
    if (!existsAny(counter)) {
        std::printf("update.myc: なし\n");
    } else if (readLineFile(counter, lines, ui, sleeper)) {
        std::printf("update.myc: %d\n", lines.empty() ? -1 : parseCounterLine(lines[0]));
    } else {
        return 1;
    }
    return std::ferror(stdout) ? 1 : 0;
}

}  // namespace velmo
