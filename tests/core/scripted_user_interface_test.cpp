// The test double of the user interface is strict: what nobody scripted fails the test.

#include "tests/support/scripted_user_interface.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <optional>

namespace velmo {
namespace {

using testing::ScriptedUserInterface;

TEST(ScriptedUserInterface, AnswersInTheScriptedOrderAndRunsWhatHappensWhileABoxIsOpen) {
    ScriptedUserInterface ui;
    int openedWhileSecond = 0;
    ui.answer(true);
    ui.answer(false, [&] {
        ++openedWhileSecond;
        EXPECT_EQ(ui.questions().size(), 2u);
    });
    EXPECT_TRUE(ask(ui, "一つ目"));
    EXPECT_EQ(openedWhileSecond, 0);
    EXPECT_FALSE(ask(ui, "二つ目", DefaultButton::No));
    EXPECT_EQ(openedWhileSecond, 1);
    EXPECT_EQ(ui.questions(), (std::vector<std::string>{"一つ目", "二つ目"}));
    EXPECT_EQ(ui.unusedAnswers(), 0u);
}

TEST(ScriptedUserInterface, AnUnscriptedQuestionFailsTheTestAndGetsNo) {
    ScriptedUserInterface ui;
    bool answer = true;
    EXPECT_NONFATAL_FAILURE(answer = ask(ui, "誰も答えを用意していない"),
                            "question asked without a scripted answer: 誰も答えを用意していない");
    EXPECT_FALSE(answer);
    EXPECT_EQ(ui.questions().size(), 1u);
}

TEST(ScriptedUserInterface, AnAnswerLeftUnusedFailsTheTestWhenTheDoubleGoesAway) {
    std::optional<ScriptedUserInterface> ui;
    ui.emplace();
    ui->answer(true);
    ui->answer(false);
    EXPECT_TRUE(ask(*ui, "使われる答え"));
    EXPECT_NONFATAL_FAILURE(ui.reset(),
                            "1 scripted answer(s) never used; the questions asked were:\n"
                            "  使われる答え");

    ui.emplace();
    ui->answer(true);
    EXPECT_NONFATAL_FAILURE(ui.reset(), "1 scripted answer(s) never used; no question was asked");
}

}  // namespace
}  // namespace velmo
