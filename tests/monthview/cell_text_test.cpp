#include <gtest/gtest.h>

#include "monthview/cell_text.h"
#include "monthview/hide_tags.h"

namespace velmo {
namespace {

std::vector<std::string> shownLines(const std::vector<std::string>& day) {
    std::vector<std::string> shown;
    bool open = false;
    for (const std::string& line : day) {
        const HiddenText text = applyHideRule(line, open);
        if (text.visible)
            shown.push_back(text.shown);
    }
    return shown;
}

TEST(HideRule, BlockRunsAcrossTheLinesOfADay) {
    EXPECT_EQ(shownLines({"a<H>b", "c", "d</H>e", "f"}), (std::vector<std::string>{"a", "e", "f"}));
    EXPECT_EQ(shownLines({"a<h>b", "c", "d</h>e", "f"}), (std::vector<std::string>{"a", "e", "f"}));
    // An unclosed block hides the rest of the day.
    EXPECT_EQ(shownLines({"x", "<H>secret", "more"}), (std::vector<std::string>{"x"}));
}

TEST(HideRule, PairsInsideOneLine) {
    EXPECT_EQ(shownLines({"x<H>y</H>z"}), (std::vector<std::string>{"xz"}));
    EXPECT_EQ(shownLines({"a<H>1</h>b<h>2</H>c"}), (std::vector<std::string>{"abc"}));
    EXPECT_EQ(shownLines({"<H>all</H>"}), (std::vector<std::string>{}));
    // A closing tag outside a block is plain text.
    EXPECT_EQ(shownLines({"a</H>b"}), (std::vector<std::string>{"a</H>b"}));
}

TEST(HideRule, AnEmptyLineWithoutTagsStillTakesAPosition) {
    bool open = false;
    EXPECT_TRUE(applyHideRule("", open).visible);
    open = true;
    EXPECT_FALSE(applyHideRule("", open).visible);
    EXPECT_TRUE(open);
}

TEST(CellText, TagsAreRemovedAndApplyToTheWholeLine) {
    EXPECT_EQ(applyLineTags("a<b>bold</B>c"), (TaggedLine{"aboldc", true, false}));
    EXPECT_EQ(applyLineTags("<s>x"), (TaggedLine{"x", false, true}));
    EXPECT_EQ(applyLineTags("<B><S>y</s>"), (TaggedLine{"y", true, true}));
    EXPECT_EQ(applyLineTags("plain <H>"), (TaggedLine{"plain <H>", false, false}));
}

TEST(CellText, TabsAndShortening) {
    EXPECT_EQ(expandTabs("a\tb", 3), "a   b");
    EXPECT_EQ(expandTabs("a\tb", 0), "ab");
    EXPECT_EQ(dropLastCharacter("会議"), "会");
    EXPECT_EQ(dropLastCharacter("x"), "");
    // Width by bytes: a multi-byte character goes as a whole, never in part.
    auto bytes = [](std::string_view text) { return static_cast<int>(text.size()); };
    EXPECT_EQ(shortenToWidth("ab会議", 6, bytes), "ab会");
    EXPECT_EQ(shortenToWidth("ab", 6, bytes), "ab");
    EXPECT_EQ(removeIgnoringCase("<b>a<B>b", "<b>"), "ab");
    EXPECT_EQ(findIgnoringCase("xx</h>", "</H>"), 2u);
}

}  // namespace
}  // namespace velmo
