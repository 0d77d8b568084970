// The options pages 基本, 表示全般, 暦表示共通, 年表示, 管理 and ネット２ over a recording
// host. Set VELMO_OPTION_SCREENSHOTS to have each page saved as /tmp/page_<name>.png.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <cerrno>
#include <fstream>
#include <memory>
#include <sstream>

#include "dialogs/options/basic_page.h"
#include "dialogs/options/calendar_page.h"
#include "dialogs/options/carried_pages.h"
#include "dialogs/options/display_page.h"
#include "dialogs/options/year_page_options.h"
#include "platform/dialog_fonts.h"
#include "store/cp932.h"
#include "store/file_calls.h"
#include "tests/support/fake_options_host.h"
#include "tests/support/named_child.h"

using namespace velmo;
using velmo::testing::FakeOptionsHost;
using Lines = std::vector<std::string>;

namespace {

template <class Page>
struct Opened {
    FakeOptionsHost host;
    OptionsDialogState state;
    std::unique_ptr<Page> page;

    explicit Opened(const std::string& startFolder = "/home/u/velmo/",
                    void (*prepare)(FakeOptionsHost&) = nullptr) {
        host.runFacts.startFolder = startFolder;
        if (prepare != nullptr)
            prepare(host);
        page = std::make_unique<Page>(OptionPageContext{host, state});
        state.loading = true;
        page->load(host.values);
        state.loading = false;
    }
    template <class T = QWidget>
    T* child(const char* name) const {
        return velmo::testing::namedChild<T>(*page, name);
    }
    TorkaSettings stored() const {
        TorkaSettings options = host.values;
        page->store(options);
        return options;
    }
};

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

class BasicPagesTest : public QObject {
    Q_OBJECT

private slots:
    void openingAndClosingKeepsEveryOption() {
        // Every value away from its default, so a control that loses its option shows.
        auto prepare = [](FakeOptionsHost& host) {
            TorkaSettings& v = host.values;
            v.timer.cbTimerNo = 9;
            v.backup.cbBackKankaku = 5;
            v.backup.cbABackupJ = true;
            v.data.edFolder = "/data/root/";
            v.behaviour = {.cb24ji = true,
                           .cbZenkai = true,
                           .cbMemo = false,
                           .cbHotkey = false,
                           .cbToday = true,
                           .cbShiyouchuu = false,
                           .cbCursor = true,
                           .cbKOption = true};
            v.window = {1, true, 0, 0};
            v.calendar.rgStYoubi = 1;
            v.calendar.cbEquinox = true;
            v.calendar.cbFurikae = true;
            v.calendar.cbNextDay = false;
            v.calendar.SpHajimariTuki = 4;
            v.display.cbTukiYotei = true;
            v.network.cbLNetf = true;
        };
        Opened<BasicPage> basic("/home/u/velmo/", prepare);
        const TorkaSettings before = basic.host.values;
        Opened<DisplayPage> display("/home/u/velmo/", prepare);
        Opened<CalendarPage> calendar("/home/u/velmo/", prepare);
        Opened<YearPageOptions> year("/home/u/velmo/", prepare);
        Opened<KanriPage> kanri("/home/u/velmo/", prepare);
        Opened<Net2Page> net2("/home/u/velmo/", prepare);
        TorkaSettings after = before;
        for (const OptionPage* page : std::initializer_list<const OptionPage*>{
                 basic.page.get(), display.page.get(), calendar.page.get(), year.page.get(),
                 kanri.page.get(), net2.page.get()})
            page->store(after);
        QVERIFY(after == before);
        QVERIFY(basic.host.calls.empty() && display.host.calls.empty() &&
                calendar.host.calls.empty());
    }

    void startFolderAsDataRootIsStoredBlank() {
        Opened<BasicPage> t("/home/u/velmo/", [](FakeOptionsHost& host) {
            host.values.data.edFolder = "/HOME/U/Velmo";
        });
        QCOMPARE(t.child<QLineEdit>("edFolder")->text(), QString());
        QCOMPARE(t.stored().data.edFolder, std::string());
    }

    void removableStartOffersToKeepBackupsOff() {
        Opened<BasicPage> t("/media/stick/velmo/", [](FakeOptionsHost& host) {
            host.runFacts.startedFromRemovable = true;
            host.values.backup.cbBackKankaku = 3;
            host.values.backup.cbABackupJ = true;
        });
        auto* list = t.child<QComboBox>("cbBackKankaku");
        QCOMPARE(list->currentIndex(), 0);
        QVERIFY(list->isEnabled());
        QVERIFY(!t.child("cbABackupJ")->isEnabled());
        QVERIFY(t.host.scriptedUi.shown().empty());

        t.host.scriptedUi.answer(true);
        list->setCurrentIndex(2);
        QCOMPARE(list->currentIndex(), 0);
        t.host.scriptedUi.answer(false);
        list->setCurrentIndex(4);
        QCOMPARE(t.stored().backup.cbBackKankaku, 4);
        const auto& shown = t.host.scriptedUi.shown();
        QCOMPARE(shown.size(), std::size_t{4});
        QCOMPARE(shown[0].text,
                 std::string("リムーバブルディスクから起動した場合は、\r\nセキュリティの関係上、"
                             "自動バックアップは実行しないことをお勧めします。\r\n\r\n"
                             "「自動バックアップはしない。」に設定し直しますか？"));
        QVERIFY(shown[0].defaultButton == DefaultButton::Yes);
        QCOMPARE(shown[1].text, std::string("自動バックアップは、行いません。"));
        QCOMPARE(shown[3].text,
                 std::string("起動したパソコンに、自動的にデータをバックアップする可能性が"
                             "あります。\r\nご注意下さい。"));
    }

    void closeButtonEndsHotKeys() {
        Opened<BasicPage> t;
        QVERIFY(t.child<QCheckBox>("cbHotkey")->isChecked());
        t.child<QCheckBox>("cbCloseBtn")->click();
        QVERIFY(!t.child<QCheckBox>("cbHotkey")->isChecked());
        QCOMPARE(t.host.scriptedUi.texts(), Lines{"ホットキーの使用を中止します。"});
        QVERIFY(t.page->keyChord(Qt::Key_N, Qt::Key_T));
        QVERIFY(!t.page->keyChord(Qt::Key_B, Qt::Key_G));
    }

    void dataFolderEditingAndItsFocus() {
        Opened<BasicPage> t("/home/u/velmo/",
                            [](FakeOptionsHost& host) { host.values.data.edFolder = "/data/a/"; });
        t.page->resize(567, 548);
        t.page->show();
        t.page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(t.page.get()));
        auto* box = t.child<QLineEdit>("edFolder");
        auto* apply = t.child<QPushButton>("btnFolderApply");
        QVERIFY(box->isReadOnly());
        QVERIFY(!apply->isEnabled());
        QCOMPARE(apply->focusPolicy(), Qt::NoFocus);
        QCOMPARE(t.child("btnFolderCancel")->focusPolicy(), Qt::NoFocus);

        QTest::mouseClick(t.child("btnFolderChange"), Qt::LeftButton);
        QVERIFY(!box->isReadOnly() && apply->isEnabled() && box->hasFocus());
        QTest::keyClicks(box, "b");
        // Leaving the box while the change is open asks to decide, and the focus stays.
        t.child("cbMemo")->setFocus();
        QVERIFY(box->hasFocus());
        QCOMPARE(box->text(), QStringLiteral("/data/a/b/"));
        QCOMPARE(t.host.scriptedUi.texts(), Lines{"変更実行か、キャンセルか、決めて下さい。"});
        // The change is dropped with the page; the box is idle and the focus moves freely.
        t.page->pageLeft();
        QCOMPARE(box->text(), QStringLiteral("/data/a/"));
        QVERIFY(box->isReadOnly() && !apply->isEnabled());

        // Picked folders: one CP932 cannot hold is refused, another opens the change.
        t.host.folders = {std::string("/data/😀/"), std::string("/data/c/")};
        t.child<QToolButton>("btnFolderSelect")->click();
        QCOMPARE(box->text(), QStringLiteral("/data/a/"));
        t.child<QToolButton>("btnFolderSelect")->click();
        QCOMPARE(box->text(), QStringLiteral("/data/c/"));
        QCOMPARE(t.host.pickerTitles, Lines(2, "フォルダーを選択して下さい。"));
        QVERIFY(!box->isReadOnly());
        // Declining to create the missing folder keeps it pending until closing.
        t.host.scriptedUi.answer(true);
        t.host.scriptedUi.answer(false);
        QTest::mouseClick(apply, Qt::LeftButton);
        QVERIFY(!apply->isEnabled() && box->hasFocus());
        QCOMPARE(t.host.scriptedUi.texts().back(), std::string("変更は、キャンセルされます。"));
        // Once no change waits, focus elsewhere on the page makes the box read-only.
        t.child("cbMemo")->setFocus();
        QVERIFY(box->isReadOnly());
        t.page->cancelPendingChange();
        QCOMPARE(t.stored().data.edFolder, std::string("/data/a/"));
    }

    void displayAndCalendarApplyAtOnce() {
        Opened<DisplayPage> display;
        auto* notCentred = display.child<QCheckBox>("cbNotMannaka");
        QVERIFY(!notCentred->isEnabled());
        display.child<QRadioButton>("rgHyouji1")->click();
        QVERIFY(notCentred->isEnabled() && !notCentred->isChecked());
        notCentred->click();
        display.child<QRadioButton>("rgHyouji0")->click();
        QVERIFY(!notCentred->isEnabled() && !notCentred->isChecked());
        display.child<QCheckBox>("cb24ji")->click();
        display.child<QCheckBox>("cbShiyouchuu")->click();
        QCOMPARE(display.host.calls, (Lines{"applyStatusClock", "applyStatusPanel"}));
        QVERIFY(display.host.values.behaviour.cb24ji);
        QVERIFY(!display.host.values.behaviour.cbShiyouchuu);
        QCOMPARE(display.child<QLabel>("lblStartFolder")->text(), QStringLiteral("/home/u/velmo/"));

        Opened<CalendarPage> calendar;
        calendar.child<QCheckBox>("cbFurikae")->click();
        QVERIFY(calendar.host.calls.empty());
        calendar.child<QRadioButton>("rgStYoubi1")->click();
        QCOMPARE(calendar.host.values.calendar.rgStYoubi, 1);
        QVERIFY(!calendar.host.values.calendar.cbFurikae);
        QCOMPARE(calendar.host.calls, Lines{"applyCalendarOptions"});
        QVERIFY(calendar.stored().calendar.cbFurikae);
    }

    void typedMonthIsPulledIntoTheYear() {
        Opened<YearPageOptions> t;
        auto* month = t.child<QSpinBox>("SpHajimariTuki");
        month->selectAll();
        QTest::keyClicks(month, "0");
        QCOMPARE(t.stored().calendar.SpHajimariTuki, 1);
        month->selectAll();
        QTest::keyClicks(month, "13");
        QCOMPARE(t.stored().calendar.SpHajimariTuki, 12);
        month->selectAll();
        QTest::keyClicks(month, "7");
        QCOMPARE(t.stored().calendar.SpHajimariTuki, 7);
    }

    void startMarkerFollowsTheNetworkSwitch() {
        QTemporaryDir dir;
        const std::string start = dir.path().toStdString() + "/";
        Opened<Net2Page> t(start);
        auto* box = t.child<QCheckBox>("cbNetKidou");
        QVERIFY(!box->isEnabled() && !box->isChecked());
        t.page->revealByChord();
        QVERIFY(box->isEnabled());

        box->click();
        const std::string marker = start + "Kidou.myc";
        QCOMPARE(fileBytes(marker), cp932::encode("ネットフォルダ(" + marker + ")\r\n"));
        box->click();
        QVERIFY(!QFile::exists(QString::fromStdString(marker)));
        QCOMPARE(t.host.calls, (Lines{"settingsInUserFolder 1", "settingsInUserFolder 0"}));
        QVERIFY(t.host.scriptedUi.shown().empty());

        // A marker in another letter case counts, both when loading and when deleting.
        std::ofstream(start + "KIDOU.MYC").put('x');
        Opened<Net2Page> again(start,
                               [](FakeOptionsHost& h) { h.runFacts.startedFromNetwork = true; });
        auto* loaded = again.child<QCheckBox>("cbNetKidou");
        QVERIFY(loaded->isEnabled() && loaded->isChecked());
        loaded->click();
        QVERIFY(!QFile::exists(QString::fromStdString(start + "KIDOU.MYC")));
    }

    void failedMarkerChangeIsReportedAndUndone() {
        QTemporaryDir dir;
        const std::string start = dir.path().toStdString() + "/";
        FileCalls failing = systemFileCalls();
        failing.rename = [](const char*, const char*) {
            errno = EIO;
            return -1;
        };
        failing.unlink = [](const char*) {
            errno = EBUSY;
            return -1;
        };
        const ScopedFileCalls guard(failing);
        Opened<Net2Page> t(start);
        t.page->revealByChord();
        auto* box = t.child<QCheckBox>("cbNetKidou");
        box->click();
        QVERIFY(!box->isChecked());
        std::ofstream(start + "Kidou.myc").put('x');
        Opened<Net2Page> present(start);
        present.page->revealByChord();
        present.child<QCheckBox>("cbNetKidou")->click();
        QVERIFY(present.child<QCheckBox>("cbNetKidou")->isChecked());
        QVERIFY(t.host.calls.empty() && present.host.calls.empty());
        QCOMPARE(t.host.scriptedUi.texts(),
                 Lines{"[ " + start + "Kidou.myc ]の書込に失敗しました。"});
        QCOMPARE(present.host.scriptedUi.texts(),
                 Lines{"[ " + start + "Kidou.myc ]は削除できませんでした。"});
        QCOMPARE(present.host.scriptedUi.shown()[0].caption, std::string("エラー"));
    }

    void screenshots() {
        if (qEnvironmentVariableIsEmpty("VELMO_OPTION_SCREENSHOTS"))
            QSKIP("set VELMO_OPTION_SCREENSHOTS to save every page");
        QApplication::setFont(QFont(mappedFontFamily(QStringLiteral("ＭＳ Ｐゴシック")), 9));
        auto shoot = [](OptionPage& page, const char* name) {
            QWidget frame;
            frame.resize(567, 548);
            page.setParent(&frame);
            page.setGeometry(0, 0, 567, 520);
            page.show();
            frame.show();
            QVERIFY(QTest::qWaitForWindowExposed(&frame));
            QVERIFY(frame.grab().save(QStringLiteral("/tmp/page_%1.png").arg(name)));
            page.setParent(nullptr);
        };
        Opened<BasicPage> basic("/home/user/.local/share/velmo/");
        shoot(*basic.page, "basic");
        Opened<DisplayPage> display("/home/user/.local/share/velmo/");
        shoot(*display.page, "display");
        Opened<CalendarPage> calendar;
        shoot(*calendar.page, "calendar");
        Opened<YearPageOptions> year;
        shoot(*year.page, "year");
        Opened<KanriPage> kanri;
        shoot(*kanri.page, "kanri");
        Opened<Net2Page> net2;
        shoot(*net2.page, "net2");
    }
};

QTEST_MAIN(BasicPagesTest)
#include "basic_pages_test.moc"
