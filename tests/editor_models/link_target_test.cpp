#include "editor_models/link_target.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(LinkTargetTest, WebAddressesGoToTheBrowserAsTheyAre) {
    EXPECT_EQ(classifyLink("https://example.jp/a?b=1"),
              (LinkTarget{LinkKind::WebAddress, "https://example.jp/a?b=1"}));
    EXPECT_EQ(classifyLink("HTTP://EXAMPLE.JP"),
              (LinkTarget{LinkKind::WebAddress, "HTTP://EXAMPLE.JP"}));
    EXPECT_EQ(classifyLink("ftp://files.example.jp/x"),
              (LinkTarget{LinkKind::WebAddress, "ftp://files.example.jp/x"}));
    EXPECT_EQ(classifyLink("www.example.jp"),
              (LinkTarget{LinkKind::WebAddress, "http://www.example.jp"}));
}

TEST(LinkTargetTest, FilesByWhatTheyAre) {
    TempFolder folder;
    const fs::path text = folder.write("予定 メモ.txt", "plain text\n");
    const fs::path program = folder.write("tool",
                                          "\x7f"
                                          "ELF");
    fs::permissions(program, fs::perms::owner_exec, fs::perm_options::add);
    const fs::path shebang = folder.write("run-me", "#!/bin/sh\necho hi\n");
    const fs::path script = folder.write("job.PY", "print(1)\n");
    const fs::path desktop = folder.write("app.desktop", "[Desktop Entry]\n");
    fs::create_directory(folder / "docs");

    const struct {
        fs::path path;
        LinkKind kind;
    } cases[] = {
        {text, LinkKind::Document},
        {program, LinkKind::Runnable},
        {shebang, LinkKind::Runnable},
        {script, LinkKind::Runnable},
        {desktop, LinkKind::Runnable},
        {folder / "docs", LinkKind::Document},
        {folder / "gone.txt", LinkKind::MissingFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.string());
        EXPECT_EQ(classifyLink("file://" + c.path.string()), (LinkTarget{c.kind, c.path.string()}));
        EXPECT_EQ(classifyLink("file:" + c.path.string()).kind, c.kind);
    }
    // A folder named like a script is still a folder.
    fs::create_directory(folder / "tools.sh");
    EXPECT_EQ(classifyLink("file:" + (folder / "tools.sh").string()).kind, LinkKind::Document);
}

TEST(LinkTargetTest, PercentEscapesAreDecoded) {
    TempFolder folder;
    const fs::path text = folder.write("予定 メモ.txt", "x");
    const std::string escaped = (folder / "予定%20メモ.txt").string();
    EXPECT_EQ(classifyLink("file:///" + escaped.substr(1)),
              (LinkTarget{LinkKind::Document, text.string()}));
    // "%" without two hex digits is kept.
    EXPECT_EQ(classifyLink("file:/nowhere/100%/x%2"),
              (LinkTarget{LinkKind::MissingFile, "/nowhere/100%/x%2"}));
    EXPECT_EQ(classifyLink("file:").kind, LinkKind::MissingFile);
}

TEST(LinkTargetTest, MessagesNameThePath) {
    EXPECT_EQ(missingLinkMessage("/tmp/a b"),
              "指定されたファイル[ /tmp/a b ]が存在しません。\r\n中止します。");
    EXPECT_EQ(runLinkQuestion("/usr/bin/x"),
              "このリンクはプログラムを実行します。\r\n[ /usr/bin/x ]\r\n実行しますか？");
}

}  // namespace
}  // namespace velmo
