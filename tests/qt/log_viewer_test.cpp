// The start/end log viewer window: its title, font, rows and buttons.

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

#include "dialogs/log_viewer.h"
#include "editor_models/log_view_rows.h"
#include "platform/dialog_fonts.h"
#include "store/cp932.h"
#include "store/start_end_log.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

using velmo::LogViewer;
using velmo::testing::RecordingSleeper;
using velmo::testing::ScriptedUserInterface;
using velmo::testing::TempFolder;

namespace {

std::vector<std::string> rowsOf(const velmo::LineList& log) {
    ScriptedUserInterface ui;
    return velmo::buildLogViewRows(log, ui).value();
}

QStringList shownLines(const LogViewer& viewer) {
    return viewer.textBox()->toPlainText().split(QLatin1Char('\n'));
}

}  // namespace

class LogViewerTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheRunsOfAStartEndSequence() {
        const auto rows =
            rowsOf({velmo::kStartEndLogTitle, "S:2024/09/10 9:00:00", "E:2024/09/10 18:00:00",
                    "S:2024/09/10 23:00:00", "E:2024/09/11 1:00:00", "S:2024/09/11 8:00:00"});
        LogViewer viewer(rows);
        QCOMPARE(viewer.windowTitle(), QStringLiteral("ベルモ -Velmo-"));
        QVERIFY(viewer.isModal());
        QCOMPARE(viewer.titleLabel()->text(), QStringLiteral("起動時刻"));

        const QStringList lines = shownLines(viewer);
        const QString tue = QStringLiteral("令和6年9月10日(火)    ");
        const QString wed = QStringLiteral("令和6年9月11日(水)    ");
        QCOMPARE(lines.size(), 8);
        QCOMPARE(lines[0], QString::fromStdString(velmo::logViewHeading()));
        QCOMPARE(lines[1], QString());
        QCOMPARE(lines[2], tue + QString(11, ' ') + "9:00:00" + QString(12, ' ') + "18:00:00");
        QCOMPARE(lines[3],
                 QString(22, ' ') + QString(10, ' ') + "23:00:00" + QString(19, ' ') + "-");
        QCOMPARE(lines[4], wed + QString(17, ' ') + "-" + QString(13, ' ') + "1:00:00");
        QCOMPARE(lines[5], QString(22 + 11, ' ') + "8:00:00" + QString(20, ' '));
        QCOMPARE(lines[6], QString());
        QCOMPARE(lines[7], lines[0]);
    }

    void usesAFixedPitchJapaneseFontWithoutWrapping() {
        LogViewer viewer(rowsOf({"S:2024/09/10 9:00:00"}));
        const QFont font = viewer.textBox()->font();
        QCOMPARE(font.pixelSize(), 16);
        QCOMPARE(font.family(), velmo::mappedFontFamily(QStringLiteral("ＭＳ ゴシック")));
        QCOMPARE(QFontInfo(font).family(), font.family());  // installed, not a fallback
        QCOMPARE(viewer.textBox()->lineWrapMode(), QPlainTextEdit::NoWrap);
        // A full-width character is as wide as two half-width ones, so byte columns line up.
        const QFontMetrics metrics(font);
        const int half = metrics.horizontalAdvance(QLatin1Char('0'));
        QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')), half);
        QCOMPARE(metrics.horizontalAdvance(QLatin1Char(' ')), half);
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("日")), 2 * half);
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("令和6年9月10日(火)")), 18 * half);
    }

    void buttonsMoveThroughTheRows() {
        velmo::LineList log;
        for (int day = 1; day <= 28; ++day) {
            const std::string date = "2024/02/" + std::to_string(day);
            log.push_back("S:" + date + " 9:00:00");
            log.push_back("E:" + date + " 18:00:00");
        }
        LogViewer viewer(rowsOf(log));
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QScrollBar* bar = viewer.textBox()->verticalScrollBar();
        QVERIFY(bar->maximum() > 2);

        viewer.downButton()->click();
        viewer.downButton()->click();
        QCOMPARE(bar->value(), 2);
        viewer.upButton()->click();
        QCOMPARE(bar->value(), 1);

        viewer.lastButton()->click();
        QCOMPARE(viewer.textBox()->textCursor().blockNumber(),
                 viewer.textBox()->document()->blockCount() - 1);
        QCOMPARE(bar->value(), bar->maximum());
        viewer.firstButton()->click();
        QCOMPARE(viewer.textBox()->textCursor().blockNumber(), 0);
        QCOMPARE(bar->value(), 0);
    }

    void menuItemShowsTheLogFileModally() {
        TempFolder folder;
        RecordingSleeper sleeper;
        ScriptedUserInterface ui;
        const auto file = folder.write(velmo::kStartEndLogFileName,
                                       velmo::cp932::encode(velmo::kStartEndLogTitle) +
                                           "\r\nS:2024/09/10 9:00:00\r\nE:2024/09/10 18:00:00\r\n");
        QString seenTitle;
        QStringList seenLines;
        QTimer::singleShot(0, [&] {
            auto* viewer = qobject_cast<LogViewer*>(QApplication::activeModalWidget());
            if (!viewer) {
                // Not modal: close it anyway so the test fails instead of hanging.
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    if (auto* open = qobject_cast<LogViewer*>(w))
                        open->reject();
                }
                return;
            }
            seenTitle = viewer->windowTitle();
            seenLines = shownLines(*viewer);
            viewer->reject();
        });
        QVERIFY(velmo::showStartEndLog(nullptr, file, ui, sleeper));
        QCOMPARE(seenTitle, QStringLiteral("ベルモ -Velmo-"));
        QCOMPARE(seenLines.size(), 3);
        QVERIFY(seenLines[2].startsWith(QStringLiteral("令和6年9月10日(火)")));
        QVERIFY(seenLines[2].endsWith(QStringLiteral("18:00:00")));
        QVERIFY(ui.shown().empty());

        // No log: no window, no message.
        QVERIFY(!velmo::showStartEndLog(nullptr, folder / "none.myd", ui, sleeper));
        QVERIFY(ui.shown().empty());
    }
};

QTEST_MAIN(LogViewerTest)
#include "log_viewer_test.moc"
