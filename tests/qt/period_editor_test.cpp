// The period page of the editor window driven by keys: fields filled from a range or a
// record, the spinners, the write button's checks and the record it leads to.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "dialogs/day_editor.h"
#include "editor_models/period_form.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"

using namespace velmo;
using velmo::testing::FakeClock;
using velmo::testing::ScriptedUserInterface;

namespace {

std::int32_t jd(int y, int m, int d) {
    return ymdToJuliusDay(y, m, d);
}

// Japanese text arrives from the input method as a commit.
void commit(QWidget* widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

struct Fixture {
    ScriptedUserInterface ui;
    FakeClock clock;
    TfmDay editor{ui, clock};

    PeriodPage* page() { return editor.periodPage(); }
    void open(const PeriodForm& form) {
        editor.openPeriod(form);
        editor.show();
        editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
    }
    // Types a value into a date box, replacing what it held.
    void type(DateFields* fields, DateField field, const QString& value) {
        DateFieldBox* box = fields->box(field);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, value);
    }
    void write() { QTest::keyClick(page()->summaryEdit(), Qt::Key_Return, Qt::ControlModifier); }
};

}  // namespace

class PeriodEditorTest : public QObject {
    Q_OBJECT

private slots:
    void aNewPeriodFromAMarkedRange() {
        Fixture f;
        f.open(newPeriodForm(jd(2003, 3, 3), jd(2003, 3, 6), 2, 1, 2, 0x00FF00));
        QCOMPARE(f.page()->actionLabel()->text(), QStringLiteral("追加"));
        QCOMPARE(f.page()->summaryDate()->date(), (Ymd{2003, 3, 4}));
        QCOMPARE(f.page()->startPart()->currentText(), QStringLiteral("昼"));
        QCOMPARE(f.page()->endPart()->currentText(), QStringLiteral("朝"));
        QCOMPARE(f.page()->thicknessBox()->value(), 2);
        QVERIFY(f.page()->summaryEdit()->hasFocus());
        QVERIFY(!f.editor.hasUnsavedInput());

        // A summary date before the start moves to the middle; typed text is kept.
        f.type(f.page()->summaryDate(), DateField::Day, "2");
        commit(f.page()->summaryEdit(), QStringLiteral("出張"));
        QVERIFY(f.editor.hasUnsavedInput());
        f.write();
        QVERIFY(!f.editor.isVisible());
        QVERIFY(f.editor.writeBack());
        PeriodForm form = f.editor.periodForm();
        QCOMPARE(form.summaryDate, (Ymd{2003, 3, 4}));
        QCOMPARE(QString::fromStdString(form.summary), QStringLiteral("出張"));

        // A summary date on the start day stays; the page stores even untouched.
        f.open(newPeriodForm(jd(2003, 3, 3), jd(2003, 3, 6), 1, 3, 1, 0));
        f.type(f.page()->summaryDate(), DateField::Day, "3");
        f.editor.writeButton()->click();
        QVERIFY(f.editor.writeBack());
        QCOMPARE(f.editor.periodForm().summaryDate, (Ymd{2003, 3, 3}));
        QVERIFY(f.ui.shown().empty());
    }

    void spinnersWrapAndCarry() {
        Fixture f;
        f.open(newPeriodForm(jd(2003, 12, 31), jd(2004, 3, 1), 1, 3, 1, 0));
        DateFieldBox* startDay = f.page()->startDate()->box(DateField::Day);
        startDay->setFocus();
        QTest::keyClick(startDay, Qt::Key_Up);
        QCOMPARE(f.page()->startDate()->date(), (Ymd{2004, 1, 1}));
        QTest::keyClick(startDay, Qt::Key_Down);
        QCOMPARE(f.page()->startDate()->date(), (Ymd{2003, 12, 31}));
        // Day down on 1 March gives 31 February, which the write button refuses.
        DateFieldBox* endDay = f.page()->endDate()->box(DateField::Day);
        endDay->setFocus();
        QTest::keyClick(endDay, Qt::Key_Down);
        QCOMPARE(f.page()->endDate()->date(), (Ymd{2004, 2, 31}));
        f.write();
        QVERIFY(f.editor.isVisible());
        QCOMPARE(f.ui.texts(), std::vector<std::string>{"不正な日付：2004/02/31"});
        QVERIFY(endDay->hasFocus());

        // Enter moves on; Left and Right cross between the boxes of a date.
        DateFieldBox* endYear = f.page()->endDate()->box(DateField::Year);
        endYear->setFocus();
        QTest::keyClick(endYear, Qt::Key_Return);
        QVERIFY(f.page()->endDate()->box(DateField::Month)->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QVERIFY(endDay->hasFocus());
        QTest::keyClick(endDay, Qt::Key_Home);
        QTest::keyClick(endDay, Qt::Key_Left);
        QVERIFY(f.page()->endDate()->box(DateField::Month)->hasFocus());

        // The window can always be closed.
        f.ui.answer(true);
        QTest::keyClick(endDay, Qt::Key_Escape);
        QVERIFY(!f.editor.isVisible());
        QVERIFY(!f.editor.writeBack());
    }

    void datesAreCheckedBeforeTheyAreUsed() {
        Fixture f;
        f.open(newPeriodForm(jd(1582, 10, 1), jd(1582, 10, 20), 1, 3, 1, 0));
        // A day the calendar change skipped.
        f.type(f.page()->startDate(), DateField::Day, "10");
        f.write();
        QVERIFY(f.editor.isVisible());
        QCOMPARE(f.ui.texts().back(), std::string("不正な日付：1582/10/10"));

        // An end before the start, typed: refused with a reason.
        f.type(f.page()->startDate(), DateField::Day, "15");
        f.type(f.page()->endDate(), DateField::Day, "4");
        f.write();
        QVERIFY(f.editor.isVisible());
        QCOMPARE(f.ui.texts().back(), std::string(kPeriodReversedMessage));
        // The same day, evening to morning, is reversed too.
        f.type(f.page()->endDate(), DateField::Day, "15");
        f.page()->startPart()->setCurrentIndex(2);
        f.page()->endPart()->setCurrentIndex(0);
        f.write();
        QVERIFY(f.editor.isVisible());
        f.page()->endPart()->setCurrentIndex(2);
        f.write();
        QVERIFY(!f.editor.isVisible());
        QVERIFY(f.editor.writeBack());
        QVERIFY(confirmPeriodDates(f.editor.periodForm(), f.ui));
    }

    void theRecordOfAChangedPeriod() {
        Fixture f;
        f.open(periodFormOf("2024, 9,10,X,2024, 9,13,A,2024, 9,11,3,clBlue,1，000円,PC-01,,,,,",
                            0x484848, 0xFF0000));
        QCOMPARE(f.page()->actionLabel()->text(), QStringLiteral("修正"));
        QCOMPARE(f.page()->summaryEdit()->text(), QStringLiteral("1,000円"));
        QCOMPARE(f.page()->startPart()->currentText(), QStringLiteral("朝"));
        QCOMPARE(f.page()->colour(), Colour{0xFF0000});

        // Line breaks pasted into the summary become spaces.
        QApplication::clipboard()->setText("会議\r\n第2\n回");
        f.page()->summaryEdit()->setFocus();
        QTest::keyClick(f.page()->summaryEdit(), Qt::Key_End);
        QTest::keyClick(f.page()->summaryEdit(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(f.page()->summaryEdit()->text(), QStringLiteral("1,000円会議 第2 回"));
        QVERIFY(f.editor.hasUnsavedInput());

        f.type(f.page()->startDate(), DateField::Year, "3");
        f.page()->startPart()->setCurrentIndex(1);
        f.editor.setColourChooser([](Colour, QWidget*) { return Colour{0x0000FF}; });
        f.page()->colourButton()->click();
        QTest::keyClick(f.page()->summaryEdit(), Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(f.editor.writeBack());
        QCOMPARE(formatPeriodRecord(periodRecordOf(f.editor.periodForm())),
                 std::string("   3, 9,10,A,2024, 9,13,A,2024, 9,11,3,clRed,"
                             "1，000円会議 第2 回,PC-01,,,,,"));

        QApplication::processEvents();
        f.open(newPeriodForm(jd(2003, 3, 3), jd(2003, 3, 6), 1, 3, 1, 0xFF0000));
        commit(f.page()->summaryEdit(), QStringLiteral("出張 (大阪)"));
        QApplication::processEvents();
        f.editor.grab().save("/tmp/period_editor.png");
    }
};

QTEST_MAIN(PeriodEditorTest)
#include "period_editor_test.moc"
