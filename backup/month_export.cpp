#include "backup/month_export.h"

#include <cstdio>

#include "backup/export_entry_format.h"
#include "backup/icalendar_export.h"
#include "backup/month_text_export.h"
#include "store/cp932.h"
#include "store/file_helpers.h"
#include "store/month_file.h"

namespace velmo {
namespace {

constexpr Retry kExportWriteRetry{5, std::chrono::milliseconds(500)};
constexpr const char* kFolderUnknown = "フォルダの設定が、不明です。\r\n中止します。";
constexpr const char* kFolderMissing = "フォルダが存在しません。\r\n中止します。";
constexpr const char* kOverwriteQuestion = "同名のファイルが存在します。\r\n上書きしますか？";
constexpr const char* kCancelled = "中止します。";
constexpr const char* kSubstitute = "〓";

const char* suffixOf(ExportFormat format) {
    switch (format) {
        case ExportFormat::Csv:
            return "csv";
        case ExportFormat::Html:
            return "html";
        case ExportFormat::ICalendar:
            return "ics";
        default:
            return "txt";
    }
}

// CP932 bytes of a line; a stray byte of the data file becomes the substitute mark, so
// every reader can decode the file. Every other text comes from CP932 files and fits.
std::string cp932Line(const std::string& line) {
    const std::string clean = withStrayBytesReplaced(line, kSubstitute);
    try {
        return cp932::encode(clean);
    } catch (const cp932::EncodeError&) {
        std::string out;
        for (std::size_t pos = 0; pos < clean.size();) {
            const std::size_t start = pos;
            cp932::nextCodePoint(clean, pos);
            const std::string_view one(clean.data() + start, pos - start);
            out += cp932::encode(cp932::firstUnencodable(one) ? kSubstitute : one);
        }
        return out;
    }
}

}  // namespace

ExportFileChoice exportFileChoice(ExportFormat format, int year, int month,
                                  const std::filesystem::path& folder) {
    ExportFileChoice choice;
    choice.folder = folder;
    choice.defaultSuffix = suffixOf(format);
    choice.filterIndex = static_cast<int>(format) + 1;
    char name[32];
    std::snprintf(name, sizeof name, "%.4d%.2d.%s", year, month, suffixOf(format));
    choice.proposedName = format == ExportFormat::Html ? name : std::string("Te") + name;
    return choice;
}

std::string monthExportBytes(ExportFormat format, int year, int month,
                             const std::vector<ExportDay>& days, const LineList& monthLines,
                             const LocalDateTime& now, const std::string& uidDomain) {
    if (format == ExportFormat::ICalendar)
        return iCalendarFileBytes(iCalendarLines(year, month, monthLines, now, uidDomain));
    std::string bytes;
    for (const std::string& line : monthTextExportLines(format, year, month, days, monthLines))
        bytes += cp932Line(line) + "\r\n";
    return bytes;
}

MonthExportResult exportMonth(int year, int month, ExportFormat format,
                              const std::string& folderBox, const MonthExportContext& context) {
    MonthExportResult result;
    result.folder = folderBox.empty() ? context.startFolder : folderBox;
    const std::string folder = withTrailingSeparator(result.folder);
    if (folder.size() <= 1) {
        informMain(context.ui, kFolderUnknown);
        return result;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        informMain(context.ui, kFolderMissing);
        return result;
    }

    if (context.saveAll)
        context.saveAll();
    const std::filesystem::path dataFile =
        resolveCaseInsensitive(monthFilePath(context.dataFolder, year, month));
    if (!std::filesystem::is_regular_file(dataFile, error)) {
        informMain(context.ui,
                   "目的のデータ[" + dataFile.string() + "]が存在しません。\r\n中止します。");
        return result;
    }

    const std::optional<std::filesystem::path> chosen =
        context.chooseFile(exportFileChoice(format, year, month, folder));
    if (!chosen)
        return result;
    result.folder = withTrailingSeparator(chosen->parent_path().string());

    LineList monthLines;
    if (!readLineFile(dataFile, monthLines, context.ui, context.sleeper))
        return result;
    const std::string bytes = monthExportBytes(
        format, year, month, context.days ? context.days() : std::vector<ExportDay>{}, monthLines,
        context.clock.now(), context.uidDomain);
    if (std::filesystem::exists(*chosen, error) &&
        !ask(context.ui, kOverwriteQuestion, DefaultButton::Yes, kMainInformationCaption)) {
        informMain(context.ui, kCancelled);
        return result;
    }
    if (!writeFileAtomically(*chosen, bytes, kExportWriteRetry, context.sleeper)) {
        context.ui.error("テキスト(" + chosen->string() + ")を書き出せませんでした。",
                         kMainInformationCaption);
        return result;
    }
    result.written = true;
    informMain(context.ui, "テキスト(" + chosen->string() + ")を書き出しました。");
    return result;
}

}  // namespace velmo
