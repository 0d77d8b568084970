// The month as text, CSV and HTML: one line per day, the editor's tags and colours,
// and texts that can never turn into markup or break a quoted field.

#include "backup/month_text_export.h"

#include <gtest/gtest.h>

#include "backup/export_entry_format.h"

namespace velmo {
namespace {

ExportDay day(int d, int weekday, std::string holiday = {}, std::string special = {}) {
    ExportDay e;
    e.year = 2026;
    e.month = 12;
    e.day = d;
    e.weekday = weekday;
    e.inDisplayedMonth = true;
    e.holidayName = std::move(holiday);
    e.specialNames = std::move(special);
    e.hasNames = !e.holidayName.empty() || !e.specialNames.empty();
    return e;
}

// December 2026 starts on a Tuesday.
std::vector<ExportDay> december() {
    std::vector<ExportDay> days;
    for (int d = 1; d <= 31; ++d)
        days.push_back(day(d, (d + 1) % 7 + 1));
    return days;
}

TEST(ExportEntryFormat, EditorTagsAreTakenOutAndOnlyHtmlGetsItsOwnBack) {
    EXPECT_EQ(formatExportEntry("会議<B>重要</B>", std::nullopt, true), "<B>会議重要</B>");
    EXPECT_EQ(formatExportEntry("会議<B>重要</B>", std::nullopt, false), "会議重要");
    EXPECT_EQ(formatExportEntry("<b>a</b><s>b</S><h>c</H>", std::nullopt, true),
              "<S><B>abc</B></S>");
    EXPECT_EQ(formatExportEntry("<H>秘密</H>", std::nullopt, true), "秘密");
}

TEST(ExportEntryFormat, ColoursBecomeFontElementsOnlyForRealColourNames) {
    EXPECT_EQ(formatExportEntry("赤", "clRed", true), "<FONT COLOR=\"#ff0000\">赤</FONT>");
    EXPECT_EQ(formatExportEntry("青", " clBlue ", true), "<FONT COLOR=\"#0000ff\">青</FONT>");
    EXPECT_EQ(formatExportEntry("短", "12", true), "短");
    EXPECT_EQ(formatExportEntry("謎", "notacolour", true), "謎");
    EXPECT_EQ(htmlColourText(255), "#ff0000");
    EXPECT_EQ(htmlColourText(32768), "#008000");
    EXPECT_EQ(htmlColourText(16711680), "#0000ff");
    // A system colour is not resolved: its bytes are written as they are.
    EXPECT_EQ(htmlColourText(0x80000008), "#080000");
}

TEST(ExportEntryFormat, ProductNamesKeepNoFuchsiaAndNoTags) {
    EXPECT_EQ(formatExportEntry("ベルモ<B>更新</B>", "clFuchsia", true), "ベルモ更新");
    EXPECT_EQ(formatExportEntry("トルカ", "clRed", true), "<FONT COLOR=\"#ff0000\">トルカ</FONT>");
    EXPECT_EQ(formatExportEntry("他社", "clFuchsia", true), "<FONT COLOR=\"#ff00ff\">他社</FONT>");
}

TEST(ExportEntryFormat, UserTextIsEscapedBeforeTheProgramsTagsAreApplied) {
    EXPECT_EQ(formatExportEntry("<script>alert(\"x\")</script> & <B>太</B>", std::nullopt, true),
              "<B>&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; 太</B>");
}

TEST(MonthTextExport, EveryDayHasALineEvenWithoutEntries) {
    const LineList placeholderOnly{" 0,0,9,2026/12 [Data\\Files1\\]"};
    for (const ExportFormat format : {ExportFormat::Text, ExportFormat::Csv}) {
        const auto lines = monthTextExportLines(format, 2026, 12, december(), placeholderOnly);
        ASSERT_EQ(lines.size(), 31u);
    }
    const auto text =
        monthTextExportLines(ExportFormat::Text, 2026, 12, december(), placeholderOnly);
    EXPECT_EQ(text[0], "2026. 12. 01(火)  ");
    EXPECT_EQ(text[30], "2026. 12. 31(木)  ");
    const auto html =
        monthTextExportLines(ExportFormat::Html, 2026, 12, december(), placeholderOnly);
    EXPECT_EQ(html.size(), 31u + 7u + 3u);
}

TEST(MonthTextExport, NamesAndEntriesOfADayInEachFormat) {
    std::vector<ExportDay> days{day(23, 4, "天皇誕生日", "記念A，記念B")};
    const LineList lines{"23,1,0,会議，昼,clRed,0,,0,0", "23,2,0,<B>重要</B>,1,0,,0,0",
                         "24,1,0,翌日"};
    EXPECT_EQ(monthTextExportLines(ExportFormat::Text, 2026, 12, days, lines)[0],
              "2026. 12. 23(水)  [天皇誕生日 記念A,記念B]会議,昼, 重要");
    EXPECT_EQ(monthTextExportLines(ExportFormat::Csv, 2026, 12, days, lines)[0],
              "2026/12/23,\"(水)\",\"[天皇誕生日 記念A,記念B]会議,昼, 重要\"");
    EXPECT_EQ(monthTextExportLines(ExportFormat::Html, 2026, 12, days, lines)[7],
              "<FONT COLOR=\"#ff0000\">2026. 12. 23(水)</FONT>　[<FONT COLOR=\"#ff0000\">天皇誕生日"
              "</FONT> <FONT COLOR=\"#008000\">記念A,記念B</FONT>]<FONT COLOR=\"#ff0000\">会議,昼"
              "</FONT><B>重要</B><BR>");
}

TEST(MonthTextExport, CsvDoublesQuotesSoAFieldNeverEndsEarly) {
    const LineList lines{"5,1,0,彼は\"来る\"，たぶん"};
    EXPECT_EQ(monthTextExportLines(ExportFormat::Csv, 2026, 12, {day(5, 7)}, lines)[0],
              "2026/12/05,\"(土)\",\"彼は\"\"来る\"\",たぶん\"");
}

TEST(MonthTextExport, HtmlDatesAreRedOnSundaysAndHolidaysAndBlueOnSaturdays) {
    const LineList none;
    const std::vector<ExportDay> days{day(5, 7), day(6, 1), day(7, 2), day(19, 7, "祝日")};
    const auto html = monthTextExportLines(ExportFormat::Html, 2026, 12, days, none);
    EXPECT_EQ(html[7], "<FONT COLOR=\"#0000ff\">2026. 12. 05(土)</FONT>　<BR>");
    EXPECT_EQ(html[8], "<FONT COLOR=\"#ff0000\">2026. 12. 06(日)</FONT>　<BR>");
    EXPECT_EQ(html[9], "2026. 12. 07(月)　<BR>");
    EXPECT_TRUE(html[10].starts_with("<FONT COLOR=\"#ff0000\">2026. 12. 19(土)</FONT>"));
    EXPECT_EQ(html[0], "<HTML>");
    EXPECT_EQ(html[2],
              "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">");
    EXPECT_EQ(html[3], "<TITLE>2026年12月カレンダー</TITLE>");
    EXPECT_EQ(html.back(), "</HTML>");
}

TEST(MonthTextExport, HtmlTakesAColourOnlyFromAFullEntry) {
    // Five fields or fewer, or the colour "1" or empty: no FONT element.
    const LineList lines{"1,1,0,五つ,clRed", "1,2,0,一,1,0,,0,0", "1,3,0,空,,0,,0,0",
                         "1,4,0,緑,clGreen,0,,0,0"};
    EXPECT_EQ(exportDayEntries(lines, 1, true), "五つ一空<FONT COLOR=\"#008000\">緑</FONT>");
    EXPECT_EQ(exportDayEntries(lines, 1, false), "五つ, 一, 空, 緑");
}

}  // namespace
}  // namespace velmo
