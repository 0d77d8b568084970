// The timer dialog over a fake clock: its two displays, setting the time, starting with
// its checks, the notice it becomes, and closing. Set VELMO_TIMER_SCREENSHOTS to have
// both displays saved as /tmp/timer_setting.png and /tmp/timer_running.png.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "dialogs/analog_clock.h"
#include "dialogs/timer_dialog.h"
#include "tests/support/fake_clock.h"
#include "tests/support/named_child.h"
#include "tests/support/scripted_user_interface.h"

using namespace velmo;
using velmo::testing::FakeClock;
using velmo::testing::ScriptedUserInterface;
using velmo::testing::ShownBox;

namespace {

const char* const kCaption = "確認 -ベルモ-";

LocalDateTime at(int hour, int minute, int second = 0) {
    return {2024, 9, 10, hour, minute, second, 0};
}

struct Timer {
    FakeClock clock;
    ScriptedUserInterface ui;
    TimerState state;
    std::unique_ptr<TfmNichiji> dialog;

    explicit Timer(LocalDateTime now, TimerState initial = {{15, 0, 0}, false, 3},
                   int mode = TfmNichiji::kSettingMode)
        : clock(now), state(initial) {
        open(mode);
    }
    void open(int mode) { dialog = std::make_unique<TfmNichiji>(state, mode, ui, clock); }

    template <typename T = QWidget>
    T* child(const char* name) const {
        return velmo::testing::namedChild<T>(*dialog, name);
    }
    QLineEdit* field(const char* name) const { return child<QLineEdit>(name); }
    QString fields() const {
        return field("edtHour")->text() + ":" + field("edtMin")->text() + ":" +
               field("edtSec")->text();
    }
    void setFields(const char* hour, const char* minute, const char* second) {
        field("edtHour")->setText(QString::fromLatin1(hour));
        field("edtMin")->setText(QString::fromLatin1(minute));
        field("edtSec")->setText(QString::fromLatin1(second));
    }
    void clickArrow(const char* upDown, const char* arrow) {
        child(upDown)->findChild<QToolButton*>(QString::fromLatin1(arrow))->click();
    }
    void startOrStop() { child<QPushButton>("btnTimerOnOff")->click(); }
    QString label(const char* name) const { return child<QLabel>(name)->text(); }
    bool hidden(const char* name) const { return child(name)->isHidden(); }
    TimeOfDay setClock() const { return child<TClock>("ckTimer")->time(); }
};

bool sameBox(const ShownBox& box, ShownBox::Kind kind, const std::string& text) {
    return box.kind == kind && box.text == text && box.caption == kCaption;
}

}  // namespace

class TimerDialogTest : public QObject {
    Q_OBJECT

private slots:
    void settingDisplayStartsAtTheCurrentTime() {
        Timer t(at(14, 20, 35));
        QCOMPARE(t.dialog->objectName(), QStringLiteral("fmNichiji"));
        QCOMPARE(t.dialog->windowTitle(), QStringLiteral("ベルモ -Velmo-"));
        QVERIFY(!t.dialog->showsRunning());
        QCOMPARE(t.fields(), QStringLiteral("14:20:0"));
        QCOMPARE(t.setClock(), (TimeOfDay{14, 20, 0}));
        QCOMPARE(t.child<QPushButton>("btnTimerOnOff")->text(), QStringLiteral("タイマー開始(&G)"));
        QCOMPARE(t.child<QPushButton>("btnClose")->text(), QStringLiteral("閉じる(&X)"));
        QCOMPARE(t.child<QPushButton>("btnImaSet")->text(), QStringLiteral("現在時刻セット"));
        QCOMPARE(t.child<QGroupBox>("gbTwoTouch")->title(), QStringLiteral(" ２タッチ設定 "));
        QCOMPARE(t.child<QComboBox>("cbTimerBf")->count(), 10);
        QCOMPARE(t.child<QComboBox>("cbTimerBf")->currentText(), QStringLiteral("3"));
        for (const char* name : {"btnImaSet", "gbTwoTouch", "udHour", "udMin", "udSec"})
            QVERIFY2(!t.hidden(name), name);
        for (const char* name : {"lblSadou", "lblCDown", "lblShuuryou", "lblTimeError"})
            QVERIFY2(t.hidden(name), name);
        QVERIFY(t.field("edtHour")->isEnabled());
        QVERIFY(t.dialog->width() > TfmNichiji::kRunningWidth);
        // The current-time clock follows the clock with its second hand.
        auto* current = t.child<TClock>("Clock2");
        QVERIFY(current->followsClock());
        QCOMPARE(current->digitalText(), QStringLiteral("14:20:35"));
        t.clock.advance(std::chrono::seconds(30));
        current->refresh();
        QCOMPARE(current->digitalText(), QStringLiteral("14:21:05"));
        QCOMPARE(t.child<TClock>("ckTimer")->digitalText(), QStringLiteral("14:20"));
    }

    void twoTouchButtonsAndTheCurrentTimeSetTheFields() {
        Timer t(at(9, 41, 12));
        t.child<QPushButton>("btnHour15")->click();
        QCOMPARE(t.child<QPushButton>("btnHour5")->text(), QStringLiteral(" 5"));
        QCOMPARE(t.fields(), QStringLiteral("15:41:0"));
        t.child<QPushButton>("btnMin55")->click();
        QCOMPARE(t.fields(), QStringLiteral("15:55:0"));
        QCOMPARE(t.setClock(), (TimeOfDay{15, 55, 0}));
        t.field("edtSec")->setText(QStringLiteral("30"));
        t.clock.set(at(10, 2, 44));
        t.child<QPushButton>("btnImaSet")->click();
        QCOMPARE(t.fields(), QStringLiteral("10:2:0"));
    }

    void upDownButtonsCarry() {
        Timer t(at(9, 0));
        t.setFields("23", "59", "59");
        t.clickArrow("udSec", "up");
        QCOMPARE(t.fields(), QStringLiteral("0:0:0"));
        t.clickArrow("udMin", "down");
        QCOMPARE(t.fields(), QStringLiteral("23:59:0"));
        t.clickArrow("udMin", "up");
        QCOMPARE(t.fields(), QStringLiteral("0:0:0"));
        t.clickArrow("udHour", "down");
        QCOMPARE(t.fields(), QStringLiteral("23:0:0"));
        QCOMPARE(t.setClock(), (TimeOfDay{23, 0, 0}));
        // The arrow keys in a field step it the same way.
        QTest::keyClick(t.field("edtSec"), Qt::Key_Down);
        QCOMPARE(t.fields(), QStringLiteral("22:59:59"));
    }

    void aBrokenTimeKeepsTheClockAndSaysSo() {
        Timer t(at(9, 0));
        t.setFields("8", "30", "0");
        t.field("edtMin")->setText(QStringLiteral("75"));
        QVERIFY(!t.hidden("lblTimeError"));
        QCOMPARE(t.label("lblTimeError"), QStringLiteral("時刻変換エラー"));
        QCOMPARE(t.setClock(), (TimeOfDay{8, 30, 0}));
        // Esc empties the field and closes nothing (an unscripted question would fail).
        QTest::keyClick(t.field("edtMin"), Qt::Key_Escape);
        QCOMPARE(t.field("edtMin")->text(), QString());
        QVERIFY(t.ui.shown().empty());
        t.field("edtMin")->setText(QStringLiteral("45"));
        QVERIFY(t.hidden("lblTimeError"));
        QCOMPARE(t.setClock(), (TimeOfDay{8, 45, 0}));
    }

    void leavingAnEmptyFieldPutsZero() {
        Timer t(at(9, 0));
        t.dialog->show();
        t.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.dialog.get()));
        t.field("edtSec")->setFocus();
        QTest::keyClick(t.field("edtSec"), Qt::Key_Escape);
        t.field("edtHour")->setFocus();
        QCOMPARE(t.field("edtSec")->text(), QStringLiteral("0"));
        QVERIFY(t.hidden("lblTimeError"));
        t.ui.answer(true);
        t.dialog->reject();
    }

    void startRefusals() {
        Timer t(at(14, 58));
        t.setFields("15", "0", "0");
        t.startOrStop();
        t.clock.set(at(15, 10));
        t.startOrStop();
        t.setFields("15", "", "0");
        t.startOrStop();
        const auto& shown = t.ui.shown();
        QCOMPARE(shown.size(), std::size_t{3});
        QVERIFY(sameBox(shown[0], ShownBox::Kind::Information,
                        "時刻が過ぎようとしています。\r\n中止いたします。"));
        QVERIFY(sameBox(shown[1], ShownBox::Kind::Information,
                        "時刻が既に過ぎています。\r\n中止いたします。"));
        QVERIFY(sameBox(shown[2], ShownBox::Kind::Information,
                        "時刻が不正です。\r\n正しい時刻を入力してください。"));
        QVERIFY(!t.state.running);
        QVERIFY(!t.dialog->showsRunning());
    }

    void tomorrowsTimeIsStartedOnlyOnYes() {
        Timer t(at(15, 40));
        t.setFields("15", "0", "0");
        t.ui.answer(false);
        t.startOrStop();
        QCOMPARE(t.ui.shown().size(), std::size_t{2});
        const ShownBox& question = t.ui.shown()[0];
        QVERIFY(sameBox(question, ShownBox::Kind::Question,
                        "設定時刻が現時刻から１２時間以上（ 23 時 23 分）ありますが、\r\n"
                        "これで間違いないでしょうか？"));
        QCOMPARE(int(question.defaultButton), int(DefaultButton::No));
        QVERIFY(sameBox(t.ui.shown()[1], ShownBox::Kind::Information,
                        "もう一度、時刻の設定をお願いいたします。"));
        QVERIFY(!t.state.running);
        t.ui.answer(true);
        t.startOrStop();
        QVERIFY(t.state.running);
        QCOMPARE(t.label("lblCDown"),
                 QStringLiteral("設定時刻まで、23 時間 20 分（ ３分前に通知します ）"));
    }

    void startingShowsTheRunningDisplay() {
        Timer t(at(14, 30), {{8, 0, 0}, false, 3});
        t.setFields("15", "0", "0");
        t.startOrStop();
        QVERIFY(t.ui.shown().empty());
        QVERIFY(t.state.running);
        QCOMPARE(t.state.setTime, (TimeOfDay{15, 0, 0}));
        QVERIFY(t.dialog->showsRunning());
        QCOMPARE(t.dialog->width(), 515);
        QCOMPARE(t.child<QPushButton>("btnTimerOnOff")->text(), QStringLiteral("タイマー中止(&G)"));
        for (const char* name : {"btnImaSet", "gbTwoTouch", "udHour", "udMin", "udSec"})
            QVERIFY2(t.hidden(name), name);
        QVERIFY(!t.field("edtHour")->isEnabled());
        QCOMPARE(t.field("edtHour")->palette().color(QPalette::Disabled, QPalette::Text),
                 QColor(0x80, 0x80, 0x80));
        QVERIFY(!t.hidden("lblSadou"));
        QCOMPARE(t.label("lblSadou"), QStringLiteral("タイマー作動中"));
        QCOMPARE(t.label("lblCDown"),
                 QStringLiteral("設定時刻まで、30 分（ ３分前に通知します ）"));
        // The indicator blinks; the status is written whenever it lights up.
        t.clock.set(at(14, 50));
        t.dialog->tick();
        QVERIFY(t.child<QLabel>("lblSadou")->isEnabled());
        QCOMPARE(t.label("lblShuuryou"), QStringLiteral("設定時刻、10 分前です"));
        t.clock.set(at(14, 52));
        t.dialog->tick();
        QVERIFY(!t.child<QLabel>("lblSadou")->isEnabled());
        QCOMPARE(t.label("lblShuuryou"), QStringLiteral("設定時刻、10 分前です"));
        QCOMPARE(t.label("lblCDown"), QStringLiteral("設定時刻まで、8 分（ ３分前に通知します ）"));
        // Stopping goes back to setting.
        t.startOrStop();
        QVERIFY(!t.state.running);
        QVERIFY(!t.dialog->showsRunning());
        QVERIFY(t.hidden("lblSadou"));
        QVERIFY(t.field("edtHour")->isEnabled());
    }

    void theNoticeMomentTurnsTheDialogIntoTheNotice() {
        Timer t(at(14, 30));
        t.setFields("15", "0", "0");
        t.startOrStop();
        t.clock.set(at(14, 56, 59));
        t.dialog->tick();
        QCOMPARE(t.dialog->mode(), TfmNichiji::kSettingMode);
        t.clock.set(at(14, 57));
        t.dialog->tick();
        QCOMPARE(t.dialog->mode(), TfmNichiji::kNotificationMode);
        QVERIFY(!t.state.running);
        QCOMPARE(t.label("lblSadou"), QStringLiteral("設定された時刻になりました。"));
        QVERIFY(t.hidden("btnTimerOnOff"));
        QVERIFY(t.hidden("lblCDown"));
        QVERIFY(t.dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(t.dialog->width(), 515);
        // Later ticks only go on showing the status; the timer is not armed again.
        for (int second = 1; second <= 4; ++second) {
            t.clock.set(at(14, 57, second));
            t.dialog->tick();
        }
        QCOMPARE(t.label("lblShuuryou"), QStringLiteral("設定時刻、3 分前です"));
        QVERIFY(!t.state.running);
        QCOMPARE(t.state.setTime, (TimeOfDay{15, 0, 0}));
        // Closing the notice asks nothing.
        t.child<QPushButton>("btnClose")->click();
        QVERIFY(t.ui.shown().empty());
        QCOMPARE(t.dialog->result(), int(QDialog::Accepted));
    }

    void theNoticeStaysOpenWhileShownModally() {
        Timer t(at(14, 30));
        t.setFields("15", "0", "0");
        t.startOrStop();
        t.clock.set(at(14, 57));
        bool shownAfterTheNotice = false;
        QTimer::singleShot(0, t.dialog.get(), [&] { t.dialog->tick(); });
        QTimer::singleShot(100, t.dialog.get(), [&] {
            shownAfterTheNotice =
                t.dialog->isVisible() &&
                t.dialog->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
            t.dialog->done(7);
        });
        QCOMPARE(t.dialog->exec(), 7);
        QVERIFY(shownAfterTheNotice);
        QCOMPARE(t.dialog->mode(), TfmNichiji::kNotificationMode);
    }

    void anAlarmTheMainWindowTookIsNotRungAgain() {
        Timer t(at(14, 30));
        t.setFields("15", "0", "0");
        t.startOrStop();
        // The main window's own check got there first.
        t.state.running = false;
        t.clock.set(at(14, 57));
        t.dialog->tick();
        QCOMPARE(t.dialog->mode(), TfmNichiji::kSettingMode);
        QVERIFY(!t.dialog->showsRunning());
        QVERIFY(!t.state.running);
    }

    void notificationModeShowsTheSetTime() {
        Timer t(at(14, 57), {{15, 0, 0}, false, 3}, TfmNichiji::kNotificationMode);
        QVERIFY(t.dialog->showsRunning());
        QCOMPARE(t.label("lblSadou"), QStringLiteral("設定された時刻になりました。"));
        QVERIFY(t.hidden("btnTimerOnOff"));
        QVERIFY(t.hidden("lblCDown"));
        QVERIFY(t.dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(t.dialog->width(), 515);
        QCOMPARE(t.fields(), QStringLiteral("15:0:0"));
        QCOMPARE(t.setClock(), (TimeOfDay{15, 0, 0}));
        QCOMPARE(t.child<TClock>("ckTimer")->digitalText(), QStringLiteral("15:00"));
        t.dialog->tick();
        QCOMPARE(t.label("lblShuuryou"), QStringLiteral("設定時刻、3 分前です"));
        t.clock.set(at(15, 0, 40));
        t.dialog->tick();
        t.dialog->tick();
        QCOMPARE(t.label("lblShuuryou"), QStringLiteral("設定時刻です"));
    }

    void closingWithoutATimerAsks() {
        Timer t(at(9, 0));
        t.dialog->show();
        t.ui.answer(false);
        t.child<QPushButton>("btnClose")->click();
        QVERIFY(t.dialog->isVisible());
        t.ui.answer(true);
        t.dialog->reject();
        QVERIFY(!t.dialog->isVisible());
        QCOMPARE(t.ui.questions(),
                 (std::vector<std::string>(2, "タイマーをセットせずに、閉じてもよろしいですか？")));
        QCOMPARE(int(t.ui.shown()[0].defaultButton), int(DefaultButton::No));
        QCOMPARE(t.ui.shown()[0].caption, std::string(kCaption));
    }

    void reopeningKeepsTheRunningTimer() {
        Timer t(at(14, 0), {{15, 0, 0}, false, 12});
        QCOMPARE(t.child<QComboBox>("cbTimerBf")->currentIndex(), 3);
        t.child<QComboBox>("cbTimerBf")->setCurrentIndex(5);
        t.setFields("16", "20", "0");
        t.startOrStop();
        t.child<QPushButton>("btnClose")->click();
        QCOMPARE(t.state.noticeMinutes, 5);
        QVERIFY(t.state.running);
        t.clock.set(at(14, 10));
        t.open(TfmNichiji::kSettingMode);
        QVERIFY(t.dialog->showsRunning());
        QCOMPARE(t.fields(), QStringLiteral("16:20:0"));
        QCOMPARE(t.setClock(), (TimeOfDay{16, 20, 0}));
        QCOMPARE(t.child<QComboBox>("cbTimerBf")->currentIndex(), 5);
        QCOMPARE(t.label("lblCDown"),
                 QStringLiteral("設定時刻まで、2 時間 10 分（ ５分前に通知します ）"));
    }

    void buttonColours() {
        QPalette palette;
        palette.setColor(QPalette::WindowText, QColor(0x12, 0x34, 0x56));
        QCOMPARE(timerButtonTextColour(true, true, palette), QColor(0x00, 0xFF, 0xFF));
        QCOMPARE(timerButtonTextColour(true, false, palette), QColor(0x00, 0x00, 0xFF));
        QCOMPARE(timerButtonTextColour(false, true, palette), QColor(0x00, 0x00, 0xFF));
        QCOMPARE(timerButtonTextColour(false, false, palette), QColor(0x12, 0x34, 0x56));
    }

    void screenshots() {
        if (qEnvironmentVariableIsEmpty("VELMO_TIMER_SCREENSHOTS"))
            QSKIP("set VELMO_TIMER_SCREENSHOTS to save the two displays");
        Timer t(at(14, 20, 35));
        t.dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.dialog.get()));
        QVERIFY(t.dialog->grab().save(QStringLiteral("/tmp/timer_setting.png")));
        t.setFields("15", "0", "0");
        t.startOrStop();
        t.dialog->tick();
        QVERIFY(t.dialog->grab().save(QStringLiteral("/tmp/timer_running.png")));
        t.clock.set(at(14, 57, 10));
        t.dialog->tick();
        t.dialog->tick();
        QVERIFY(t.dialog->grab().save(QStringLiteral("/tmp/timer_notice.png")));
        t.dialog->done(QDialog::Accepted);
    }
};

QTEST_MAIN(TimerDialogTest)
#include "timer_dialog_test.moc"
