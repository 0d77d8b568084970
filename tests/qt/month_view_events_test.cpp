// Real mouse events on the month view of a main window over the sample data: what
// opens, what is marked and what ends up in the files.

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>
#include <filesystem>
#include <functional>

#include "app/main_window.h"
#include "app/month_page.h"
#include "app/month_view_actions.h"
#include "calendar/julius_day.h"
#include "dialogs/day_editor.h"
#include "editor_models/day_editor_lines.h"
#include "monthview/hit_test.h"
#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"

using namespace velmo;
using velmo::testing::FakeClock;
using velmo::testing::RecordingSleeper;
using velmo::testing::ScriptedUserInterface;

namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Typing as an input method delivers it: key events that carry their text.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

QByteArray cp932Bytes(const std::string& text) {
    return QByteArray::fromStdString(cp932::encode(text));
}

struct Run {
    Run() : clock({2024, 9, 10, 9, 0, 0, 0}) {
        std::filesystem::copy(VELMO_SOURCE_DIR "/tests/data/sample_home", home.path().toStdString(),
                              std::filesystem::copy_options::recursive);
        f.startFolder = home.path().toStdString() + "/";
        f.settingsFolder = f.startFolder;
        f.settingsFile = f.startFolder + "Torka.ini";
        f.localOperation = true;
        f.computerName = "PC-01";
        window = std::make_unique<TfmC21>(MainWindowContext{f, {}, ui, clock, sleeper});
        // Menus are answered by the tests: the item with this caption, or none.
        window->monthViewActions()->setMenuRunner([this](QMenu& menu, const QPoint&) {
            menuSeen.clear();
            QAction* chosen = nullptr;
            for (QAction* action : menu.actions()) {
                if (action->isSeparator() || !action->isVisible())
                    continue;
                menuSeen << action->text();
                if (action->text() == menuChoice && action->isEnabled())
                    chosen = action;
            }
            return chosen;
        });
        QObject::connect(editor(), &TfmDay::editingShown, [this] { ++editorOpened; });
    }

    TKvMCal* view() { return window->monthPage()->view(); }
    TKvMCalModel& model() { return view()->model(); }
    TfmDay* editor() { return window->dayEditor(); }
    QString file(const QString& name) { return home.path() + "/Data/Files1/" + name; }

    // A point of the grid where the hit satisfies the condition, middle third first.
    QPoint pointWhere(const std::function<bool(const MonthHit&)>& wanted) {
        const Size size = model().controlSize();
        for (int third : {2, 1, 3}) {
            for (int y = 0; y < size.height; y += 2) {
                for (int x = 0; x < size.width; x += 3) {
                    const MonthHit hit = hitTestMonth(model(), {x, y});
                    if (hit.inGrid && hit.third == third && wanted(hit))
                        return {x, y};
                }
            }
        }
        qFatal("no such point");
    }
    SlotKind kindAt(const MonthHit& hit) {
        if (hit.linePosition < 1 || hit.linePosition > model().properties().ItemGyo)
            return SlotKind::Free;
        return model().cellSlot(hit.cellIndex(), hit.linePosition - 1).kind;
    }
    // The date band of a day (never a line).
    QPoint dateBandOf(int year, int month, int day, int third = 2) {
        const std::int32_t wanted = ymdToJuliusDay(year, month, day);
        return pointWhere([&](const MonthHit& h) {
            return h.day == wanted && h.third == third &&
                   h.linePosition == model().properties().ItemGyo + 1;
        });
    }

    void send(QEvent::Type type, QPoint at, Qt::MouseButton button,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, at, view()->mapToGlobal(at), button, held, modifiers);
        QApplication::sendEvent(view(), &event);
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        send(QEvent::MouseButtonPress, at, button, modifiers);
        send(QEvent::MouseButtonRelease, at, button, modifiers);
    }
    void doubleClick(QPoint at) {
        click(at);
        send(QEvent::MouseButtonDblClick, at, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, at, Qt::LeftButton);
    }
    // What the editor does once it is shown: typing, then the write button.
    void whenEditorOpens(std::function<void()> edit) {
        QTimer::singleShot(0, editor(), [this, edit = std::move(edit)] {
            edit();
            editor()->writeButton()->click();
        });
    }

    QTemporaryDir home;
    StartFolders f;
    ScriptedUserInterface ui;
    FakeClock clock;
    RecordingSleeper sleeper;
    std::unique_ptr<TfmC21> window;
    QString menuChoice;
    QStringList menuSeen;
    int editorOpened = 0;
};

}  // namespace

class MonthViewEventsTest : public QObject {
    Q_OBJECT

private slots:
    void doubleClickEditsADayAndTheLinesAreStored() {
        Run run;
        run.whenEditorOpens([&] {
            QCOMPARE(run.editor()->mode(), int(TfmDay::DayMode));
            QPlainTextEdit* memo = run.editor()->memo();
            memo->setFocus();
            typeText(memo, "朝会, 9時");
            QTest::keyClick(memo, Qt::Key_Return);
            typeText(memo, "来客");
            QTest::keyClick(memo, Qt::Key_Return);
            typeText(memo, "日報");
            // The second line in red.
            QTextCursor cursor(memo->document()->findBlockByNumber(1));
            memo->setTextCursor(cursor);
            run.editor()->colourLines(TfmDay::ColourCommand::Red);
        });
        const auto linesShown = [&] {
            const int cell = ymdToJuliusDay(2024, 9, 17) - run.model().cellDay(0);
            int shown = 0;
            for (int slot = 0; slot < run.model().properties().ItemGyo; ++slot)
                shown += run.model().cellSlot(cell, slot).kind == SlotKind::DayLine;
            return shown;
        };
        QCOMPARE(linesShown(), 0);
        run.doubleClick(run.dateBandOf(2024, 9, 17));
        QCOMPARE(run.editorOpened, 1);
        // The cell shows the lines at once.
        QCOMPARE(linesShown(), 3);

        QVERIFY(run.window->close());
        run.window.reset();
        const QByteArray bytes = readBytes(run.file("Ca202409.myc"));
        QVERIFY(
            bytes.contains(cp932Bytes("17,1,,朝会， 9時,,,,,,\r\n17,2,,来客,clRed,,,,,\r\n"
                                      "17,3,,日報,,,,,,\r\n")));
        // The next start shows them again, the comma as typed.
        TfmC21 again({run.f, {}, run.ui, run.clock, run.sleeper});
        const DayEditorLines lines = readDayEditorLines(
            again.monthPage()->view()->model().monthSlots()[kCurrentMonthSlot], 17);
        QCOMPARE(lines.texts, (std::vector<std::string>{"朝会, 9時", "来客", "日報"}));
        QCOMPARE(lines.records.at(1).attr.color, Colour{0x0000FF});
    }

    void aLineOpensAtOnceAndAnEmptyPlaceWantsCtrl() {
        Run run;
        QTimer::singleShot(0, run.editor(), [&] { run.editor()->cancel(); });
        const std::int32_t third = ymdToJuliusDay(2024, 9, 3);
        const QPoint line = run.pointWhere([&](const MonthHit& h) {
            return h.day == third && run.kindAt(h) == SlotKind::DayLine;
        });
        run.click(line);
        QCOMPARE(run.editorOpened, 1);
        QCOMPARE(run.model().juliusDay(), third);

        run.click(run.dateBandOf(2024, 9, 4));
        QCOMPARE(run.editorOpened, 1);
        QCOMPARE(run.model().juliusDay(), third + 1);
        QTimer::singleShot(0, run.editor(), [&] { run.editor()->cancel(); });
        run.click(run.dateBandOf(2024, 9, 4), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(run.editorOpened, 2);
        // A press on the header row selects nothing.
        run.click({300, 5});
        QCOMPARE(run.model().juliusDay(), third + 1);
    }

    void shiftDragMarksANewPeriodEitherWay() {
        for (const bool backwards : {false, true}) {
            Run run;
            const QPoint fifth = run.dateBandOf(2024, 9, 5, 1);
            const QPoint eighth = run.dateBandOf(2024, 9, 8, 3);
            const QPoint from = backwards ? eighth : fifth;
            const QPoint to = backwards ? fifth : eighth;
            PeriodForm opened;
            run.whenEditorOpens([&] {
                opened = run.editor()->periodForm();
                typeText(run.editor()->findChild<QLineEdit*>("KvEdit4"), "棚卸");
            });
            run.send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::ShiftModifier);
            run.send(QEvent::MouseMove, to, Qt::LeftButton, Qt::ShiftModifier);
            // The marked cells are highlighted while the button is down.
            QCOMPARE(run.model().state().RangeStart, ymdToJuliusDay(2024, 9, 5));
            QCOMPARE(run.model().state().RangeEnd, ymdToJuliusDay(2024, 9, 8));
            const std::size_t before = run.model().periods().lines.size();
            run.send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::ShiftModifier);
            QCOMPARE(opened.start, (Ymd{2024, 9, 5}));
            QCOMPARE(opened.end, (Ymd{2024, 9, 8}));
            QCOMPARE(opened.startPart, DayPart::Morning);
            QCOMPARE(opened.endPart, DayPart::Evening);
            QVERIFY(opened.isNew);
            QCOMPARE(run.model().periods().lines.size(), before + 1);
            const auto& lines = run.model().periods().lines;
            QVERIFY(std::find(lines.begin(), lines.end(),
                              "2024, 9, 5,M,2024, 9, 8,E,2024, 9, 6,1,clBlue,棚卸,PC-01,,,,,") !=
                    lines.end());
            QCOMPARE(run.model().state().RangeStart, 0);
        }
    }

    void menuMarkingRefusesAnEndBeforeTheStart() {
        Run run;
        run.menuChoice = "期間予定開始(&A)";
        run.click(run.dateBandOf(2024, 9, 10), Qt::RightButton);
        QVERIFY(run.menuSeen.contains("予定編集(&E)"));
        QCOMPARE(run.model().state().RangeStart, ymdToJuliusDay(2024, 9, 10));

        run.menuChoice = "期間予定終了(&Z)";
        run.click(run.dateBandOf(2024, 9, 5), Qt::RightButton);
        QCOMPARE(run.ui.texts().back(), std::string("初めと終わりが逆です。"));
        QCOMPARE(run.model().state().RangeStart, 0);
        QCOMPARE(run.editorOpened, 0);

        // The right order opens the period editor.
        run.menuChoice = "期間予定開始(&A)";
        run.click(run.dateBandOf(2024, 9, 5), Qt::RightButton);
        QTimer::singleShot(0, run.editor(), [&] { run.editor()->cancel(); });
        run.menuChoice = "期間予定終了(&Z)";
        run.click(run.dateBandOf(2024, 9, 7), Qt::RightButton);
        QCOMPARE(run.editorOpened, 1);
        QCOMPARE(run.editor()->periodForm().end, (Ymd{2024, 9, 7}));
    }

    void aBarIsSelectedThenOpenedOrDeleted() {
        Run run;
        const QPoint bar = run.pointWhere([&](const MonthHit& h) {
            return run.model().inDisplayedMonth(h.day) && run.kindAt(h) == SlotKind::Period;
        });
        const MonthHit hit = hitTestMonth(run.model(), {bar.x(), bar.y()});
        const int index = run.model().cellSlot(hit.cellIndex(), hit.linePosition - 1).lineIndex;
        run.click(bar);
        QCOMPARE(run.model().periods().selectedPeriod, index);
        QCOMPARE(run.editorOpened, 0);

        // Clicking the selected bar again opens it for a change.
        PeriodForm opened;
        QTimer::singleShot(0, run.editor(), [&] {
            opened = run.editor()->periodForm();
            run.editor()->cancel();
        });
        run.click(bar);
        QCOMPARE(run.editorOpened, 1);
        QVERIFY(!opened.isNew);

        // Selected again, the right button offers the delete menu.
        run.click(bar);
        QCOMPARE(run.model().periods().selectedPeriod, index);
        const std::string deleted = run.model().periods().lines.at(index);
        const std::size_t before = run.model().periods().lines.size();
        run.ui.answer(true);
        run.menuChoice = "削除(&D)";
        run.click(bar, Qt::RightButton);
        QCOMPARE(run.menuSeen, (QStringList{"キャンセル(&C)", "削除(&D)"}));
        QCOMPARE(run.model().periods().lines.size(), before - 1);
        QVERIFY(std::find(run.model().periods().lines.begin(), run.model().periods().lines.end(),
                          deleted) == run.model().periods().lines.end());
    }

    void aNeighbourDayBeforeTheWindowOpensAFreeMonth() {
        Run run;
        run.model().set(&KvMCalProperties::NeighborJump, true);
        run.window->monthPage()->tabs()->setCurrentIndex(0);  // August, the window's first
        QCOMPARE(run.model().month(), 8);
        run.click(run.dateBandOf(2024, 7, 30));
        QVERIFY(run.window->monthPage()->session().freeMonthMode());
        QCOMPARE(run.model().month(), 7);
        QCOMPARE(run.model().juliusDay(), ymdToJuliusDay(2024, 7, 30));
        QCOMPARE(run.window->monthPage()->tabs()->tabText(0), QString("2024. 7"));
        QCOMPARE(run.editorOpened, 0);
        // From July forward into the window again.
        run.click(run.dateBandOf(2024, 8, 2));
        QVERIFY(!run.window->monthPage()->session().freeMonthMode());
        QCOMPARE(run.window->monthPage()->tabs()->currentIndex(), 0);
        QCOMPARE(run.model().juliusDay(), ymdToJuliusDay(2024, 8, 2));
    }

    void aMemorialDayIsAddedAndClearedFromTheMenu() {
        Run run;
        const QString sday = run.home.path() + "/Data/Sday.myc";
        const auto editName = [&](const QString& name) {
            run.whenEditorOpens([&, name] {
                QCOMPARE(run.editor()->mode(), int(TfmDay::MemorialMode));
                auto* box = run.editor()->findChild<QLineEdit*>("edtKinenbi");
                box->setFocus();
                box->selectAll();
                if (name.isEmpty())
                    QTest::keyClick(box, Qt::Key_Delete);
                else
                    typeText(box, name);
            });
            run.menuChoice = "記念日編集(&K)";
            run.click(run.dateBandOf(2024, 9, 26), Qt::RightButton);
        };
        editName("設立の日");
        QVERIFY(readBytes(sday).contains(cp932Bytes(",,9,26,,,設立の日\r\n")));
        QCOMPARE(run.model().rules().dayNames(2024, 9, 26).names, std::string("設立の日"));
        QVERIFY(!run.model().state().ClickMark);

        editName("");
        QVERIFY(!readBytes(sday).contains(cp932Bytes("設立の日")));
        QVERIFY(run.model().rules().dayNames(2024, 9, 26).names.empty());
        // The other memorial days stay.
        QVERIFY(readBytes(sday).contains(cp932Bytes("9,10,創立記念日")));
    }

    void theMonthMemoOpensWithCtrlOrADoubleClick() {
        Run run;
        run.model().set(&KvMCalProperties::TukiMemo, true);
        const QPoint memo = run.pointWhere([&](const MonthHit& h) {
            return h.row == run.model().rowCount() - 1 && h.column >= 3 &&
                   !run.model().inDisplayedMonth(h.day);
        });
        const std::int32_t selected = run.model().juliusDay();
        run.whenEditorOpens([&] {
            QVERIFY(run.editor()->monthMemo());
            run.editor()->memo()->setFocus();
            typeText(run.editor()->memo(), "月次決算");
        });
        run.click(memo, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(run.editorOpened, 1);
        QCOMPARE(run.model().juliusDay(), selected);
        QTimer::singleShot(0, run.editor(), [&] { run.editor()->cancel(); });
        run.doubleClick(memo);
        QCOMPARE(run.editorOpened, 2);
        QVERIFY(run.window->close());
        QVERIFY(readBytes(run.file("Ca202409.myc"))
                    .contains(cp932Bytes("77,3,,<B>タグは月メモでは</B>そのまま月次決算,")));
    }
};

QTEST_MAIN(MonthViewEventsTest)
#include "month_view_events_test.moc"
