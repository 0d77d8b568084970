#include "store/rec_list.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_user_interface.h"

namespace velmo {
namespace {

using testing::ScriptedUserInterface;

struct Rec {
    int key = 0;
    int tag = 0;
    char text[16] = {};
};

Rec rec(int key, int tag = 0) {
    return Rec{key, tag, {}};
}

int byKey(const Rec& a, const Rec& b) {
    return (a.key > b.key) - (a.key < b.key);
}

std::vector<int> keys(TRecList<Rec>& list) {
    std::vector<int> result;
    result.reserve(static_cast<std::size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i)
        result.push_back(list.get(i)->key);
    return result;
}

TEST(RecList, DeleteBlockMovesLaterRecordsDown) {
    ScriptedUserInterface ui;
    TRecList<Rec> list(ui);
    for (int i = 0; i < 6; ++i)
        list.add(rec(i));
    EXPECT_TRUE(list.remove(0, 3));
    EXPECT_EQ(keys(list), (std::vector<int>{3, 4, 5}));
    EXPECT_TRUE(list.remove(1));
    EXPECT_EQ(keys(list), (std::vector<int>{3, 5}));
    EXPECT_TRUE(ui.shown().empty());
}

TEST(RecList, UnsortedAddInsertPut) {
    ScriptedUserInterface ui;
    TRecList<Rec> list(ui);
    EXPECT_EQ(list.add(rec(5)), 0);
    EXPECT_EQ(list.add(rec(1)), 1);
    EXPECT_TRUE(list.insert(0, rec(9)));
    EXPECT_TRUE(list.insert(3, rec(7)));
    EXPECT_TRUE(list.put(1, rec(6)));
    EXPECT_EQ(keys(list), (std::vector<int>{9, 6, 1, 7}));
    int index = -1;
    EXPECT_TRUE(list.find(rec(1), index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.find(rec(2), index));
    EXPECT_EQ(index, 4);
}

TEST(RecList, RawByteRecords) {
    ScriptedUserInterface ui;
    TRecList<> list(ui);
    TMyRecArray record{};
    record[23] = std::byte{0x7F};
    list.add(record);
    EXPECT_EQ(list.get(0), record);
}

TEST(RecList, SortedAddKeepsOrderAndFindSearches) {
    ScriptedUserInterface ui;
    TRecList<Rec> list(ui, byKey);
    for (int key : {50, 10, 40, 20, 30, 20})
        list.add(rec(key));
    EXPECT_EQ(keys(list), (std::vector<int>{10, 20, 20, 30, 40, 50}));
    int index = -1;
    EXPECT_TRUE(list.find(rec(40), index));
    EXPECT_EQ(index, 4);
    EXPECT_FALSE(list.find(rec(35), index));
    EXPECT_EQ(index, 4);
    EXPECT_FALSE(list.find(rec(99), index));
    EXPECT_EQ(index, 6);
    EXPECT_FALSE(list.find(rec(1), index));
    EXPECT_EQ(index, 0);
}

TEST(RecList, GrowsByFourteen) {
    ScriptedUserInterface ui;
    TRecList<Rec> list(ui);
    EXPECT_EQ(list.capacity(), 0);
    list.add(rec(1));
    EXPECT_EQ(list.capacity(), 14);
    for (int i = 0; i < 14; ++i)
        list.add(rec(i));
    EXPECT_EQ(list.count(), 15);
    EXPECT_EQ(list.capacity(), 28);
    EXPECT_EQ(list.get(14)->key, 13);  // records survive the move to bigger storage
}

TEST(RecList, CountAndCapacity) {
    ScriptedUserInterface ui;
    TRecList<Rec> list(ui);
    list.add(rec(8, 1));
    EXPECT_TRUE(list.setCount(20));
    EXPECT_EQ(list.capacity(), 20);  // the capacity follows the count up
    EXPECT_EQ(list.get(0)->tag, 1);
    EXPECT_EQ(list.get(19)->key, 0);
    EXPECT_TRUE(list.setCount(1));
    EXPECT_TRUE(list.setCapacity(1));
    EXPECT_TRUE(list.setCount(2));
    EXPECT_EQ(list.get(1)->key, 0);  // a record that comes back is cleared
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.capacity(), 0);
    EXPECT_TRUE(ui.shown().empty());
}

// Each failure shows "TRecList_Err_<operation>", keeps the detailed text and leaves
// the list untouched.
struct Failure {
    const char* box;
    std::string detail;
};

void expectFailure(const ScriptedUserInterface& ui, const TRecList<Rec>& list,
                   const Failure& expected) {
    ASSERT_FALSE(ui.shown().empty());
    EXPECT_EQ(ui.shown().back().kind, testing::ShownBox::Kind::Information);
    EXPECT_EQ(ui.shown().back().text, expected.box);
    EXPECT_EQ(ui.shown().back().caption, "確認");
    EXPECT_EQ(list.lastError(), expected.detail);
}

TEST(RecList, FailuresReportAndChangeNothing) {
    ScriptedUserInterface ui;
    TRecList<Rec> list(ui);
    for (int i = 0; i < 3; ++i)
        list.add(rec(i));

    EXPECT_FALSE(list.get(3).has_value());
    expectFailure(ui, list, {"TRecList_Err_7", "リストのインデックスが範囲を超えています (3)"});
    EXPECT_FALSE(list.get(-1).has_value());
    expectFailure(ui, list, {"TRecList_Err_7", "リストのインデックスが範囲を超えています (-1)"});
    EXPECT_FALSE(list.put(3, rec(9)));
    expectFailure(ui, list, {"TRecList_Err_13", "リストのインデックスが範囲を超えています (3)"});
    EXPECT_FALSE(list.insert(4, rec(9)));
    expectFailure(ui, list, {"TRecList_Err_9", "リストのインデックスが範囲を超えています (4)"});
    EXPECT_FALSE(list.remove(3));
    expectFailure(ui, list, {"TRecList_Err_3", "リストのインデックスが範囲を超えています (3)"});
    EXPECT_FALSE(list.remove(1, 3));
    expectFailure(ui, list, {"TRecList_Err_3", "リストのインデックスが範囲を超えています (3)"});
    EXPECT_FALSE(list.setCapacity(2));
    expectFailure(ui, list, {"TRecList_Err_15", "リストの容量が超えました (2)"});
    EXPECT_FALSE(list.setCapacity(kRecListMaxCount + 1));
    expectFailure(ui, list, {"TRecList_Err_15", "リストの容量が超えました (134217728)"});
    EXPECT_FALSE(list.setCount(-1));
    expectFailure(ui, list, {"TRecList_Err_16", "リストの個数を超えました (-1)"});
    EXPECT_FALSE(list.setCount(kRecListMaxCount + 1));
    expectFailure(ui, list, {"TRecList_Err_16", "リストの個数を超えました (134217728)"});

    EXPECT_EQ(ui.shown().size(), 10u);
    EXPECT_EQ(keys(list), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(list.capacity(), 14);
}

TEST(RecList, SortedListRefusesInsertAndPut) {
    ScriptedUserInterface ui;
    TRecList<Rec> list(ui, byKey);
    list.add(rec(2));
    EXPECT_FALSE(list.insert(0, rec(1)));
    expectFailure(ui, list, {"TRecList_Err_9", "ソートされるリストに対しては許されない動作です"});
    EXPECT_FALSE(list.put(0, rec(3)));
    expectFailure(ui, list, {"TRecList_Err_13", "ソートされるリストに対しては許されない動作です"});
    EXPECT_EQ(keys(list), (std::vector<int>{2}));
}

}  // namespace
}  // namespace velmo
