// Memorial days in their windows: the bulk grid over Sday.myc (what it shows, what it
// writes byte for byte, what it refuses and keeps) and the day editor's memorial-day
// page driven through the registering logic.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "calendar/julius_day.h"
#include "dialogs/day_editor.h"
#include "dialogs/memorial_day_window.h"
#include "dialogs/memorial_grid_dialog.h"
#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

using namespace velmo;
using velmo::testing::FakeClock;
using velmo::testing::RecordingSleeper;
using velmo::testing::ScriptedUserInterface;
using velmo::testing::TempFolder;

namespace {

using Lines = std::vector<std::string>;

// "7,x,y" is a 3-field line whose day is not a number: the grid cannot show it.
const char* const kFile = "2000,,1,,2,2,成人の日\r\n12,24,イブ\r\n7,x,y\r\n,,3,5,,,雛祭り\r\n";

struct Grid {
    TempFolder temp;
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    std::unique_ptr<MemorialGridDialog> dialog;

    explicit Grid(const char* fileText = kFile) {
        temp.write("Sday.myc", cp932::encode(fileText));
        dialog = std::make_unique<MemorialGridDialog>(folder(), ui, sleeper);
        dialog->show();
        dialog->activateWindow();
        if (!QTest::qWaitForWindowActive(dialog.get()))
            qWarning("the grid window did not become active");
    }
    std::string folder() const { return temp.path().string() + "/"; }
    std::string fileBytes() const { return TempFolder::read(temp / "Sday.myc"); }
    QTableWidget* table() const { return dialog->table(); }
    QString cell(int row, int column) const { return table()->item(row, column)->text(); }
    // Opens the cell with F2 and types into its editor, as a user would.
    QWidget* open(int row, int column) {
        table()->setCurrentCell(row, column);
        table()->setFocus();
        QTest::keyClick(table(), Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        return editor != table() ? editor : nullptr;
    }
    void finish(QWidget* editor) {
        QTest::keyClick(editor, Qt::Key_Return);
        // The view takes an editor's text after Return in a queued call.
        QCoreApplication::processEvents();
    }
    // Keys, or text committed by an input method as Japanese input arrives.
    void type(int row, int column, const QString& text, bool inputMethod = false) {
        QWidget* editor = open(row, column);
        QVERIFY(editor);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        if (inputMethod)
            QApplication::sendEvent(editor, &commit);
        else
            QTest::keyClicks(editor, text);
        finish(editor);
    }
};

QLabel* memorialWeekdayLabel(const TfmDay& editor) {
    for (QLabel* label : editor.findChild<QWidget*>("tsKinenbi")->findChildren<QLabel*>()) {
        if (label->text().startsWith(QStringLiteral("（")))
            return label;
    }
    return nullptr;
}

}  // namespace

class MemorialGridDialogTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheFileAndTakesOnlyStorableInput() {
        Grid g;
        QCOMPARE(g.dialog->windowTitle(), QStringLiteral("ベルモ -Velmo-"));
        QVERIFY(g.dialog->isModal());
        QCOMPARE(g.table()->rowCount(), 3);
        QCOMPARE(g.table()->horizontalHeaderItem(6)->text(), QStringLiteral("記念日等"));
        QCOMPARE(g.table()->model()->headerData(2, Qt::Vertical).toString(), QStringLiteral("3"));
        QCOMPARE(g.dialog->rows()[0],
                 (MemorialGridRow{"2000", "", "1", "", "月曜日", "2", "成人の日"}));
        QCOMPARE(g.cell(2, 6), QStringLiteral("雛祭り"));
        QCOMPARE(g.dialog->keptLines(), Lines{"7,x,y"});
        QVERIFY(g.dialog->noticeLabel()->text().contains(QStringLiteral("1 行")));
        QVERIFY(!g.dialog->hasUnwrittenChanges());

        // Letters never reach a number cell; full-width digits arrive as ASCII.
        g.type(1, 0, QStringLiteral("2O24"));
        QCOMPARE(g.cell(1, 0), QStringLiteral("224"));
        g.type(1, 1, QStringLiteral("－１９９０"), true);
        QCOMPARE(g.cell(1, 1), QStringLiteral("-1990"));
        // The weekday is a choice of none and the seven long names.
        auto* combo = qobject_cast<QComboBox*>(g.open(1, 4));
        QVERIFY(combo);
        QCOMPARE(combo->count(), 8);
        QTest::keyClick(combo, Qt::Key_End);
        g.finish(combo);
        QCOMPARE(g.cell(1, 4), QStringLiteral("土曜日"));
        QVERIFY(g.dialog->hasUnwrittenChanges());
        QVERIFY(g.ui.shown().empty());
    }

    void writesSevenFieldLinesAndKeepsUnreadLines() {
        Grid g;
        g.type(1, 2, QStringLiteral("11"));                  // イブ moves to November
        g.table()->item(0, 6)->setText(QString());           // a blank name drops the row
        g.table()->item(2, 6)->setText("桃の節句 2024,雛");  // space and comma stored wide
        g.table()->item(2, 4)->setText(QStringLiteral("土曜日"));
        g.table()->setCurrentCell(1, 2);
        g.dialog->insertButton()->click();
        QCOMPARE(g.cell(2, 6), QStringLiteral("イブ"));  // the new row went above
        g.type(1, 2, QStringLiteral("8"));
        g.table()->item(1, 6)->setText(QStringLiteral("夏休み"));

        g.dialog->writeButton()->click();
        QVERIFY(g.ui.shown().empty());
        QCOMPARE(g.fileBytes(), cp932::encode(",,8,,,,夏休み\r\n,,11,24,,,イブ\r\n"
                                              ",,3,5,7,,桃の節句　2024，雛\r\n7,x,y\r\n"));
        // The window stays open and shows the file as written.
        QVERIFY(g.dialog->isVisible());
        QCOMPARE(g.table()->rowCount(), 3);
        QCOMPARE(g.cell(2, 6), QStringLiteral("桃の節句　2024，雛"));
        QVERIFY(!g.dialog->hasUnwrittenChanges());

        g.table()->setCurrentCell(0, 6);
        g.dialog->deleteButton()->click();
        QVERIFY(g.dialog->write());
        QCOMPARE(g.fileBytes(),
                 cp932::encode(",,11,24,,,イブ\r\n,,3,5,7,,桃の節句　2024，雛\r\n7,x,y\r\n"));
        g.dialog->closeButton()->click();  // nothing unwritten: no question
        QVERIFY(!g.dialog->isVisible());
        QVERIFY(g.ui.shown().empty());
    }

    void aCellThatCannotBeStoredWritesNothing() {
        Grid g("20x0,,4,1,,,エイプリル\r\n12,24,イブ\r\n");
        const std::string before = g.fileBytes();
        QVERIFY(!g.dialog->write());
        QCOMPARE(g.ui.texts(), Lines{"1行目の「年１～」が正しくありません。"});
        QCOMPARE(g.ui.shown()[0].caption, std::string("確認 -ベルモ-"));

        g.type(0, 0, QStringLiteral("2020"));
        g.type(1, 2, QStringLiteral("13"));
        // Asked on closing, Yes tries to write; the refused cell keeps the window open
        // with that cell current.
        g.ui.answer(true);
        g.dialog->closeButton()->click();
        QVERIFY(g.dialog->isVisible());
        QCOMPARE(g.ui.texts(),
                 (Lines{"1行目の「年１～」が正しくありません。", "変更を書き込みますか？",
                        "2行目の「月」が正しくありません。"}));
        QCOMPARE(g.ui.shown()[1].caption, std::string("確認"));
        QCOMPARE(g.table()->currentRow(), 1);
        QCOMPARE(g.table()->currentColumn(), 2);
        QCOMPARE(g.fileBytes(), before);
    }

    void closingWithUnwrittenChanges() {
        {
            Grid g;  // No discards
            g.table()->item(1, 6)->setText(QStringLiteral("聖夜"));
            g.ui.answer(false);
            QTest::keyClick(g.table(), Qt::Key_Escape);
            QVERIFY(!g.dialog->isVisible());
            QCOMPARE(g.ui.texts(), Lines{"変更を書き込みますか？"});
            QCOMPARE(g.fileBytes(), cp932::encode(kFile));
        }
        Grid g;  // Yes writes, even what is still in an open cell
        QWidget* name = g.open(1, 6);
        QVERIFY(name);
        QTest::keyClick(name, Qt::Key_End);
        QTest::keyClicks(name, QStringLiteral("!"));
        g.ui.answer(true);
        g.dialog->close();
        QVERIFY(!g.dialog->isVisible());
        QCOMPARE(g.fileBytes(), cp932::encode("2000,,1,,2,2,成人の日\r\n,,12,24,,,イブ!\r\n"
                                              ",,3,5,,,雛祭り\r\n7,x,y\r\n"));
    }

    void anUnreadableFileIsNeverWrittenOver() {
        TempFolder temp;
        ScriptedUserInterface ui;
        RecordingSleeper sleeper;
        std::filesystem::create_directory(temp / "Sday.myc");
        const std::string folder = temp.path().string() + "/";
        MemorialGridDialog dialog(folder, ui, sleeper);
        QCOMPARE(ui.texts(), Lines{"読込エラー[" + folder + "Sday.myc]"});
        QVERIFY(!dialog.writeButton()->isEnabled());
        QVERIFY(!dialog.write());
        dialog.show();
        dialog.closeButton()->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(ui.shown().size(), 1u);
        QVERIFY(std::filesystem::is_directory(temp / "Sday.myc"));
    }

    void theDayEditorPageRegistersAMemorialDay() {
        TempFolder temp;
        ScriptedUserInterface ui;
        FakeClock clock;
        RecordingSleeper sleeper;
        TfmDay editor(ui, clock);
        TfmDayMemorialDialog dialog(editor);
        DayRules rules;
        rules.setSpecialDayList({"1990,,3,9,,,1，000日目　記念"});
        auto* name = editor.findChild<QLineEdit*>("edtKinenbi");
        QString label;
        QColor colour;
        const auto visit = [&](int day, auto&& edit) {
            QTimer::singleShot(0, &editor, [&] {
                QLabel* weekday = memorialWeekdayLabel(editor);
                label = weekday ? weekday->text() : QString();
                colour = weekday ? weekday->palette().color(QPalette::WindowText) : QColor();
                edit();
            });
            return editMemorialDay(rules, ymdToJuliusDay(2024, 3, day), dialog,
                                   temp.path().string() + "/", ui, sleeper);
        };

        // Tuesday 5 March: a new day typed with a space and a comma.
        QCOMPARE(visit(5,
                       [&] {
                           QTest::keyClicks(name, "Tea time, again");
                           editor.writeButton()->click();
                       }),
                 MemorialDayEditOutcome::Saved);
        QCOMPARE(label, QStringLiteral("（ 火曜日 ）"));
        QCOMPARE(colour, QApplication::palette().color(QPalette::WindowText));
        QCOMPARE(TempFolder::read(temp / "Sday.myc"),
                 cp932::encode("1990,,3,9,,,1，000日目　記念\r\n,,3,5,,,Tea　time，　again\r\n"));

        // Saturday 9 March, blue: the stored name comes back as it was typed.
        QCOMPARE(visit(9,
                       [&] {
                           QCOMPARE(name->text(), QStringLiteral("1,000日目 記念"));
                           editor.cancelButton()->click();
                       }),
                 MemorialDayEditOutcome::Unchanged);
        QCOMPARE(label, QStringLiteral("（ 土曜日 ）"));
        QCOMPARE(colour, QColor(0, 0, 255));
        QVERIFY(ui.shown().empty());
    }
};

QTEST_MAIN(MemorialGridDialogTest)
#include "memorial_grid_dialog_test.moc"
