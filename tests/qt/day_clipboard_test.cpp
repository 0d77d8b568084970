// The day copy and paste of the month view's context menu on a real model and the real
// clipboard: what reaches the clipboard and the month slot, and when leaving the
// program takes the copy off the clipboard.

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest>

#include "app/commands/day_clipboard.h"
#include "app/commands/main_commands.h"
#include "app/day_clipboard_actions.h"
#include "calendar/julius_day.h"
#include "monthview/qt_month_view.h"
#include "tests/support/scripted_user_interface.h"

using namespace velmo;
using velmo::testing::ScriptedUserInterface;

namespace {

const QString kMarker = QString::fromUtf8(kDayCopyMarker.data(), kDayCopyMarker.size());

std::int32_t december(int day) {
    return ymdToJuliusDay(2026, 12, day);
}

struct Run {
    explicit Run(int slotNumber = 0) : view(december(1)) {
        MonthSlot& slot = view.model().monthSlots()[slotNumber];
        slot.year = 2026;
        slot.month = 12;
        slot.lines = {" 3,0,,会議,clRed,,,,,", " 3,1,,昼食,,,,,,", " 4,0,,,,,,,,",
                      "12,0,,既存1,,,,,,", "12,1,,既存2,,,,,,"};
        view.model().state().CurrentSlot = slotNumber;
        actions = std::make_unique<DayClipboardActions>(
            DayClipboardContext{view, ui, [this](MonthSlot& s) { saved.push_back(s.lines); }},
            commands, nullptr);
    }
    MonthSlot& slot() { return view.model().monthSlots()[view.model().state().CurrentSlot]; }
    std::vector<std::string> linesOf(const char* prefix) {
        std::vector<std::string> lines;
        for (const std::string& line : slot().lines)
            if (line.starts_with(prefix))
                lines.push_back(line);
        return lines;
    }
    void command(MonthMenuCommand command, int day) {
        view.model().state().ClickMark = true;
        QVERIFY(commands.run(command, december(day)));
        QCOMPARE(view.model().juliusDay(), december(day));
        QVERIFY(!view.model().state().ClickMark);
    }

    ScriptedUserInterface ui;
    TKvMCal view;
    MainCommands commands;
    std::vector<std::vector<std::string>> saved;
    std::unique_ptr<DayClipboardActions> actions;
};

QString clipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() ? data->text() : QString();
}

}  // namespace

class DayClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    void copyThenPasteAppendsTheDaysLines() {
        Run run;
        run.command(MonthMenuCommand::DayCopy, 3);
        QVERIFY(run.actions->copyPending());
        QCOMPARE(clipboardText(),
                 kMarker + QString::fromUtf8("\r\n 3,0,,会議,clRed,,,,,\r\n 3,1,,昼食,,,,,,\r\n"));
        run.command(MonthMenuCommand::DayPaste, 12);
        QCOMPARE(run.linesOf("12,"),
                 (std::vector<std::string>{"12,0,,既存1,,,,,,", "12,1,,既存2,,,,,,",
                                           "12,0,,会議,clRed,,,,,", "12,1,,昼食,,,,,,"}));
        QVERIFY(run.ui.texts().empty());
        QVERIFY(run.saved.empty());  // a window month is saved with the others
        QVERIFY(run.actions->copyPending());
    }

    void aDayWithoutTextsKeepsTheEarlierCopy() {
        Run run;
        run.command(MonthMenuCommand::DayCopy, 3);
        const QString earlier = clipboardText();
        run.command(MonthMenuCommand::DayCopy, 4);
        QCOMPARE(clipboardText(), earlier);
        QVERIFY(run.actions->copyPending());
        run.command(MonthMenuCommand::DayPaste, 20);
        QCOMPARE(run.linesOf("20,"),
                 (std::vector<std::string>{"20,0,,会議,clRed,,,,,", "20,1,,昼食,,,,,,"}));
    }

    void pasteWithoutACopyDoesNothing() {
        Run run;
        QGuiApplication::clipboard()->setText(kMarker + QString::fromUtf8("\r\n 3,0,,a,,,,,,"));
        const std::size_t before = run.slot().lines.size();
        QVERIFY(run.commands.run(MonthMenuCommand::DayPaste, december(12)));
        QCOMPARE(run.slot().lines.size(), before);
        QVERIFY(run.ui.texts().empty());
    }

    void foreignAndBrokenClipboardsAreRefused() {
        const struct {
            QString clipboard;
            std::string_view message;
        } cases[] = {
            {QString::fromUtf8("他のアプリのテキスト"), kPasteForeign},
            {kMarker, kPasteBadLines},
            {kMarker + QString::fromUtf8("\r\n 3,0,,良い,,,,,,\r\n 3,1,,悪い\x01,,,,,,"),
             kPasteBadLines},
        };
        for (const auto& item : cases) {
            Run run;
            run.command(MonthMenuCommand::DayCopy, 3);
            QGuiApplication::clipboard()->setText(item.clipboard);
            const std::vector<std::string> before = run.slot().lines;
            run.command(MonthMenuCommand::DayPaste, 12);
            QCOMPARE(run.slot().lines, before);
            QCOMPARE(run.ui.texts(), std::vector<std::string>{std::string(item.message)});
            QVERIFY(!run.actions->copyPending());
        }
        // An image, no text at all.
        Run run;
        run.command(MonthMenuCommand::DayCopy, 3);
        QImage image(2, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        QGuiApplication::clipboard()->setImage(image);
        run.command(MonthMenuCommand::DayPaste, 12);
        QCOMPARE(run.ui.texts(), std::vector<std::string>{std::string(kPasteNoText)});
        QVERIFY(!run.actions->copyPending());
    }

    void aPasteIntoTheFreeMonthIsSavedAtOnce() {
        Run run(kFreeMonthSlot);
        run.command(MonthMenuCommand::DayCopy, 3);
        run.command(MonthMenuCommand::DayPaste, 5);
        QCOMPARE(run.saved.size(), std::size_t{1});
        QCOMPARE(run.saved.front(), run.slot().lines);
        QCOMPARE(run.saved.front().back(), std::string(" 5,1,,昼食,,,,,,"));
    }

    void leavingTakesOnlyTheDayCopyOffTheClipboard() {
        {
            Run run;
            run.command(MonthMenuCommand::DayCopy, 3);
            emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
            QVERIFY(!run.actions->copyPending());
            QVERIFY(clipboardText().isEmpty());
        }
        {
            Run run;
            run.command(MonthMenuCommand::DayCopy, 3);
            const QString other = QString::fromUtf8("ブラウザでコピーした文");
            QGuiApplication::clipboard()->setText(other);
            run.actions->applicationStateChanged(Qt::ApplicationInactive);
            QVERIFY(!run.actions->copyPending());
            QCOMPARE(clipboardText(), other);
        }
        {
            // Without a pending copy a day copy left on the clipboard stays.
            Run run;
            run.command(MonthMenuCommand::DayCopy, 3);
            run.actions->applicationStateChanged(Qt::ApplicationActive);
            QVERIFY(run.actions->copyPending());
            const QString copy = clipboardText();
            run.actions->applicationStateChanged(Qt::ApplicationInactive);
            QGuiApplication::clipboard()->setText(copy);
            run.actions->applicationStateChanged(Qt::ApplicationInactive);
            QCOMPARE(clipboardText(), copy);
        }
    }
};

QTEST_MAIN(DayClipboardTest)
#include "day_clipboard_test.moc"
