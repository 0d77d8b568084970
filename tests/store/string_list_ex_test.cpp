#include "store/string_list_ex.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

using Entries = std::vector<std::string>;

TEST(StringListEx, EntriesKeepTheirOwnTerminators) {
    TStringListEx list("a\r\nb\rc\nd");
    EXPECT_EQ(list.entries(), (Entries{"a\r\n", "b\r", "c\n", "d"}));
    list.setText("a\r\n");
    EXPECT_EQ(list.entries(), (Entries{"a\r\n"}));
    list.setText("\n\r\r\n");
    EXPECT_EQ(list.entries(), (Entries{"\n", "\r", "\r\n"}));
    list.setText("");
    EXPECT_TRUE(list.empty());
}

TEST(StringListEx, TextGivesBackTheSameBytes) {
    for (const std::string& text :
         {std::string("x\r\n\r\ny\n\rz"), std::string("\x95\x5c\r\n\x83\x81\x43"),
          std::string("a\0b\r\n", 5), std::string("\r")}) {
        TStringListEx list;
        list.setText(text);
        EXPECT_EQ(list.text(), text);
    }
}

TEST(StringListEx, EditingEntries) {
    TStringListEx list("a\r\nc\r\n");
    list.insert(1, "b\r\n");
    list.add("d");
    EXPECT_EQ(list.text(), "a\r\nb\r\nc\r\nd");
    list.erase(0);
    list[0] = "B\n";
    EXPECT_EQ(list.text(), "B\nc\r\nd");
    EXPECT_THROW(list.erase(3), std::out_of_range);
    EXPECT_THROW(list.insert(4, "x"), std::out_of_range);
}

}  // namespace
}  // namespace velmo
