// The memo window in its modes, with scripted answers and file dialogs.

#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "dialogs/line_editor.h"
#include "dialogs/memo_window.h"
#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using velmo::MemoMode;
using velmo::testing::ScriptedUserInterface;
using velmo::testing::TempFolder;

void writeBytes(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

struct Desk {
    velmo::TfmMemo& window() {
        if (!window_) {
            window_ = std::make_unique<velmo::TfmMemo>(velmo::MemoWindowContext{
                {ui, sleeper, root / "Torka.ini", velmo::FindSettings((root / "find.ini").c_str()),
                 [this](QWidget*, const fs::path&) { return next(saveAnswers); }},
                root / "Data" / "CaMemo.myc",
                root / "ReadMe.txt",
                root / "CaSima.dat",
                root,
                {},
                [this](QWidget*) { return next(openAnswers); }});
        }
        return *window_;
    }
    static std::optional<fs::path> next(std::vector<fs::path>& answers) {
        if (answers.empty())
            return std::nullopt;
        fs::path answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    void type(const QString& text) { QTest::keyClicks(window().editor(), text); }

    QTemporaryDir dir;
    fs::path root = dir.path().toStdString();
    ScriptedUserInterface ui;
    velmo::testing::RecordingSleeper sleeper;
    std::vector<fs::path> saveAnswers;
    std::vector<fs::path> openAnswers;
    std::unique_ptr<velmo::TfmMemo> window_;
};

QStringList texts(const ScriptedUserInterface& ui) {
    QStringList result;
    for (const std::string& text : ui.texts())
        result << QString::fromStdString(text);
    return result;
}

}  // namespace

class MemoWindowTest : public QObject {
    Q_OBJECT

private slots:
    void aMissingMemoIsAnnouncedAndNotCreatedByLookingAtIt() {
        Desk desk;
        fs::create_directories(desk.root / "Data");
        desk.window().showMode(MemoMode::Memo);
        QCOMPARE(texts(desk.ui),
                 QStringList{"メモファイルが見あたりません。\r\n新しいメモファイルを作ります。"});
        QCOMPARE(desk.window().statusPanelText(6), QString("メモ"));
        desk.window().close();
        QVERIFY(!fs::exists(desk.root / "Data" / "CaMemo.myc"));
    }

    void aModifiedMemoIsSavedWithoutAQuestionWhenSwitchingToReadMe() {
        Desk desk;
        writeBytes(desk.root / "Data" / "CaMemo.myc", velmo::cp932::encode("一行目\r\n"));
        writeBytes(desk.root / "ReadMe.txt", "readme\r\n");
        desk.window().showMode(MemoMode::Memo);
        desk.window().editor()->setCaret(0, 3);
        desk.type("x");
        QVERIFY(desk.window().windowTitle().endsWith("(更新)"));
        desk.window().switchMode(MemoMode::ReadMe);
        QVERIFY(desk.ui.texts().empty());
        QCOMPARE(TempFolder::read(desk.root / "Data" / "CaMemo.myc"),
                 velmo::cp932::encode("一行目x\r\n"));
        QVERIFY(desk.window().editor()->isReadOnly());
        QCOMPARE(desk.window().windowTitle(), QString("ReadMe.txt"));
        QCOMPARE(desk.window().statusPanelText(1), QString("Read Only"));
    }

    void jumpButtonsFollowTheMarksAndKeepRowsAboveTheMark() {
        Desk desk;
        std::string memo;
        for (int row = 0; row < 120; ++row) {
            if (row == 10)
                memo += "&2 first\r\n";
            else if (row == 40)
                memo += "&2 second\r\n";
            else if (row == 60)
                memo += velmo::cp932::encode("＆３ full width") + "\r\n";
            else
                memo += "line\r\n";
        }
        writeBytes(desk.root / "Data" / "CaMemo.myc", memo);
        desk.window().resize(600, 300);
        desk.window().showMode(MemoMode::Memo);
        QVERIFY(desk.window().jumpButtonsShown());
        QCOMPARE(desk.window().marks()[2], 40);  // the later of two
        QCOMPARE(desk.window().marks()[3], 60);
        QCOMPARE(desk.window().marks()[5], -1);
        QVERIFY(desk.window().jumpButton(2)->styleSheet().contains("#008000"));
        QVERIFY(!desk.window().jumpButton(5)->styleSheet().contains("#008000"));

        desk.window().jumpTo(2, false);
        QCOMPARE(desk.window().editor()->caretRow(), 40);
        QCOMPARE(desk.window().editor()->topRow(), 38);
        desk.window().jumpTo(3, true);
        const int visible = desk.window().editor()->visibleRows();
        QCOMPARE(desk.window().editor()->topRow(), std::max(60 + 3 - visible, 0));
        // A button without a mark does nothing.
        desk.window().jumpTo(5, false);
        QCOMPARE(desk.window().editor()->caretRow(), 60);
    }

    void afterSaveAsTheMemoWindowWritesToTheNewFile() {
        Desk desk;
        writeBytes(desk.root / "Data" / "CaMemo.myc", "memo\r\n");
        desk.window().showMode(MemoMode::Memo);
        desk.saveAnswers = {desk.root / "copy.txt"};
        desk.window().saveUnderAnotherName();
        QCOMPARE(TempFolder::read(desk.root / "copy.txt"), std::string("memo\r\n"));
        desk.window().editor()->setCaret(0, 4);
        desk.type("!");
        desk.window().close();
        QCOMPARE(TempFolder::read(desk.root / "copy.txt"), std::string("memo!\r\n"));
        QCOMPARE(TempFolder::read(desk.root / "Data" / "CaMemo.myc"), std::string("memo\r\n"));
    }

    void editorModeKeepsAFilesEncodingAndAsksBeforeReplacingChanges() {
        Desk desk;
        const fs::path notes = desk.root / "notes.txt";
        writeBytes(notes, "ユニコード\nsecond\n");
        const fs::path other = desk.root / "other.txt";
        writeBytes(other, "other\n");
        desk.openAnswers = {notes, other};
        desk.window().showMode(MemoMode::Editor);
        desk.window().openFile();
        QCOMPARE(desk.window().editor()->line(0), QString("ユニコード"));
        desk.window().editor()->setCaret(1, 6);
        desk.type("!");
        // Opening another file first offers to save this one: Yes, and Yes over it.
        desk.ui.answer(true);
        desk.ui.answer(true);
        desk.window().openFile();
        QCOMPARE(texts(desk.ui), (QStringList{"テキストが更新されています。\r\n保存しますか。",
                                              "同名のファイルが存在します。\r\n上書きしますか？"}));
        QCOMPARE(TempFolder::read(notes), std::string("ユニコード\nsecond!\n"));
        QCOMPARE(desk.window().currentFile(), other);
        QCOMPARE(desk.window().windowTitle(),
                 QString("Editor : ") + QString::fromStdString(other.string()));
    }

    void aFileWithNulBytesOpensReadOnlyWithANotice() {
        Desk desk;
        const fs::path binary = desk.root / "data.bin";
        writeBytes(binary, std::string("ab\0cd\r\n", 7));
        desk.openAnswers = {binary};
        desk.window().showMode(MemoMode::Editor);
        desk.window().openFile();
        QVERIFY(desk.window().editor()->isReadOnly());
        QCOMPARE(texts(desk.ui).size(), 1);
        desk.window().close();
        QCOMPARE(TempFolder::read(binary), std::string("ab\0cd\r\n", 7));
    }

    void anUntitledTextCanBeLeftUnsavedAfterTheQuestions() {
        Desk desk;
        desk.window().showMode(MemoMode::Editor);
        desk.type("draft");
        desk.ui.answer(true);   // save it?
        desk.ui.answer(true);   // not saving is fine
        desk.window().close();  // the save dialog is cancelled (no answer scripted)
        QCOMPARE(texts(desk.ui),
                 (QStringList{"テキストが更新されています。\r\n保存しますか。",
                              "保存しなくてもいいですか？", "この無題のファイルは保存しません"}));
    }
};

QTEST_MAIN(MemoWindowTest)
#include "memo_window_test.moc"
