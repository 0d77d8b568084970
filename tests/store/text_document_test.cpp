#include "store/text_document.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::TempFolder;
using Lines = std::vector<std::string>;

class TextDocumentTest : public ::testing::Test {
protected:
    // Reads a file holding the bytes and writes the document back over it.
    TextDocument roundTrip(std::string_view bytes) {
        const fs::path file = folder.write("text.txt", bytes);
        std::optional<TextDocument> document = readTextDocument(file, ui, sleeper);
        EXPECT_TRUE(document.has_value());
        if (!document)
            return {};
        EXPECT_TRUE(writeTextDocument(file, *document, ui, sleeper));
        EXPECT_EQ(TempFolder::read(file), bytes);
        EXPECT_TRUE(ui.shown().empty());
        return *document;
    }

    TempFolder folder;
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
};

TEST_F(TextDocumentTest, FilesComeBackByteForByte) {
    const TextDocument utf8 = roundTrip("一行目\n二行目\n");
    EXPECT_EQ(utf8.encoding, TextEncoding::Utf8);
    EXPECT_EQ(utf8.lineEnding, LineEnding::Lf);
    EXPECT_EQ(utf8.lines, (Lines{"一行目", "二行目"}));
    EXPECT_TRUE(utf8.finalLineEnd);
    EXPECT_FALSE(utf8.utf8Bom);

    // 0x1A is data; a line reader would stop there.
    const TextDocument cp932 =
        roundTrip(cp932::encode("会議\r\n") + "\x1A" + cp932::encode("続き\r\n"));
    EXPECT_EQ(cp932.encoding, TextEncoding::Cp932);
    EXPECT_EQ(cp932.lineEnding, LineEnding::CrLf);
    EXPECT_EQ(cp932.lines, (Lines{"会議", "\x1A続き"}));

    const TextDocument open = roundTrip(cp932::encode("最後\r\n行末なし"));
    EXPECT_EQ(open.lines, (Lines{"最後", "行末なし"}));
    EXPECT_FALSE(open.finalLineEnd);

    const TextDocument bom = roundTrip(
        "\xEF\xBB\xBF"
        "abc\r\n");
    EXPECT_EQ(bom.encoding, TextEncoding::Utf8);
    EXPECT_TRUE(bom.utf8Bom);
    EXPECT_EQ(bom.lines, Lines{"abc"});

    EXPECT_EQ(roundTrip("a\rb\r").lineEnding, LineEnding::Cr);
    // Bytes that form no CP932 character: a lead byte before a line end, 0xFD, 0xA0,
    // an unassigned code.
    EXPECT_EQ(roundTrip("\x81\r\n\xFD\xA0x\x85\x40\r\n").encoding, TextEncoding::Cp932);

    const TextDocument empty = roundTrip("");
    EXPECT_EQ(empty.lines, Lines{""});
    EXPECT_EQ(empty.lineEnding, LineEnding::CrLf);
    EXPECT_EQ(roundTrip("\r\n\r\n").lines, (Lines{"", ""}));
}

TEST_F(TextDocumentTest, AnAsciiFileStaysCp932WhenJapaneseIsAdded) {
    const fs::path file = folder.write("memo.txt", "plain\r\n");
    std::optional<TextDocument> document = readTextDocument(file, ui, sleeper);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->encoding, TextEncoding::Cp932);
    document->lines.push_back("予定");
    ASSERT_TRUE(writeTextDocument(file, *document, ui, sleeper));
    EXPECT_EQ(TempFolder::read(file), cp932::encode("plain\r\n予定\r\n"));
}

TEST_F(TextDocumentTest, NulBytesMakeABinaryDocumentThatIsNeverWritten) {
    const std::string bytes("ab\0\x1A\r\ncd", 8);
    const fs::path file = folder.write("data.bin", bytes);
    const std::optional<TextDocument> document = readTextDocument(file, ui, sleeper);
    ASSERT_TRUE(document);
    EXPECT_TRUE(document->binary);
    EXPECT_EQ(document->raw, bytes);
    EXPECT_EQ(document->lines, (Lines{std::string("ab\0\x1A", 4), "cd"}));
    EXPECT_FALSE(writeTextDocument(file, *document, ui, sleeper));
    EXPECT_EQ(TempFolder::read(file), bytes);
    EXPECT_FALSE(textDocumentBytes(*document));
}

TEST_F(TextDocumentTest, ACharacterCp932LacksIsRefusedOnlyForCp932) {
    const fs::path file = folder.write("memo.txt", cp932::encode("元\r\n"));
    TextDocument document = *readTextDocument(file, ui, sleeper);
    document.lines = {"了解", "\xF0\x9F\x98\x80"};
    EXPECT_FALSE(writeTextDocument(file, document, ui, sleeper));
    EXPECT_EQ(ui.texts(), Lines{"保存できない文字があります： " + cp932::describe(0x1F600) +
                                "\r\n別の文字に置き換えてください。"});
    EXPECT_EQ(TempFolder::read(file), cp932::encode("元\r\n"));

    document.encoding = TextEncoding::Utf8;
    ASSERT_TRUE(writeTextDocument(file, document, ui, sleeper));
    EXPECT_EQ(TempFolder::read(file), "了解\r\n\xF0\x9F\x98\x80\r\n");
}

TEST_F(TextDocumentTest, FailuresAreReportedAndTheModeIsKept) {
    const fs::path missing = folder / "gone" / "memo.txt";
    EXPECT_FALSE(readTextDocument(missing, ui, sleeper));
    TextDocument document;
    document.lines = {"a"};
    EXPECT_FALSE(writeTextDocument(missing, document, ui, sleeper));
    EXPECT_EQ(ui.texts(), (Lines{"読込エラー[" + missing.string() + "]",
                                 "[ " + missing.string() + " ]の書込に失敗しました。"}));
    EXPECT_FALSE(fs::exists(folder / "gone"));

    const fs::path shared = folder.write("shared.txt", "x\n");
    fs::permissions(shared, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(writeTextDocument(shared, *readTextDocument(shared, ui, sleeper), ui, sleeper));
    EXPECT_EQ(fs::status(shared).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace
}  // namespace velmo
