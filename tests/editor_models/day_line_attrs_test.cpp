#include "editor_models/day_line_attrs.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

constexpr Colour kW = kClWindowText;  // a line without a colour of its own
constexpr Colour kStandard = 0x484848;

DayLineAttrList listOf(std::vector<Colour> colours) {
    std::vector<DayLineRecord> records;
    for (Colour c : colours) {
        DayLineRecord record;
        record.attr.color = c;
        records.push_back(record);
    }
    return DayLineAttrList(std::move(records));
}

std::vector<Colour> coloursOf(const DayLineAttrList& list) {
    std::vector<Colour> colours;
    for (const DayLineRecord& record : list.records())
        colours.push_back(record.attr.color);
    return colours;
}

struct EditCase {
    const char* name;
    LineEdit edit;
    std::vector<Colour> after;  // starting from the lines 1, 2, 3, 4
};

TEST(DayLineAttrList, RecordsFollowTheirLinesThroughEveryKindOfEdit) {
    const EditCase cases[] = {
        {"enter at column 0 of row 1", {1, 0, 1, 0, 1}, {1, kW, 2, 3, 4}},
        {"enter inside row 1", {1, 3, 1, 3, 1}, {1, 2, kW, 3, 4}},
        {"backspace at column 0 of row 2, previous line has text", {1, 5, 2, 0, 0}, {1, 2, 4}},
        {"backspace at column 0 of row 2, previous line empty", {1, 0, 2, 0, 0}, {1, 3, 4}},
        {"delete at the end of row 1 with text", {1, 5, 2, 0, 0, true}, {1, 3, 4}},
        {"delete at column 0 of empty row 1", {1, 0, 2, 0, 0, true}, {1, 3, 4}},
        {"selection from column 0 of row 0 to column 0 of row 2", {0, 0, 2, 0, 0}, {3, 4}},
        {"selection from inside row 0 to inside row 2", {0, 2, 2, 1, 0}, {1, 4}},
        {"three lines pasted inside row 3", {3, 1, 3, 1, 3}, {1, 2, 3, 4, kW, kW, kW}},
        {"two lines pasted at column 0 of row 0", {0, 0, 0, 0, 2}, {kW, kW, 1, 2, 3, 4}},
        {"paste of one break over rows 0..2 from inside row 0", {0, 1, 2, 1, 1}, {1, kW, 4}},
        {"paste of two breaks over rows 1..2 from column 0", {1, 0, 2, 3, 2}, {1, kW, kW, 3, 4}},
        {"typing inside one line", {2, 1, 2, 4, 0}, {1, 2, 3, 4}},
    };
    for (const EditCase& c : cases) {
        DayLineAttrList list = listOf({1, 2, 3, 4});
        list.apply(c.edit);
        EXPECT_EQ(coloursOf(list), c.after) << c.name;
    }
}

TEST(DayLineAttrList, AListOutOfStepIsNeverReadPastItsEnd) {
    DayLineAttrList list = listOf({1, 2});
    list.apply({1, 3, 9, 0, 0});  // rows beyond the list
    EXPECT_EQ(coloursOf(list), (std::vector<Colour>{1, 2}));
    list.apply({7, 3, 7, 3, 2});
    EXPECT_EQ(coloursOf(list), (std::vector<Colour>{1, 2, kW, kW}));

    EXPECT_TRUE(list.fitTo(2));
    EXPECT_EQ(coloursOf(list), (std::vector<Colour>{1, 2}));
    EXPECT_TRUE(list.fitTo(3));
    EXPECT_EQ(coloursOf(list), (std::vector<Colour>{1, 2, kW}));
    EXPECT_FALSE(list.fitTo(3));
}

TEST(DayLineAttrList, ColourCommands) {
    // Without a selection the caret's row is coloured; the same colour again turns it
    // off to the standard colour, which is then a colour of its own.
    DayLineAttrList list = listOf({kW, 0x0000FF, kW});
    EXPECT_TRUE(list.colourRows(std::nullopt, 0, 0xFF0000, ColourSource::Fixed, kStandard));
    EXPECT_TRUE(list.colourRows(std::nullopt, 1, 0x0000FF, ColourSource::Fixed, kStandard));
    EXPECT_EQ(coloursOf(list), (std::vector<Colour>{0xFF0000, kStandard, kW}));
    // The dialog's colour is taken even when the row has it already.
    EXPECT_FALSE(list.colourRows(std::nullopt, 0, 0xFF0000, ColourSource::Dialog, kStandard));
    EXPECT_EQ(list.at(0)->attr.color, 0xFF0000u);
    EXPECT_FALSE(list.colourRows(std::nullopt, 5, 0xFF0000, ColourSource::Fixed, kStandard));

    // A selection ending at column 0 of a later row leaves that row alone.
    list = listOf({kW, kW, kW, kW});
    list.colourRows(LineSelection{0, 2, 3, 0}, 2, 0x808000, ColourSource::Fixed, kStandard);
    EXPECT_EQ(coloursOf(list), (std::vector<Colour>{0x808000, 0x808000, kW, kW}));
    list.colourRows(LineSelection{2, 3, 0, 1}, 3, 0x000080, ColourSource::Fixed, kStandard);
    EXPECT_EQ(coloursOf(list), (std::vector<Colour>{0x808000, 0x808000, 0x000080, 0x000080}));
    // Colouring keeps the carried values.
    DayLineRecord record;
    record.attr.aux3 = 70000;
    list = DayLineAttrList({record});
    list.colourRows(std::nullopt, 0, 0x0000FF, ColourSource::Fixed, kStandard);
    EXPECT_EQ(list.at(0)->attr.aux3, 70000);
}

TEST(DayLineAttrList, ColourMarks) {
    const DayLineAttrList list = listOf({0xFF00FF, kW, kStandard});
    EXPECT_EQ(list.colourMarks(std::nullopt, 0),
              (ColourMarks{false, false, true, false, false, false}));
    EXPECT_EQ(list.colourMarks(LineSelection{1, 1, 0, 3}, 1),
              (ColourMarks{false, false, false, false, false, true}));
    // The standard colour set as a colour of its own is not "標準色".
    EXPECT_EQ(list.colourMarks(std::nullopt, 2), ColourMarks{});
    EXPECT_EQ(list.colourMarks(LineSelection{0, 2, 0, 0}, 2), ColourMarks{});
    EXPECT_EQ(list.colourMarks(std::nullopt, 3), std::nullopt);
}

TEST(DayLineAttrList, AColourReplacesAColourFieldKeptAsRead) {
    DayLineRecord record;
    record.keptFrom = 4;
    record.keptFields = {"clNoSuch", "5", "x", "", ""};
    setRecordColour(record, 0x0000FF);
    EXPECT_EQ(record.keptFrom, 5);
    EXPECT_EQ(record.keptFields, (std::vector<std::string>{"5", "x", "", ""}));
    setRecordColour(record, 0xFF0000);  // only the colour field is ever replaced
    EXPECT_EQ(record.keptFrom, 5);
}

}  // namespace
}  // namespace velmo
