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
    void typeNew(const std::string& text) {
        change.beginChange();
        change.typed(text);
    }
    bool idle() const { return !change.editable() && !change.actionButtonsEnabled(); }
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

TEST(DataFolderBoxTest, PendingChangeIsDroppedWhenThePageIsLeft) {
    Box box;
    EXPECT_EQ(box.change.beginChange(), DataFolderChange::Focus::ToBoxEnd);
    EXPECT_TRUE(box.change.editable());
    EXPECT_TRUE(box.change.actionButtonsEnabled());
    box.change.typed("/data/typed/");
    box.change.cancelPending();
    EXPECT_EQ(box.change.text(), "/data/old/");
    EXPECT_TRUE(box.idle());
    EXPECT_TRUE(box.ui.shown().empty());
}

TEST(DataFolderBoxTest, LeavingTheBoxWhileEditingKeepsTheFocus) {
    Box box;
    box.typeNew("/data/typed");
    EXPECT_EQ(box.change.boxLeft(), DataFolderChange::Focus::ToBoxEnd);
    EXPECT_EQ(box.change.text(), "/data/typed/");
    ASSERT_EQ(box.ui.shown().size(), 1u);
    EXPECT_EQ(box.ui.shown()[0].text, "変更実行か、キャンセルか、決めて下さい。");
    EXPECT_EQ(box.ui.shown()[0].caption, "確認 -ベルモ-");
    box.change.cancel();
    EXPECT_EQ(box.change.boxLeft(), DataFolderChange::Focus::Unchanged);
    EXPECT_EQ(box.ui.shown().size(), 1u);
}

TEST(DataFolderBoxTest, FolderButton) {
    Box box;
    EXPECT_EQ(box.change.folderChosen(std::nullopt), DataFolderChange::Focus::Unchanged);
    EXPECT_TRUE(box.idle());
    EXPECT_EQ(box.change.folderChosen("/data/other"), DataFolderChange::Focus::ToBoxEnd);
    EXPECT_EQ(box.change.text(), "/data/other/");
    EXPECT_TRUE(box.change.pending());
    EXPECT_TRUE(box.change.actionButtonsEnabled());
}

TEST(DataFolderBoxTest, FolderCp932CannotHoldIsRefusedWhereChosen) {
    Box box;
    box.change.folderChosen("/data/😀/");
    EXPECT_EQ(box.change.text(), "/data/old/");
    EXPECT_TRUE(box.idle());
    EXPECT_EQ(box.ui.texts(),
              Lines{"保存できない文字があります： U+1F600 (😀)\r\n別の文字に置き換えてください。"});
    box.ui.clearShown();
    box.typeNew("/data/é/");
    EXPECT_EQ(box.change.apply(), DataFolderChange::Focus::ToBoxEnd);
    EXPECT_TRUE(box.ui.questions().empty());
    EXPECT_TRUE(box.change.actionButtonsEnabled());
    EXPECT_TRUE(box.change.pending());
}

TEST(DataFolderApplyTest, DeclinedQuestionChangesNothing) {
    Box box;
    box.typeNew("/data/other/");
    box.ui.answer(false);
    box.change.apply();
    ASSERT_EQ(box.ui.shown().size(), 1u);
    EXPECT_EQ(box.ui.shown()[0].text, kAsk);
    EXPECT_EQ(box.ui.shown()[0].caption, "確認 -ベルモ-");
    EXPECT_EQ(box.ui.shown()[0].defaultButton, DefaultButton::No);
    EXPECT_TRUE(box.change.pending());
    EXPECT_TRUE(box.change.actionButtonsEnabled());
}

TEST(DataFolderApplyTest, BlankBoxMeansTheStartFolder) {
    Box box;
    box.typeNew("  ");
    box.ui.answer(true);
    box.change.apply();
    EXPECT_EQ(box.ui.texts(), (Lines{kAsk, kChanged}));
    EXPECT_EQ(box.change.storedValue(), "");
    EXPECT_TRUE(box.idle());
    // Applied: leaving the page keeps it.
    box.change.cancelPending();
    EXPECT_EQ(box.change.storedValue(), "");
}

TEST(DataFolderApplyTest, UnchangedTextIsRefused) {
    Box box;
    box.typeNew("/data/old");
    box.ui.answer(true);
    box.change.apply();
    EXPECT_EQ(box.ui.texts(), (Lines{kAsk, "フォルダが変更されていません\r\n中止します。"}));
    EXPECT_TRUE(box.idle());
    EXPECT_EQ(box.change.storedValue(), "/data/old/");
}

TEST(DataFolderApplyTest, ExistingFolderIsTakenForTheNextStart) {
    Box box;
    box.typeNew("/data/other");
    box.ui.answer(true);
    box.change.apply();
    EXPECT_EQ(box.ui.texts(), (Lines{kAsk, kChanged}));
    EXPECT_EQ(box.change.storedValue(), "/data/other/");
    EXPECT_TRUE(box.created.empty());
}

TEST(DataFolderApplyTest, MissingFolderDeclinedStaysPendingUntilThePageIsLeft) {
    Box box;
    box.typeNew("/data/new/");
    box.ui.answer(true);
    box.ui.answer(false);
    EXPECT_EQ(box.change.apply(), DataFolderChange::Focus::ToBoxEnd);
    EXPECT_EQ(box.ui.texts(), (Lines{kAsk, kMissing, "変更は、キャンセルされます。"}));
    EXPECT_EQ(box.ui.shown()[1].defaultButton, DefaultButton::No);
    EXPECT_EQ(box.change.text(), "/data/new/");
    EXPECT_FALSE(box.change.actionButtonsEnabled());
    box.change.cancelPending();
    EXPECT_EQ(box.change.text(), "/data/old/");
}

TEST(DataFolderApplyTest, MissingFolderIsCreated) {
    Box box;
    box.typeNew("/data/new/sub");
    box.ui.answer(true);
    box.ui.answer(true);
    box.change.apply();
    EXPECT_EQ(box.created, Lines{"/data/new/sub/"});
    EXPECT_EQ(box.ui.texts(), (Lines{kAsk, kMissing, kChanged}));
    box.change.cancelPending();
    EXPECT_EQ(box.change.storedValue(), "/data/new/sub/");
}

TEST(DataFolderApplyTest, FailedCreationPutsTheStartingRootBack) {
    Box box;
    box.creationWorks = false;
    box.typeNew("/data/new/");
    box.ui.answer(true);
    box.ui.answer(true);
    EXPECT_EQ(box.change.apply(), DataFolderChange::Focus::ToBoxEnd);
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
