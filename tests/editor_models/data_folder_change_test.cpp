#include "editor_models/data_folder_change.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "tests/support/scripted_user_interface.h"

namespace velmo {
namespace {

using testing::ScriptedUserInterface;
using testing::ShownBox;
using Lines = std::vector<std::string>;

const std::string kStart = "/home/u/.local/share/velmo/";
const std::string kChanged =
    "データフォルダを変更しました。\r\n次回起動時から、このデータフォルダを使用します。\r\n"
    "^^^^^^^^^^^^^^\r\nデータの移動が必要な場合は、\r\nベルモを終了後、"
    "ご自分でデータの移動を行ってください。";
const std::string kAsk = "データフォルダの変更を行いますか？";
const std::string kMissing = "指定されたフォルダーが、存在しません。\r\n作成しますか？";

struct Box {
    ScriptedUserInterface ui;
    std::set<std::string> folders{"/data/old/", "/data/other/"};
    std::vector<std::string> created;
    bool creationWorks = true;
    DataFolderChange change{ui,
                            {[this](const std::string& f) { return folders.contains(f); },
                             [this](const std::string& f) {
                                 created.push_back(f);
                                 if (creationWorks)
                                     folders.insert(f);
                             }}};

    explicit Box(const std::string& edFolder = "/data/old/") { change.load(edFolder, kStart); }
    // "変更", the text typed, "変更実行" with the questions answered; the texts shown.
    Lines apply(const std::string& text, std::initializer_list<bool> answers) {
        change.beginChange();
        change.typed(text);
        for (bool yes : answers)
            ui.answer(yes);
        focus = change.apply();
        return ui.texts();
    }
    bool idle() const { return !change.editable() && !change.actionButtonsEnabled(); }

    DataFolderChange::Focus focus = DataFolderChange::Focus::Unchanged;
};

TEST(DataFolderBoxTest, StartFolderInAnyCaseLoadsAsBlank) {
    EXPECT_EQ(dataRootBoxText("/HOME/U/.local/share/VELMO", kStart), "");
    EXPECT_EQ(dataRootBoxText(kStart, kStart), "");
    EXPECT_EQ(dataRootBoxText("   ", kStart), "");
    EXPECT_EQ(dataRootBoxText("/home/u/.local/share/velmo2/", kStart),
              "/home/u/.local/share/velmo2/");
    Box box("/Home/U/.local/share/velmo/");
    EXPECT_EQ(box.change.startingRoot(), "");
    EXPECT_TRUE(box.idle());
    EXPECT_FALSE(box.change.pending());
}

TEST(DataFolderApplyTest, TypedFolderCp932CannotHoldIsRefusedBeforeAsking) {
    Box box;
    EXPECT_EQ(box.apply("/data/é/", {}),
              Lines{"保存できない文字があります： U+00E9 (é)\r\n別の文字に置き換えてください。"});
    EXPECT_EQ(box.focus, DataFolderChange::Focus::ToBoxEnd);
    EXPECT_TRUE(box.change.actionButtonsEnabled());
    EXPECT_TRUE(box.change.pending());
}

TEST(DataFolderApplyTest, DeclinedQuestionChangesNothing) {
    Box box;
    EXPECT_EQ(box.apply("/data/other/", {false}), Lines{kAsk});
    EXPECT_EQ(box.ui.shown()[0].caption, "確認 -ベルモ-");
    EXPECT_EQ(box.ui.shown()[0].defaultButton, DefaultButton::No);
    EXPECT_TRUE(box.change.pending());
    EXPECT_TRUE(box.change.actionButtonsEnabled());
}

TEST(DataFolderApplyTest, ChangesTakenForTheNextStart) {
    // A blank box means the start folder.
    Box blank;
    EXPECT_EQ(blank.apply("  ", {true}), (Lines{kAsk, kChanged}));
    EXPECT_TRUE(blank.idle());
    // Applied: leaving the page keeps it.
    blank.change.cancelPending();
    EXPECT_EQ(blank.change.storedValue(), "");

    Box existing;
    EXPECT_EQ(existing.apply("/data/other", {true}), (Lines{kAsk, kChanged}));
    EXPECT_EQ(existing.change.storedValue(), "/data/other/");
    EXPECT_TRUE(existing.created.empty());

    Box missing;
    EXPECT_EQ(missing.apply("/data/new/sub", {true, true}), (Lines{kAsk, kMissing, kChanged}));
    EXPECT_EQ(missing.created, Lines{"/data/new/sub/"});
    missing.change.cancelPending();
    EXPECT_EQ(missing.change.storedValue(), "/data/new/sub/");
}

TEST(DataFolderApplyTest, UnchangedTextIsRefused) {
    Box box;
    EXPECT_EQ(box.apply("/data/old", {true}),
              (Lines{kAsk, "フォルダが変更されていません\r\n中止します。"}));
    EXPECT_TRUE(box.idle());
    EXPECT_EQ(box.change.storedValue(), "/data/old/");
}

TEST(DataFolderApplyTest, MissingFolderDeclinedStaysPendingUntilThePageIsLeft) {
    Box box;
    EXPECT_EQ(box.apply("/data/new/", {true, false}),
              (Lines{kAsk, kMissing, "変更は、キャンセルされます。"}));
    EXPECT_EQ(box.focus, DataFolderChange::Focus::ToBoxEnd);
    EXPECT_EQ(box.ui.shown()[1].defaultButton, DefaultButton::No);
    EXPECT_EQ(box.change.text(), "/data/new/");
    EXPECT_FALSE(box.change.actionButtonsEnabled());
    box.change.cancelPending();
    EXPECT_EQ(box.change.text(), "/data/old/");
}

TEST(DataFolderApplyTest, FailedCreationPutsTheStartingRootBack) {
    Box box;
    box.creationWorks = false;
    box.apply("/data/new/", {true, true});
    ASSERT_EQ(box.ui.shown().size(), 3u);
    EXPECT_EQ(box.ui.shown()[2].kind, ShownBox::Kind::Error);
    EXPECT_EQ(box.ui.shown()[2].text, "データフォルダを作成できません。");
    EXPECT_EQ(box.ui.shown()[2].caption, "エラー");
    EXPECT_EQ(box.change.text(), "/data/old/");
    EXPECT_TRUE(box.change.pending());
    EXPECT_FALSE(box.change.actionButtonsEnabled());
}

}  // namespace
}  // namespace velmo
