#include "editor_models/search_history.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

using Items = std::vector<std::string>;

TEST(SearchHistoryTest, ControlCharactersBecomeSpaces) {
    EXPECT_EQ(storableHistoryItem("a\tb\r\nc\x7f"
                                  "d\x1f"),
              "a b  c d ");
    EXPECT_EQ(storableHistoryItem("会議 ~!"), "会議 ~!");
}

TEST(SearchHistoryTest, NewestFirstWithoutDuplicatesUpToTheLimit) {
    Items items;
    for (const char* text : {"a", "b", "c"})
        pushHistory(items, text, 3);
    EXPECT_EQ(items, (Items{"c", "b", "a"}));
    pushHistory(items, "a", 3);
    EXPECT_EQ(items, (Items{"a", "c", "b"}));
    pushHistory(items, "d", 3);
    EXPECT_EQ(items, (Items{"d", "a", "c"}));
    pushHistory(items, "  ", 3);
    EXPECT_EQ(items, (Items{"d", "a", "c"}));
    pushHistory(items, "e", 1);
    EXPECT_EQ(items, (Items{"e"}));
}

TEST(SearchHistoryTest, CommaTextQuotesWhatWouldSplit) {
    const Items items{"plain", "two words", "a,b", "say \"hi\"", "", "予定"};
    const std::string text = toCommaText(items);
    EXPECT_EQ(text, "plain,\"two words\",\"a,b\",\"say \"\"hi\"\"\",\"\",予定");
    EXPECT_EQ(fromCommaText(text), items);
    EXPECT_EQ(toCommaText({}), "");
    EXPECT_EQ(fromCommaText(""), Items{});
    EXPECT_EQ(toCommaText({""}), "\"\"");
    EXPECT_EQ(fromCommaText("\"\""), Items{""});
}

TEST(SearchHistoryTest, UnquotedItemsEndAtASpaceOrComma) {
    EXPECT_EQ(fromCommaText("a b,c"), (Items{"a", "b", "c"}));
    EXPECT_EQ(fromCommaText("\"a b\" c"), (Items{"a b", "c"}));
    EXPECT_EQ(fromCommaText("a,,b"), (Items{"a", "", "b"}));
}

}  // namespace
}  // namespace velmo
