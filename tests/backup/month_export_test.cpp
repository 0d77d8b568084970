// The export's checks and questions: nothing is written before the user chose the file,
// an existing file is replaced only after Yes, and every message is the page's own.

#include "backup/month_export.h"

#include <gtest/gtest.h>

#include "store/cp932.h"
#include "store/export_settings.h"
#include "store/month_file.h"
#include "store/settings.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using testing::FakeClock;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::TempFolder;

class MonthExportTest : public ::testing::Test {
protected:
    MonthExportTest() {
        std::filesystem::create_directories(temp / "data");
        std::filesystem::create_directories(temp / "out");
    }

    void writeMonth(const std::string& utf8Lines) {
        temp.write("data/" + monthFileName(2026, 12), cp932::encode(utf8Lines));
    }

    MonthExportResult run(ExportFormat format, const std::string& folderBox,
                          std::optional<std::filesystem::path> chosen) {
        const MonthExportContext context{ui,
                                         sleeper,
                                         clock,
                                         temp.path().string() + "/",
                                         (temp / "data").string() + "/",
                                         [this] { ++saves; },
                                         [this, chosen](const ExportFileChoice& choice) {
                                             offered = choice;
                                             return chosen;
                                         },
                                         [] {
                                             // Only the first days matter to these cases.
                                             std::vector<ExportDay> days(2);
                                             for (int d = 1; d <= 2; ++d)
                                                 days[d - 1] = {2026,  12, d,  d + 2, true,
                                                                false, {}, {}, {}};
                                             return days;
                                         },
                                         "@d.c.velmo"};
        return exportMonth(2026, 12, format, folderBox, context);
    }

    TempFolder temp;
    ScriptedUserInterface ui;
    FakeClock clock;
    RecordingSleeper sleeper;
    int saves = 0;
    std::optional<ExportFileChoice> offered;
};

TEST_F(MonthExportTest, TheDialogProposesTeAndTheMonthExceptForHtml) {
    EXPECT_EQ(exportFileChoice(ExportFormat::Text, 2013, 5, "/x/").proposedName, "Te201305.txt");
    EXPECT_EQ(exportFileChoice(ExportFormat::Csv, 2013, 5, "/x/").proposedName, "Te201305.csv");
    EXPECT_EQ(exportFileChoice(ExportFormat::ICalendar, 2013, 5, "/x/").proposedName,
              "Te201305.ics");
    const ExportFileChoice html = exportFileChoice(ExportFormat::Html, 2013, 5, "/x/");
    EXPECT_EQ(html.proposedName, "201305.html");
    EXPECT_EQ(html.filterIndex, 3);
    EXPECT_EQ(html.defaultSuffix, "html");
}

TEST_F(MonthExportTest, FolderAndDataChecksStopBeforeTheDialog) {
    run(ExportFormat::Text, (temp / "nowhere").string(), temp / "out/x.txt");
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"フォルダが存在しません。\r\n中止します。"}));
    EXPECT_EQ(ui.shown()[0].caption, "確認 -ベルモ-");
    ui.clearShown();

    run(ExportFormat::Text, "/", temp / "out/x.txt");
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"フォルダの設定が、不明です。\r\n中止します。"}));
    ui.clearShown();

    // A blank box means the start folder; the month was saved first, and its file is missing.
    const MonthExportResult result = run(ExportFormat::Text, "", temp / "out/x.txt");
    EXPECT_EQ(result.folder, temp.path().string() + "/");
    EXPECT_EQ(saves, 1);
    ASSERT_EQ(ui.texts().size(), 1u);
    EXPECT_TRUE(ui.texts()[0].starts_with("目的のデータ["));
    EXPECT_TRUE(ui.texts()[0].ends_with("Ca202612.myc]が存在しません。\r\n中止します。"));
    EXPECT_FALSE(offered.has_value());
}

TEST_F(MonthExportTest, CancellingTheDialogEndsSilently) {
    writeMonth("1,1,0,予定\r\n");
    const MonthExportResult result = run(ExportFormat::Csv, (temp / "out").string(), std::nullopt);
    EXPECT_FALSE(result.written);
    EXPECT_TRUE(ui.texts().empty());
    ASSERT_TRUE(offered.has_value());
    EXPECT_EQ(offered->folder, (temp / "out").string() + "/");
}

TEST_F(MonthExportTest, WritesCp932WithCrLfAndNamesTheFile) {
    writeMonth("1,1,0,予定，会議\r\n");
    const auto file = temp / "out/Te202612.txt";
    const MonthExportResult result = run(ExportFormat::Text, (temp / "out").string(), file);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"テキスト(" + file.string() + ")を書き出しました。"}));
    const std::string bytes = TempFolder::read(file);
    EXPECT_TRUE(bytes.starts_with(cp932::encode("2026. 12. 01(")));
    EXPECT_NE(bytes.find(cp932::encode("予定,会議") + "\r\n"), std::string::npos);
    EXPECT_EQ(result.folder, (temp / "out").string() + "/");
}

TEST_F(MonthExportTest, AnExistingFileIsReplacedOnlyAfterYes) {
    writeMonth("1,1,0,新しい\r\n");
    const auto file = temp.write("out/keep.ics", "old");
    ui.answer(false);
    EXPECT_FALSE(run(ExportFormat::ICalendar, (temp / "out").string(), file).written);
    EXPECT_EQ(ui.questions(),
              (std::vector<std::string>{"同名のファイルが存在します。\r\n上書きしますか？"}));
    EXPECT_EQ(ui.texts().back(), "中止します。");
    EXPECT_EQ(TempFolder::read(file), "old");

    ui.clearShown();
    ui.answer(true);
    EXPECT_TRUE(run(ExportFormat::ICalendar, (temp / "out").string(), file).written);
    EXPECT_NE(TempFolder::read(file).find("SUMMARY:新しい\r\n"), std::string::npos);
}

TEST_F(MonthExportTest, AStrayByteOfTheDataFileStaysReadableInCp932) {
    temp.write("data/" + monthFileName(2026, 12),
               "1,1,0,A\x80"
               "B\r\n");
    const auto file = temp / "out/a.csv";
    ASSERT_TRUE(run(ExportFormat::Csv, (temp / "out").string(), file).written);
    EXPECT_NE(TempFolder::read(file).find("A" + cp932::encode("〓") + "B"), std::string::npos);
}

TEST(ExportSettingsFile, DefaultsRoundTripAndTheDefaultButton) {
    TempFolder temp;
    RecordingSleeper sleeper;
    const auto ini = temp / "Torka.ini";
    const ExportSettings read = loadExportSettings(ini, "/start/", sleeper);
    EXPECT_EQ(read.folder, "/start/");
    EXPECT_EQ(read.format, ExportFormat::Text);
    EXPECT_EQ(read.titleForm, ExportTitleForm::YearMonth);
    EXPECT_EQ(read.titleText, "予定表");

    ExportSettings changed = read;
    changed.folder = "/exports/";
    changed.format = ExportFormat::ICalendar;
    changed.entries = false;
    changed.titleForm = ExportTitleForm::TitleOnly;
    changed.titleText = "営業部";
    ASSERT_TRUE(saveExportSettings(ini, changed, sleeper));
    EXPECT_EQ(loadExportSettings(ini, "/start/", sleeper), changed);
    const std::string text = cp932::decode(TempFolder::read(ini));
    EXPECT_NE(text.find("rbText=0"), std::string::npos);
    EXPECT_NE(text.find("rbiCal=1"), std::string::npos);
    EXPECT_NE(text.find("edtKakidashi=/exports/"), std::string::npos);

    const ExportSettings reset = withDefaultSpreadsheetOptions(changed);
    EXPECT_TRUE(reset.entries);
    EXPECT_EQ(reset.titleForm, ExportTitleForm::YearMonthAndTitle);
    EXPECT_EQ(reset.titleText, "予定表");
    EXPECT_EQ(reset.folder, "/exports/");
    EXPECT_EQ(reset.format, ExportFormat::ICalendar);
}

}  // namespace
}  // namespace velmo
