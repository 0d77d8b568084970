// The day schedule editor window driven by real key events: the attribute records stay
// with their lines, colour commands, closing and what reaches the month file.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <string_view>

#include "dialogs/day_editor.h"
#include "editor_models/day_editor_lines.h"
#include "store/profile_file.h"
#include "store/settings.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

using namespace velmo;
using velmo::testing::FakeClock;
using velmo::testing::RecordingSleeper;
using velmo::testing::ScriptedUserInterface;
using velmo::testing::TempFolder;

namespace {

constexpr Colour kW = kClWindowText;
constexpr Colour kR = 0x0000FF;
constexpr Colour kB = 0xFF0000;
constexpr Colour kG = 0x808000;
constexpr Colour kStandard = 0x484848;

using Colours = std::vector<Colour>;

DayEditorLines linesOf(const QStringList& texts, const Colours& colours) {
    DayEditorLines lines;
    for (int i = 0; i < texts.size(); ++i) {
        lines.texts.push_back(texts[i].toStdString());
        DayLineRecord record;
        record.attr.color = colours[static_cast<std::size_t>(i)];
        record.attr.aux3 = i + 1;  // tells the records apart beyond their colour
        lines.records.push_back(record);
    }
    return lines;
}

Colours coloursOf(const TfmDay& editor) {
    Colours colours;
    for (const DayLineRecord& record : editor.attributes().records())
        colours.push_back(record.attr.color);
    return colours;
}

struct Fixture {
    ScriptedUserInterface ui;
    FakeClock clock;
    TfmDay editor{ui, clock};

    void open(const QStringList& texts, const Colours& colours) {
        DayHeader header;
        header.date = {2000, 6, 4};
        editor.openDay(header, linesOf(texts, colours), {4, kStandard});
        show();
    }
    void show() {
        editor.show();
        editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
    }
    LineEditor* memo() { return editor.memo(); }
    void key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(memo(), key, mods);
    }
    // Selects from the caret with Shift+arrows.
    void select(int down, int right) {
        for (int i = 0; i < down; ++i)
            key(Qt::Key_Down, Qt::ShiftModifier);
        for (int i = 0; i < right; ++i)
            key(Qt::Key_Right, Qt::ShiftModifier);
    }
};

const QStringList kFour = {"aaa", "bbb", "", "ccc"};
const Colours kFourColours = {kR, kB, kW, kG};

}  // namespace

class DayEditorTest : public QObject {
    Q_OBJECT

private slots:
    void recordsStayWithTheirLinesThroughTypedEdits_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<QStringList>("linesAfter");
        QTest::addColumn<Colours>("coloursAfter");
        QTest::newRow("enter at column 0")
            << 1 << 0 << int(Qt::Key_Return) << QStringList{"aaa", "", "bbb", "", "ccc"}
            << Colours{kR, kW, kB, kW, kG};
        QTest::newRow("enter inside a row")
            << 1 << 1 << int(Qt::Key_Return) << QStringList{"aaa", "b", "bb", "", "ccc"}
            << Colours{kR, kB, kW, kW, kG};
        QTest::newRow("backspace after a line with text")
            << 1 << 0 << int(Qt::Key_Backspace) << QStringList{"aaabbb", "", "ccc"}
            << Colours{kR, kW, kG};
        QTest::newRow("backspace after an empty line")
            << 3 << 0 << int(Qt::Key_Backspace) << QStringList{"aaa", "bbb", "ccc"}
            << Colours{kR, kB, kG};
        QTest::newRow("delete at the end of a row with text")
            << 0 << 3 << int(Qt::Key_Delete) << QStringList{"aaabbb", "", "ccc"}
            << Colours{kB, kW, kG};
        QTest::newRow("delete on an empty row")
            << 2 << 0 << int(Qt::Key_Delete) << QStringList{"aaa", "bbb", "ccc"}
            << Colours{kR, kB, kG};
        QTest::newRow("backspace inside a row")
            << 1 << 2 << int(Qt::Key_Backspace) << QStringList{"aaa", "bb", "", "ccc"}
            << kFourColours;
    }
    void recordsStayWithTheirLinesThroughTypedEdits() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, keyCode);
        QFETCH(QStringList, linesAfter);
        QFETCH(Colours, coloursAfter);
        Fixture f;
        f.open(kFour, kFourColours);
        f.memo()->setCaret(row, column);
        f.key(static_cast<Qt::Key>(keyCode));
        QCOMPARE(f.memo()->lines(), linesAfter);
        QCOMPARE(coloursOf(f.editor), coloursAfter);
        // Undo brings text and colours back together, redo repeats the edit.
        f.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.memo()->lines(), kFour);
        QCOMPARE(coloursOf(f.editor), kFourColours);
        f.key(Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(f.memo()->lines(), linesAfter);
        QCOMPARE(coloursOf(f.editor), coloursAfter);
        QVERIFY(f.ui.shown().empty());
    }

    void recordsFollowSelectionsCutsAndPastes() {
        Fixture f;
        f.open(kFour, kFourColours);
        // A selection from column 0 of row 0 to column 0 of row 2, deleted.
        f.memo()->setCaret(0, 0);
        f.select(2, 0);
        f.key(Qt::Key_Delete);
        QCOMPARE(f.memo()->lines(), (QStringList{"", "ccc"}));
        QCOMPARE(coloursOf(f.editor), (Colours{kW, kG}));
        f.key(Qt::Key_Z, Qt::ControlModifier);

        // From inside row 0 to inside row 3, typed over: the joined line keeps row 0's.
        f.memo()->setCaret(0, 1);
        f.select(3, 0);
        QTest::keyClicks(f.memo(), "x");
        QCOMPARE(f.memo()->lines(), (QStringList{"axcc"}));
        QCOMPARE(coloursOf(f.editor), (Colours{kR}));
        f.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(coloursOf(f.editor), kFourColours);

        // Cut with Ctrl+X and pasted back with Shift+Insert inside another row.
        f.memo()->setCaret(1, 0);
        f.select(1, 0);
        f.key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(coloursOf(f.editor), (Colours{kR, kW, kG}));
        f.memo()->setCaret(2, 1);
        f.key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(f.memo()->lines(), (QStringList{"aaa", "", "cbbb", "cc"}));
        QCOMPARE(coloursOf(f.editor), (Colours{kR, kW, kG, kW}));

        // Three pasted lines bring three default records.
        QApplication::clipboard()->setText("1\r\n2\n3\n");
        f.memo()->setCaret(0, 0);
        f.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.memo()->lineCount(), 7);
        QCOMPARE(coloursOf(f.editor), (Colours{kW, kW, kW, kR, kW, kG, kW}));

        // Pasting over a selection of several rows keeps the count right: no mismatch.
        QApplication::clipboard()->setText("p\nq");
        f.memo()->setCaret(3, 1);
        f.select(2, 0);  // to row 5, column 1
        f.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.memo()->lines(), (QStringList{"1", "2", "3", "ap", "qbbb", "cc"}));
        QCOMPARE(coloursOf(f.editor), (Colours{kW, kW, kW, kR, kW, kW}));
        // Shift+Delete cuts the selection, tracked like the rest.
        f.memo()->setCaret(0, 0);
        f.select(3, 0);
        f.key(Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(coloursOf(f.editor), (Colours{kR, kW, kW}));
        QVERIFY(f.ui.shown().empty());
        // Drops are refused: a move would be one change over two places.
        QVERIFY(!f.memo()->acceptDrops());
    }

    void colourCommandsAndTheirMarks() {
        Fixture f;
        f.open(kFour, {kW, kW, kW, kW});
        f.memo()->setCaret(0, 1);
        f.key(Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(f.editor.attributes().at(0)->attr.color, kR);
        QVERIFY(f.memo()->isModified());
        f.editor.updateColourMarks();
        QVERIFY(f.editor.action("pmColor1")->isChecked());
        QVERIFY(!f.editor.action("pmColorStd")->isChecked());
        // The same colour again: the standard colour, as a colour of its own.
        f.key(Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(f.editor.attributes().at(0)->attr.color, kStandard);
        f.editor.updateColourMarks();
        QVERIFY(!f.editor.action("pmColor1")->isChecked());
        QVERIFY(!f.editor.action("pmColorStd")->isChecked());
        // Undo takes the colour command back.
        f.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.editor.attributes().at(0)->attr.color, kR);

        // A selection ending at column 0 of a later row leaves that row alone.
        f.memo()->setCaret(1, 1);
        f.select(2, 0);
        f.key(Qt::Key_Home, Qt::ShiftModifier);
        f.key(Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(coloursOf(f.editor), (Colours{kR, kG, kG, kW}));
        QVERIFY(!f.memo()->textCursor().hasSelection());

        // The colour dialog: cancelled changes nothing, a choice is taken even twice.
        std::optional<Colour> answer;
        f.editor.setColourChooser([&](Colour, QWidget*) { return answer; });
        f.memo()->setCaret(3, 0);
        f.key(Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(f.editor.attributes().at(3)->attr.color, kW);
        answer = 0x123456;
        f.key(Qt::Key_L, Qt::ControlModifier);
        f.key(Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(f.editor.attributes().at(3)->attr.color, Colour{0x123456});
        f.key(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.editor.attributes().at(3)->attr.color, kStandard);

        // The menu's items follow the editor's state.
        f.editor.updateMenuState();
        QVERIFY(!f.editor.action("pmCut")->isEnabled());
        QVERIFY(f.editor.action("pmNow")->isEnabled());
        f.memo()->selectAll();
        f.editor.updateMenuState();
        QVERIFY(f.editor.action("pmCopy")->isEnabled());
        QVERIFY(!f.editor.action("pmNow")->isEnabled());
        f.key(Qt::Key_N, Qt::ControlModifier);  // the insert group is off: nothing typed
        QCOMPARE(f.memo()->lineCount(), 4);
        f.key(Qt::Key_C, Qt::ControlModifier);
        QVERIFY(!f.memo()->textCursor().hasSelection());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("aaa\nbbb\n\nccc"));
        f.key(Qt::Key_N, Qt::ControlModifier);
        QVERIFY(f.memo()->lines().last().endsWith("09:00"));
    }

    void closingRulesAndWhatIsStored() {
        // A day without entries: one empty line; closing unchanged stores nothing.
        MonthSlot slot;
        slot.year = 2024;
        slot.month = 3;
        slot.lines = {" 0,0,9,2024/ 3 [Data\\Files1\\]", " 5,1,,A，B,clRed,5,12:30:00,3,70000,"};
        Fixture f;
        f.editor.openDay({{2024, 3, 9}, {}}, readDayEditorLines(slot, 9), {});
        f.show();
        QCOMPARE(f.memo()->lines(), QStringList{QString()});
        f.editor.writeButton()->click();
        QVERIFY(!f.editor.isVisible());
        QVERIFY(!f.editor.writeBack());

        // Typing and deleting everything stores one empty entry.
        f.show();
        QTest::keyClicks(f.memo(), "ab");
        f.key(Qt::Key_Backspace);
        f.key(Qt::Key_Backspace);
        f.key(Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(f.editor.writeBack());
        QCOMPARE(f.editor.dayLines().texts, std::vector<std::string>{""});

        // Commas: "，" on disk, "," on screen; carried values survive the edit.
        f.editor.openDay({{2024, 3, 5}, {}}, readDayEditorLines(slot, 5), {});
        f.show();
        QCOMPARE(f.memo()->line(0), QStringLiteral("A,B"));
        f.memo()->setCaret(0, 3);
        QTest::keyClicks(f.memo(), ",C");
        f.editor.writeButton()->click();
        QVERIFY(f.editor.writeBack());
        const DayEditorLines edited = f.editor.dayLines();
        LocalFolderHooks local;
        writeBackDayEditorLines(slot, 0, 2024, 3, 5, edited.texts, edited.records, false, local);
        QCOMPARE(QString::fromStdString(slot.lines.back()),
                 QStringLiteral(" 5,1,,A，B，C,clRed,5,12:30:00,3,70000,"));

        // Esc asks first; No keeps the window, Yes discards.
        f.editor.openDay({{2024, 3, 5}, {}}, readDayEditorLines(slot, 5), {});
        f.show();
        QTest::keyClicks(f.memo(), "typed");
        f.ui.answer(false);
        f.key(Qt::Key_Escape);
        QVERIFY(f.editor.isVisible());
        f.ui.answer(true);
        f.key(Qt::Key_Escape);
        QVERIFY(!f.editor.isVisible());
        QVERIFY(f.editor.cancelled());
        QVERIFY(!f.editor.writeBack());
        QCOMPARE(f.ui.shown().back().text, std::string("キャンセルしますか？"));
        QCOMPARE(f.ui.shown().back().caption, std::string("確認 -ベルモ-"));
        QCOMPARE(f.ui.shown().back().defaultButton, DefaultButton::Yes);

        // The close box stores a changed day.
        f.show();
        QTest::keyClicks(f.memo(), "x");
        f.editor.close();
        QVERIFY(f.editor.writeBack());
        QVERIFY(!f.editor.cancelled());
    }

    void aCharacterTheFileCannotHoldIsNamedAndKept() {
        Fixture f;
        f.open({"予定"}, {kR});
        f.memo()->setCaret(0, 2);
        QTest::sendKeyEvent(QTest::Click, f.memo(), Qt::Key_Eacute, QStringLiteral("é"),
                            Qt::NoModifier);
        f.editor.writeButton()->click();
        QVERIFY(f.editor.isVisible());
        QVERIFY(!f.editor.writeBack());
        QCOMPARE(f.ui.texts().back(),
                 std::string("保存できない文字があります： U+00E9 (é)\r\n（1行目）\r\n"
                             "別の文字に置き換えてください。"));
        QCOMPARE(f.memo()->line(0), QStringLiteral("予定é"));

        // A character beyond the BMP arrives as two UTF-16 units and is named as one.
        f.memo()->setCaret(0, 3);
        QTest::keyClick(f.memo(), Qt::Key_Backspace);
        QTest::sendKeyEvent(QTest::Click, f.memo(), Qt::Key_unknown, QString::fromUtf8("𠮷"),
                            Qt::NoModifier);
        f.editor.writeButton()->click();
        QVERIFY(f.editor.isVisible());
        QVERIFY(!f.editor.writeBack());
        QCOMPARE(f.ui.texts().back(),
                 std::string("保存できない文字があります： U+20BB7 (𠮷)\r\n（1行目）\r\n"
                             "別の文字に置き換えてください。"));
        // Cancel always closes.
        f.editor.cancelButton()->click();
        QVERIFY(!f.editor.isVisible());
        QVERIFY(!f.editor.writeBack());
    }

    void theMonthMemo() {
        Fixture f;
        DayEditorLines lines = linesOf({"memo"}, {kR});
        f.editor.openMonthMemo(2003, 12, lines, {});
        f.show();
        QCOMPARE(f.editor.headerCaption()->text(), QStringLiteral("２００３年１２月メモ"));
        QVERIFY(f.editor.headerCaption()->isVisible());
        QVERIFY(!f.editor.dateLabel()->isVisible());
        QVERIFY(!f.editor.weekdayLabel()->isVisible());
        QVERIFY(!f.editor.holidayStrip()->isVisible());
        f.key(Qt::Key_R, Qt::ControlModifier);  // no colours in the memo
        QCOMPARE(coloursOf(f.editor), (Colours{kW}));
        f.editor.updateMenuState();
        QVERIFY(!f.editor.colourMenu()->menuAction()->isEnabled());
    }

    void theDayHeader() {
        Fixture f;
        DayHeader header;
        header.date = {2000, 6, 4};  // a Sunday
        header.names = {"記念日,こどもの日", "SH"};
        f.editor.openDay(
            header, linesOf({"10:00 会議", "出張 (大阪)", "", "締切,提出"}, {kR, kB, kW, kG}), {});
        f.show();
        QCOMPARE(f.editor.dateLabel()->text(), QStringLiteral("2000. 6. 4"));
        QCOMPARE(f.editor.weekdayLabel()->text(), QStringLiteral("（ 日曜日 ）"));
        QCOMPARE(f.editor.weekdayLabel()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(!f.editor.holidayStrip()->pixmap().isNull());
        QVERIFY(!f.editor.headerCaption()->isVisible());
        QApplication::processEvents();
        QCOMPARE(f.memo()->line(3), QStringLiteral("締切,提出"));
        f.editor.grab().save("/tmp/day_editor.png");
    }

    void theLineEditorControl() {
        Fixture f;
        f.open({"see https://example.com/a?b=1 now", "file:///tmp/x.txt", "plain words"},
               {kR, kB, kG});
        LineEditor* memo = f.memo();
        QCOMPARE(memo->tokenKindAt(0, 12), TokenKind::Url);
        QCOMPARE(memo->tokenKindAt(0, 1), TokenKind::Other);
        QCOMPARE(memo->tokenKindAt(1, 0), TokenKind::FileLink);
        // A double click selects the whole link, elsewhere the word.
        memo->setCaret(0, 12);
        QTest::mouseDClick(memo->viewport(), Qt::LeftButton, {}, memo->cursorRect().center());
        QCOMPARE(memo->textCursor().selectedText(), QStringLiteral("https://example.com/a?b=1"));
        memo->setCaret(2, 8);
        QTest::mouseDClick(memo->viewport(), Qt::LeftButton, {}, memo->cursorRect().center());
        QCOMPARE(memo->textCursor().selectedText(), QStringLiteral("words"));

        // Text put in from code is tracked like typing.
        memo->setCaret(1, 0);
        memo->textCursor().insertText("x\ny\n");
        QCOMPARE(coloursOf(f.editor), (Colours{kR, kW, kW, kB, kG}));

        // The history keeps at most 64 steps.
        memo->setCaret(4, 0);
        for (int i = 0; i < 70; ++i)
            f.key(Qt::Key_Return);
        int undone = 0;
        while (memo->canUndo()) {
            f.key(Qt::Key_Z, Qt::ControlModifier);
            ++undone;
        }
        QCOMPARE(undone, LineEditor::kUndoLimit);
        QCOMPARE(memo->lineCount(), 5 + 70 - 64);
        QCOMPARE(f.editor.attributes().count(), memo->lineCount());
    }

    void theMemorialDayPage() {
        ScriptedUserInterface ui;
        FakeClock clock;
        TfmDay editor(ui, clock);
        const MemorialDayFields fields{"創立記念日", "1990", "", 7, "2024年3月9日"};
        QString shownDate;
        const auto run = [&](auto&& edit) {
            editor.openMemorialDay(fields);
            QTimer::singleShot(0, &editor, [&] {
                // The user sees which day the memorial day belongs to.
                const auto* date = editor.findChild<QLabel*>("lblKinenbiDate");
                shownDate = date && date->isVisible() ? date->text() : QString();
                editor.grab().save("/tmp/memorial_page.png");
                edit();
                editor.writeButton()->click();
            });
            return editor.execEditor();
        };
        QVERIFY(!run([] {}));  // nothing changed
        QCOMPARE(shownDate, QStringLiteral("2024年3月9日"));
        QVERIFY(run([&] {
            QLineEdit* year = editor.findChild<QLineEdit*>("edtYear2");
            year->setFocus();
            QTest::keyClicks(year, "2030");
        }));
        QCOMPARE(editor.memorialDayFields().toYear, std::string("2030"));
        QVERIFY(run([&] {
            QApplication::clipboard()->setText("a\nb");
            QLineEdit* name = editor.findChild<QLineEdit*>("edtKinenbi");
            QTest::keyClick(name, Qt::Key_End);
            QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
        }));
        QCOMPARE(editor.memorialDayFields().name, std::string("創立記念日a b"));
        QCOMPARE(editor.mode(), int(TfmDay::MemorialMode));
    }

    void positionAndSizeInSectionFmDay() {
        TempFolder folder;
        const auto settings = folder.write("Torka.ini",
                                           "[fmDay]\r\nfmTop=-900\r\nfmLeft=-900\r\n"
                                           "fmWidth=400\r\nfmHeight=350\r\n");
        RecordingSleeper sleeper;
        ScriptedUserInterface ui;
        FakeClock clock;
        TfmDay editor(ui, clock, {settings, &sleeper});
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(editor.size(), QSize(400, 350));
        QVERIFY(area.contains(editor.geometry().topLeft()));
        QVERIFY(editor.standardSizeButton()->isVisibleTo(&editor));  // wider than 372

        editor.openPeriod(newPeriodForm(2452702, 2452705, 1, 3, 1, 0));
        QTimer::singleShot(0, &editor, [&] {
            QCOMPARE(editor.size(), QSize(298, 422));
            editor.cancelButton()->click();
        });
        QVERIFY(!editor.execEditor());
        QCOMPARE(editor.size(), QSize(400, 350));
        QCOMPARE(editor.windowTitle(), QString());
        RecordingSleeper reader;
        const ProfileFile file = ProfileFile::load(settings, kSettingsRetry, reader);
        QCOMPARE(file.readInt("fmDay", "fmWidth", 0), 400);  // not the borrowed size
        QCOMPARE(file.readInt("fmDay", "fmHeight", 0), 350);

        editor.standardSizeButton()->click();
        QCOMPARE(editor.size(), QSize(298, 422));
        QVERIFY(!editor.standardSizeButton()->isVisibleTo(&editor));
    }

    // The main window hands over the settings it has just read: the editor takes its
    // place from them instead of reading the file a second time, and still saves there.
    void placeFromTheSettingsTheRunRead() {
        TempFolder folder;
        const auto settings =
            folder.write("Torka.ini", "[fmDay]\r\nfmWidth=400\r\nfmHeight=350\r\n");
        RecordingSleeper sleeper;
        const ProfileFile asRead = ProfileFile::load(
            folder.write("as-read.ini", "[fmDay]\r\nfmWidth=420\r\nfmHeight=360\r\n"),
            kSettingsRetry, sleeper);
        ScriptedUserInterface ui;
        FakeClock clock;
        TfmDay editor(ui, clock, {settings, &sleeper, &asRead});
        QCOMPARE(editor.size(), QSize(420, 360));

        editor.openDay({{2024, 9, 10}, {}}, DayEditorLines{{"予定"}, {DayLineRecord{}}}, {});
        QTimer::singleShot(0, &editor, [&] { editor.cancelButton()->click(); });
        QVERIFY(!editor.execEditor());
        const ProfileFile saved = ProfileFile::load(settings, kSettingsRetry, sleeper);
        QCOMPARE(saved.readInt("fmDay", "fmWidth", 0), 420);
        QCOMPARE(saved.readInt("fmDay", "fmHeight", 0), 360);
    }
    void theMenuShowsEveryCommandOfTheTable() {
        Fixture f;
        for (const DayCommand& command : dayCommands()) {
            QAction* a = f.editor.action(command.name);
            QVERIFY2(a, command.name);
            QCOMPARE(a->text(), QString::fromUtf8(command.caption));
            QCOMPARE(a->shortcut(), QKeySequence(command.key));
            QCOMPARE(a->isVisible(), !command.hidden);
            QCOMPARE(a->isCheckable(), command.kind == DayCommand::Kind::Checkable);
            QCOMPARE(dayCommandForKey(command.key), command.editorKey ? nullptr : &command);
        }
        QVERIFY(!dayCommandForKey(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
        QVERIFY(!dayCommandForKey(QKeyCombination(Qt::SHIFT, Qt::Key_F9)));
    }
    void everyKeyOfTheTableDoesWhatItsItemDoes() {
        for (const bool selecting : {false, true}) {
            for (const DayCommand& command : dayCommands()) {
                if (command.editorKey || command.kind == DayCommand::Kind::Submenu)
                    continue;
                struct Result {
                    QStringList lines;
                    Colours colours;
                    QString clipboard;
                };
                const auto run = [&](bool byKey) {
                    QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
                    Fixture f;
                    f.editor.setColourChooser([](Colour, QWidget*) { return Colour{0x123456}; });
                    f.open(kFour, kFourColours);
                    f.memo()->setCaret(1, 1);
                    if (selecting)
                        f.select(1, 1);
                    if (byKey) {
                        QTest::keyClick(f.memo(), command.key.key(),
                                        command.key.keyboardModifiers());
                    } else {
                        f.editor.action(command.name)->trigger();
                    }
                    return Result{f.memo()->lines(), coloursOf(f.editor),
                                  QGuiApplication::clipboard()->text()};
                };
                const Result byKey = run(true);
                const Result byMenu = run(false);
                QVERIFY2(byKey.lines == byMenu.lines, command.name);
                QVERIFY2(byKey.colours == byMenu.colours, command.name);
                QVERIFY2(byKey.clipboard == byMenu.clipboard, command.name);
                // The key did act: a selection keeps the time out, and with nothing
                // selected there is nothing to copy.
                const std::string_view name = command.name;
                const bool idle = selecting ? name == "pmNow" : name == "pmCopy";
                const bool changed = byKey.lines != kFour || byKey.colours != kFourColours ||
                                     byKey.clipboard != QStringLiteral("clip");
                QVERIFY2(changed != idle, command.name);
            }
        }
        // F9 opens the colour submenu at the caret.
        Fixture f;
        f.open(kFour, kFourColours);
        f.key(Qt::Key_F9);
        QTRY_VERIFY(f.editor.colourMenu()->isVisible());
        f.editor.colourMenu()->close();
    }
};

QTEST_MAIN(DayEditorTest)
#include "day_editor_test.moc"
