// The line editor of the search and memo windows: finding with each option, read-only,
// overwrite mode, the Insert and Delete key combinations and links.

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include "dialogs/line_editor.h"
#include "dialogs/link_opener.h"
#include "dialogs/text_find.h"
#include "editor_models/link_target.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

using namespace velmo;
using velmo::testing::ScriptedUserInterface;
using velmo::testing::TempFolder;

namespace {

FindOptions backward(FindOptions options = {}) {
    options.forward = false;
    return options;
}

// The text a match covers, or "-" for none.
QString found(const QString& text, const QString& needle, int from, const FindOptions& options) {
    const std::optional<TextMatch> match = findInText(text, needle, from, options);
    return match ? text.mid(match->start, match->length) : QStringLiteral("-");
}

struct Editor {
    LineEditor editor;

    explicit Editor(const QStringList& lines) {
        editor.resize(400, 200);
        editor.setLines(lines);
        editor.show();
        editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
    }
    void key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(&editor, key, mods);
    }
    QString selected() const { return editor.textCursor().selectedText(); }
    QString text() const { return editor.lines().join(QLatin1Char('\n')); }
};

}  // namespace

class LineEditorFindTest : public QObject {
    Q_OBJECT

private slots:
    void findsForwardAndBackwardFromAPosition() {
        const QString text = QStringLiteral("abc ABC abc");
        const std::optional<TextMatch> first = findInText(text, "abc", 0, {});
        QVERIFY(first);
        QCOMPARE(first->start, 0);
        QCOMPARE(findInText(text, "abc", 1, {})->start, 4);
        QCOMPARE(findInText(text, "abc", 11, backward())->start, 8);
        QCOMPARE(findInText(text, "abc", 10, backward())->start, 4);  // must end by 10
        QCOMPARE(findInText(text, "abc", 2, backward()), std::nullopt);
        QCOMPARE(findInText(text, "abc", 9, {}), std::nullopt);
        QCOMPARE(findInText(text, "", 0, {}), std::nullopt);
        QCOMPARE(findInText(text, "abc", 99, backward())->start, 8);  // clamped
    }

    void matchCaseAndWholeWord() {
        FindOptions exact;
        exact.matchCase = true;
        QCOMPARE(findInText("abc ABC", "ABC", 0, exact)->start, 4);
        QCOMPARE(found("ＡＢＣ", "ａｂｃ", 0, {}), QStringLiteral("ＡＢＣ"));
        QCOMPARE(found("ＡＢＣ", "ａｂｃ", 0, exact), QStringLiteral("-"));

        FindOptions words;
        words.wholeWord = true;
        QCOMPARE(findInText("cat_x cats cat.", "cat", 0, words)->start, 11);
        QCOMPARE(findInText("cat_x cats cat.", "cat", 15, backward(words))->start, 11);
        QCOMPARE(findInText("cat1 cat", "cat", 8, backward(words))->start, 5);
        QCOMPARE(findInText("会議室 会議", "会議", 0, words)->start, 4);
        QCOMPARE(findInText("会議室", "会議", 0, words), std::nullopt);
    }

    void ignoringWidth() {
        FindOptions width;
        width.ignoreWidth = true;
        QCOMPARE(found("予定ＡＢＣ１２３！", "abc123!", 0, width),
                 QStringLiteral("ＡＢＣ１２３！"));
        QCOMPARE(found("ABC", "ＡＢＣ", 0, width), QStringLiteral("ABC"));
        QCOMPARE(found("a　b", "a b", 0, width), QStringLiteral("a　b"));
        QCOMPARE(found("ABC", "ＡＢＣ", 0, {}), QStringLiteral("-"));
        // Half-width katakana with their marks are one character each.
        QCOMPARE(found("ｶﾞｯｺｳ ﾊﾟﾝ", "ガッコウ", 0, width), QStringLiteral("ｶﾞｯｺｳ"));
        QCOMPARE(found("ガッコウ パン", "ﾊﾟﾝ", 0, width), QStringLiteral("パン"));
        QCOMPARE(found("ｳﾞｧｲｵﾘﾝ", "ヴァ", 0, width), QStringLiteral("ｳﾞｧ"));
        QCOMPARE(found("ｶﾞ", "カ", 0, width), QStringLiteral("-"));
        // Backward from between the kana and its mark: the kana is not taken without it.
        QCOMPARE(found("ｶﾞ", "カ", 1, backward(width)), QStringLiteral("-"));
        QCOMPARE(found("ｶｶﾞ", "カ", 3, backward(width)), QStringLiteral("ｶ"));
    }

    void ignoringBreaksAndSpaces() {
        FindOptions breaks;
        breaks.ignoreBreaksAndSpaces = true;
        const QString text = QStringLiteral("x 会\n議\t室　予定");
        QCOMPARE(found(text, "会議室予定", 0, breaks), QStringLiteral("会\n議\t室　予定"));
        QCOMPARE(found(text, "会議 室", 0, breaks), QStringLiteral("会\n議\t室"));
        QCOMPARE(found(text, "会議室", 0, {}), QStringLiteral("-"));
        QCOMPARE(found(text, "議室", text.size(), backward(breaks)), QStringLiteral("議\t室"));
        QCOMPARE(found(text, " ", 0, breaks), QStringLiteral("-"));
    }

    void aLongTextIsSearchedQuickly() {
        QString text;
        for (int i = 0; i < 120000; ++i)
            text += QStringLiteral("%1 行目 予定 ｶﾞｯｺｳ　Meeting\n").arg(i);
        text += QStringLiteral("最後");
        FindOptions all;
        all.ignoreWidth = true;
        all.ignoreBreaksAndSpaces = true;
        all.wholeWord = true;
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(found(text, "最後", 0, all), QStringLiteral("最後"));
        QCOMPARE(findInText(text, "0行目", static_cast<int>(text.size()), backward(all)),
                 (std::optional<TextMatch>{{0, 4}}));
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    }

    void editorFindSelectsAndGoesOn() {
        Editor e({"one two", "three two", "Two"});
        e.editor.setCaret(0, 0);
        QVERIFY(e.editor.find("two", {}));
        QCOMPARE(e.editor.selectionRect()->startRow, 0);
        QVERIFY(e.editor.find("two", {}));
        QCOMPARE(e.editor.caretRow(), 1);
        QVERIFY(e.editor.find("two", {}));
        QCOMPARE(e.editor.caretRow(), 2);
        QCOMPARE(e.selected(), QStringLiteral("Two"));
        // No wrap: nothing further, and the selection stays.
        QVERIFY(!e.editor.find("two", {}));
        QCOMPARE(e.selected(), QStringLiteral("Two"));
        QVERIFY(e.editor.find("two", backward()));
        QCOMPARE(e.editor.caretRow(), 1);
        QVERIFY(e.editor.find("two", backward()));
        QCOMPARE(e.editor.caretRow(), 0);
        QVERIFY(!e.editor.find("two", backward()));
        FindOptions breaks;
        breaks.ignoreBreaksAndSpaces = true;
        e.editor.setCaret(0, 0);
        QVERIFY(e.editor.find("twothree", breaks));
        QCOMPARE(e.editor.selectionRect(), (LineSelection{0, 1, 4, 5}));
    }

    void findScrollsTheMatchIntoView() {
        QStringList lines;
        for (int i = 0; i < 500; ++i)
            lines << QStringLiteral("line %1").arg(i);
        Editor e(lines);
        e.editor.setCaret(0, 0);
        QVERIFY(e.editor.find("line 400", {}));
        QVERIFY(e.editor.topRow() > 300);
        QVERIFY(e.editor.viewport()->rect().contains(e.editor.cursorRect()));
    }

    void readOnlyRefusesEveryEdit() {
        Editor e({"abc"});
        e.key(Qt::Key_X);
        e.editor.setReadOnly(true);
        QVERIFY(!e.editor.canUndo());
        e.editor.setCaret(0, 1);
        QApplication::clipboard()->setText("clip");
        e.key(Qt::Key_Y);
        e.key(Qt::Key_Return, Qt::ShiftModifier);
        e.key(Qt::Key_Insert, Qt::ShiftModifier);
        e.key(Qt::Key_V, Qt::ControlModifier);
        e.editor.paste();
        e.key(Qt::Key_Delete);
        e.key(Qt::Key_Z, Qt::ControlModifier);
        e.editor.undoStep();
        e.editor.selectAll();
        e.key(Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(e.text(), QStringLiteral("xabc"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("clip"));
        QVERIFY(!e.editor.beginOwnerStep());
        e.editor.setReadOnly(false);
        QVERIFY(e.editor.canUndo());
        e.editor.undoStep();
        QCOMPARE(e.text(), QStringLiteral("abc"));
    }

    void overwriteTypingIsOneStep() {
        Editor e({"abcdef", "gh"});
        QSignalSpy toggled(&e.editor, &LineEditor::overwriteChanged);
        QSignalSpy edits(&e.editor, &LineEditor::textEdited);
        e.editor.setCaret(0, 1);
        e.key(Qt::Key_Insert);
        QVERIFY(e.editor.overwriting());
        QCOMPARE(toggled.count(), 1);
        QCOMPARE(toggled.at(0).at(0).toBool(), true);
        QTest::keyClicks(&e.editor, "XYZ");
        QCOMPARE(e.text(), QStringLiteral("aXYZef\ngh"));
        QCOMPARE(edits.count(), 3);  // one reported change a character
        QCOMPARE(e.editor.caretColumn(), 4);
        // At the end of a line there is nothing to overwrite.
        e.editor.setCaret(1, 2);
        QTest::keyClicks(&e.editor, "ij");
        QCOMPARE(e.text(), QStringLiteral("aXYZef\nghij"));
        e.editor.undoStep();
        QCOMPARE(e.text(), QStringLiteral("aXYZef\ngh"));
        e.editor.undoStep();
        QCOMPARE(e.text(), QStringLiteral("abcdef\ngh"));
        QVERIFY(!e.editor.canUndo());
        e.editor.redoStep();
        QCOMPARE(e.text(), QStringLiteral("aXYZef\ngh"));
        e.key(Qt::Key_Insert);
        QVERIFY(!e.editor.overwriting());
        QCOMPARE(toggled.count(), 2);
        e.editor.setCaret(0, 0);
        QTest::keyClicks(&e.editor, "Q");
        QCOMPARE(e.text(), QStringLiteral("QaXYZef\ngh"));
    }

    void insertAndDeleteCombinations() {
        Editor e({"alpha beta"});
        e.editor.setCaret(0, 0);
        for (int i = 0; i < 5; ++i)
            e.key(Qt::Key_Right, Qt::ShiftModifier);
        e.key(Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("alpha"));
        QVERIFY(!e.editor.textCursor().hasSelection());
        QCOMPARE(e.editor.caretColumn(), 5);
        e.editor.setCaret(0, 10);
        e.key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(e.text(), QStringLiteral("alpha betaalpha"));
        e.editor.setCaret(0, 6);
        for (int i = 0; i < 4; ++i)
            e.key(Qt::Key_Right, Qt::ShiftModifier);
        e.key(Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(e.text(), QStringLiteral("alpha alpha"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("beta"));
        e.editor.undoStep();
        QCOMPARE(e.text(), QStringLiteral("alpha betaalpha"));
    }

    void wheelScrollsOneLinePerNotch() {
        QStringList lines;
        for (int i = 0; i < 100; ++i)
            lines << QString::number(i);
        Editor e(lines);
        e.editor.setTopRow(10);
        const QPoint at = e.editor.viewport()->rect().center();
        QWheelEvent down(at, e.editor.viewport()->mapToGlobal(at), {}, {0, -240}, Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(e.editor.viewport(), &down);
        QCOMPARE(e.editor.topRow(), 12);
    }

    void wordsAndLinksAtAPoint() {
        Editor e(
            {"see https://example.com/a?b=1 now", "file:/tmp/x.txt www.example.jp", "plain words"});
        QCOMPARE(e.editor.linkAt(0, 10), QStringLiteral("https://example.com/a?b=1"));
        QCOMPARE(e.editor.linkAt(0, 1), std::nullopt);
        QCOMPARE(e.editor.linkAt(1, 3), QStringLiteral("file:/tmp/x.txt"));
        QCOMPARE(e.editor.linkAt(1, 20), QStringLiteral("www.example.jp"));
        e.editor.setCaret(2, 8);
        QCOMPARE(e.editor.wordAtCaret(), QStringLiteral("words"));
        e.editor.setCaret(0, 12);
        QCOMPARE(e.editor.wordAtCaret(), QStringLiteral("https://example.com/a?b=1"));
        QVERIFY(!e.editor.textCursor().hasSelection());
    }

    void doubleClickActivatesLinksWhenAsked() {
        Editor e({"see https://example.com/a now", "plain words"});
        QSignalSpy links(&e.editor, &LineEditor::linkActivated);
        QSignalSpy doubles(&e.editor, &LineEditor::doubleClicked);
        const auto doubleClickAt = [&](int row, int column) {
            e.editor.setCaret(row, column);
            QTest::mouseDClick(e.editor.viewport(), Qt::LeftButton, {},
                               e.editor.cursorRect().center());
        };
        // Off, as in the day editor: the link is selected.
        doubleClickAt(0, 8);
        QCOMPARE(e.selected(), QStringLiteral("https://example.com/a"));
        QCOMPARE(links.count(), 0);
        QCOMPARE(doubles.count(), 1);

        e.editor.setActivatesLinks(true);
        doubleClickAt(0, 8);
        QCOMPARE(links.count(), 1);
        QCOMPARE(links.at(0).at(0).toString(), QStringLiteral("https://example.com/a"));
        QCOMPARE(doubles.count(), 1);
        doubleClickAt(1, 8);
        QCOMPARE(e.selected(), QStringLiteral("words"));
        QCOMPARE(links.count(), 1);
        QCOMPARE(doubles.count(), 2);
    }

    void handPointerOverLinksAfterEnoughMovement() {
        Editor e({"https://example.com/long/path/to/a/page", "plain words here"});
        e.editor.setActivatesLinks(true);
        e.editor.setCaret(0, 5);
        const QPoint overLink = e.editor.cursorRect().center();
        e.editor.setCaret(1, 5);
        const QPoint overWord = e.editor.cursorRect().center();
        QWidget* viewport = e.editor.viewport();
        const auto moveTo = [&](QPoint at) {
            QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
        };
        moveTo(overWord);
        QCOMPARE(viewport->cursor().shape(), Qt::IBeamCursor);
        moveTo(overLink);
        QCOMPARE(viewport->cursor().shape(), Qt::PointingHandCursor);
        // With the link gone, moves of less than 8 pixels across or 4 down do not look
        // again; a longer one does.
        e.editor.setLines({"plain words over the place where the link was", ""});
        moveTo(overLink + QPoint(7, 3));
        QCOMPARE(viewport->cursor().shape(), Qt::PointingHandCursor);
        moveTo(overLink + QPoint(-7, -3));
        QCOMPARE(viewport->cursor().shape(), Qt::PointingHandCursor);
        moveTo(overLink + QPoint(0, 4));
        QCOMPARE(viewport->cursor().shape(), Qt::IBeamCursor);
        moveTo(overLink);
        e.editor.setLines({"https://example.com/long/path/to/a/page", ""});
        moveTo(overLink + QPoint(8, 0));
        QCOMPARE(viewport->cursor().shape(), Qt::PointingHandCursor);
    }

    void openingLinksAsksOrNames() {
        TempFolder folder;
        ScriptedUserInterface ui;
        const std::string missing = (folder / "gone.txt").string();
        openLink(QString::fromStdString("file://" + missing), ui);
        QCOMPARE(ui.texts(), std::vector<std::string>{missingLinkMessage(missing)});
        ui.clearShown();

        // No (preselected) runs nothing: the script would leave a file behind.
        const std::string marker = (folder / "ran").string();
        const auto script = folder.write("job.sh", "#!/bin/sh\ntouch '" + marker + "'\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
        ui.answer(false);
        openLink(QString::fromStdString("file:" + script.string()), ui);
        QTest::qWait(200);
        QVERIFY(!std::filesystem::exists(marker));
        QCOMPARE(ui.shown().size(), std::size_t{1});
        QCOMPARE(ui.shown()[0].text, runLinkQuestion(script.string()));
        QCOMPARE(ui.shown()[0].defaultButton, DefaultButton::No);
        ui.answer(true);
        openLink(QString::fromStdString("file:" + script.string()), ui);
        QTRY_VERIFY(std::filesystem::exists(marker));
    }
};

QTEST_MAIN(LineEditorFindTest)
#include "line_editor_find_test.moc"
