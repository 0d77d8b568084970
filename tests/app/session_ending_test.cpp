#include "app/startup/session_ending.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/store_fakes.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::FakeClock;
using testing::fileBytes;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::ShownBox;
using testing::TempFolder;

const std::string kShrinkQuestion = "2024年1月予定が立ち上げ時の半分以下、または０になっています。";

// The main window as far as the ending sees it: closing runs its close query through the
// ending; the query's save asks a shrink-guard question and fails unless told otherwise.
class SessionEndingTest : public ::testing::Test {
protected:
    SessionEnding& make(const fs::path& rescueRoot, UserInterface& inner) {
        ui = std::make_unique<UserInterfaceSwitch>(inner, log);
        ending = std::make_unique<SessionEnding>(
            SessionEndingContext{*ui, clock, sleeper, rescueRoot},
            SessionEndingHooks{[this] { return closeWindow(); }, [this] { return unsaved; },
                               [this] { ++quits; }});
        return *ending;
    }
    SessionEnding& make() { return make(root, user); }

    bool closeWindow() {
        ++closes;
        return ending->runCloseQuery([this] { return closeQuery(); });
    }
    bool closeQuery() {
        if (closeCheckRefuses)
            return false;
        const bool shrinkAccepted = ask(*ui, kShrinkQuestion, DefaultButton::No);
        return (saveWorks && shrinkAccepted) || ending->closeAfterFailedSave();
    }

    std::string offerText() const {
        return "データを保存できなかったため、終了を取り止めました。\r\n"
               "保存先のフォルダやディスクを確認してから、もう一度終了してください。\r\n\r\n"
               "ただし、保存できなかった予定を退避フォルダ[" +
               root.string() +
               "/]に書き出して、今すぐ終了することもできます。\r\n退避して終了しますか？";
    }
    std::string rescueFailedText(const fs::path& where) const {
        return "保存できなかった予定を、退避フォルダ[" + where.string() +
               "/]にも書き込めませんでした。";
    }

    TempFolder temp;
    fs::path root = temp.path() / "rescue";
    ScriptedUserInterface user;
    std::ostringstream log;
    FakeClock clock{{2024, 1, 15, 9, 0, 0, 0}};
    RecordingSleeper sleeper;
    std::unique_ptr<UserInterfaceSwitch> ui;
    std::unique_ptr<SessionEnding> ending;
    std::vector<RescueFile> unsaved = {{"Ca202401.myc", {"20,1,,出張,,,,,,"}}};
    bool saveWorks = false;
    bool closeCheckRefuses = false;
    int closes = 0;
    int quits = 0;
};

TEST_F(SessionEndingTest, ASignalSavesUnattendedRescuesTheRestAndEnds) {
    make().endOnSignal();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(quits, 1);
    // Nobody was asked: the shrink guard took its default, No, and nothing waited.
    EXPECT_TRUE(user.shown().empty());
    const std::vector<fs::path> folders = TempFolder::subfolders(root);
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0].filename(), "20240115-090000");
    EXPECT_EQ(TempFolder::read(folders[0] / "Ca202401.myc"), fileBytes(unsaved[0].lines));
    const std::string folder = folders[0].string() + "/";
    EXPECT_NE(log.str().find(kShrinkQuestion + " → いいえ"), std::string::npos);
    EXPECT_NE(log.str().find("velmo: " + rescuedText(folder) + "\n"), std::string::npos);

    // A second signal while ending changes nothing.
    ending->endOnSignal();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(TempFolder::subfolders(root).size(), 1u);

    // The next start says where the copies are, once.
    ScriptedUserInterface next;
    make(root, next).tellAboutRescuedFiles();
    ASSERT_EQ(next.shown().size(), 1u);
    EXPECT_EQ(next.shown()[0].text, rescueNoticeText(folder));
    EXPECT_EQ(next.shown()[0].caption, kMainInformationCaption);
    make(root, next).tellAboutRescuedFiles();
    EXPECT_EQ(next.shown().size(), 1u);
}

TEST_F(SessionEndingTest, ASignalEndsTheRunEvenWhenNothingIsRescuedOrTheCloseIsRefused) {
    // Everything was saved: no rescue folder at all.
    saveWorks = true;
    unsaved.clear();
    make().endOnSignal();
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(fs::exists(root));

    // A close check refuses (the months are being rebuilt): what is unsaved is put aside
    // and the run ends all the same.
    unsaved = {{"CaFromTo.myc", {"***** FromTo予定 [Data\\Files1\\]"}}};
    closeCheckRefuses = true;
    make().endOnSignal();
    EXPECT_EQ(quits, 2);
    ASSERT_EQ(TempFolder::subfolders(root).size(), 1u);
    EXPECT_TRUE(fs::exists(TempFolder::subfolders(root)[0] / "CaFromTo.myc"));

    // No rescue folder can be written either: the run still ends, and the log says so.
    temp.write("blocked", "");
    const fs::path blocked = temp.path() / "blocked/rescue";
    closeCheckRefuses = false;
    saveWorks = false;
    make(blocked, user).endOnSignal();
    EXPECT_EQ(quits, 3);
    EXPECT_NE(log.str().find("velmo: " + rescueFailedText(blocked) + "\n"), std::string::npos);
    EXPECT_TRUE(user.shown().empty());
}

TEST_F(SessionEndingTest, TheUserMayQuitAfterAFailedSaveOnlyWithTheEditsRescued) {
    make();
    user.answer(false);  // the shrink guard
    user.answer(false);  // the offer
    EXPECT_FALSE(closeWindow());
    ASSERT_EQ(user.shown().size(), 2u);
    EXPECT_EQ(user.shown()[1].text, offerText());
    EXPECT_EQ(user.shown()[1].caption, kQuestionCaption);
    EXPECT_EQ(user.shown()[1].defaultButton, DefaultButton::No);
    EXPECT_FALSE(fs::exists(root));

    user.answer(false);
    user.answer(true);
    EXPECT_TRUE(closeWindow());
    EXPECT_EQ(user.shown().size(), 4u);  // told at the next start, not now
    ASSERT_EQ(TempFolder::subfolders(root).size(), 1u);
    EXPECT_EQ(TempFolder::read(TempFolder::subfolders(root)[0] / "Ca202401.myc"),
              fileBytes(unsaved[0].lines));
    EXPECT_EQ(quits, 0);
    EXPECT_TRUE(log.str().empty());

    // Where no copy can be written, the close stays refused.
    temp.write("blocked", "");
    const fs::path blocked = temp.path() / "blocked/rescue";
    make(blocked, user);
    user.answer(false);
    user.answer(true);
    EXPECT_FALSE(closeWindow());
    EXPECT_EQ(user.texts().back(), rescueFailedText(blocked) + "\r\n終了を取り止めました。");
}

TEST_F(SessionEndingTest, WithoutARescueFolderTheCloseIsOnlyRefused) {
    make({}, user);
    user.answer(false);
    EXPECT_FALSE(closeWindow());
    ASSERT_EQ(user.shown().size(), 2u);
    EXPECT_EQ(user.shown()[1].text,
              "データを保存できなかったため、終了を取り止めました。\r\n"
              "保存先のフォルダやディスクを確認してから、もう一度終了してください。");
    EXPECT_EQ(user.shown()[1].caption, kMainInformationCaption);
    make({}, user).tellAboutRescuedFiles();
    EXPECT_EQ(user.shown().size(), 2u);
    // A signal still ends the run.
    ending->endOnSignal();
    EXPECT_EQ(quits, 1);
}

// A signal that comes while a box of the user's close is open only ends the event loops;
// the running close query finishes unattended instead of being started a second time.
TEST_F(SessionEndingTest, ASignalDuringTheUsersCloseLetsThatCloseFinishAndEnd) {
    for (std::size_t signalAt : {1u, 2u}) {  // inside the shrink question, inside the offer
        SCOPED_TRACE(signalAt);
        const fs::path where = root / std::to_string(signalAt);
        // The signal comes while the nth box is open; a box ended from outside answers No.
        ScriptedUserInterface box;
        for (std::size_t n = 1; n < signalAt; ++n)
            box.answer(false);
        box.answer(false, [this] { ending->endOnSignal(); });
        make(where, box);
        closes = 0;
        EXPECT_TRUE(closeWindow());
        EXPECT_EQ(closes, 1);
        EXPECT_EQ(box.questions().size(), signalAt);
        EXPECT_EQ(TempFolder::subfolders(where).size(), 1u);
    }
    EXPECT_EQ(quits, 2);
}

TEST(UserInterfaceSwitch, PassesEverythingOnUntilUnattendedThenTakesDefaultsAndLogs) {
    ScriptedUserInterface user;
    std::ostringstream log;
    UserInterfaceSwitch ui(user, log);
    user.answer(true);
    EXPECT_TRUE(ui.question("q", "c", DefaultButton::No));
    ui.message("m");
    ui.information("i", "ic");
    ui.error("e", "ec");
    ASSERT_EQ(user.shown().size(), 4u);
    EXPECT_EQ(user.shown()[0].defaultButton, DefaultButton::No);
    EXPECT_EQ(user.shown()[3].kind, ShownBox::Kind::Error);
    EXPECT_EQ(user.shown()[3].caption, "ec");
    EXPECT_TRUE(log.str().empty());

    ui.goUnattended();
    EXPECT_TRUE(ui.unattended());
    EXPECT_FALSE(ui.question("一行目\r\n二行目", "c", DefaultButton::No));
    EXPECT_TRUE(ui.question("既定ははい", "c", DefaultButton::Yes));
    ui.message("書込エラー");
    ui.information("情報", "c");
    ui.error("エラー", "c");
    ui.showWaitWindow();
    ui.hideWaitWindow();
    EXPECT_EQ(user.shown().size(), 4u);
    EXPECT_EQ(user.waitWindowShown(), 1);
    EXPECT_EQ(user.waitWindowHidden(), 1);
    EXPECT_EQ(log.str(),
              "velmo: 一行目\n二行目 → いいえ\nvelmo: 既定ははい → はい\nvelmo: 書込エラー\n"
              "velmo: 情報\nvelmo: エラー\n");
}

}  // namespace
}  // namespace velmo
