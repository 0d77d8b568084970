// The options pages 月表示, ネット１ and the hidden フォルダ page over a recording host:
// what they load and store, what they apply at once, and that no folder operation is ever
// handed a blank or relative folder. Set VELMO_PAGE_SCREENSHOTS to have every page saved
// as /tmp/page_<name>.png.

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>
#include <memory>

#include "dialogs/options/colour_swatch.h"
#include "dialogs/options/folder_history_page.h"
#include "dialogs/options/month_page_options.h"
#include "dialogs/options/network_page.h"
#include "shared/folder_creation.h"
#include "tests/support/fake_options_host.h"
#include "tests/support/named_child.h"

using namespace velmo;
using velmo::testing::FakeOptionsHost;

namespace {

// The creation dialog prepares a folder of its own.
class CreatingHost : public FakeOptionsHost {
public:
    std::filesystem::path created;
    std::filesystem::path createSharedFolder(FolderCreationMode mode,
                                             const std::string& folder) override {
        FakeOptionsHost::createSharedFolder(mode, folder);
        return created;
    }
};

template <class Page>
struct Fixture {
    CreatingHost host;
    OptionsDialogState state;
    std::unique_ptr<Page> page;

    Fixture() { host.runFacts.startFolder = "/home/a/Velmo/"; }
    Page& open() {
        page = std::make_unique<Page>(OptionPageContext{host, state});
        state.loading = true;
        page->load(host.values);
        state.loading = false;
        return *page;
    }
    template <class T = QWidget>
    T* child(const char* name) const {
        return velmo::testing::namedChild<T>(*page, name);
    }
    // As the user's click: the state changes, then clicked and toggled are emitted.
    void click(const char* name) { child<QAbstractButton>(name)->click(); }
    TorkaSettings stored() const {
        TorkaSettings out{};
        page->store(out);
        return out;
    }
};

using MonthFixture = Fixture<MonthOptionsPage>;
using NetFixture = Fixture<NetworkPage>;

void saveScreenshot(QWidget& page, const char* name) {
    if (qEnvironmentVariableIsEmpty("VELMO_PAGE_SCREENSHOTS"))
        return;
    QWidget frame;
    frame.resize(567, 548);
    page.setParent(&frame);
    page.setGeometry(0, 0, 567, 520);
    frame.show();
    QVERIFY(frame.grab().save(QString("/tmp/page_%1.png").arg(name)));
    page.setParent(nullptr);
}

}  // namespace

class MonthNetworkPagesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setFont(QFont("IPAPGothic", 9)); }

    void monthPageCarriesEveryValue() {
        MonthFixture f;
        CalendarKeys& c = f.host.values.calendar;
        c.udKFutosa = 3;
        c.edtKColor = 0x123456;
        c.cbTukiMemo = true;
        c.cbTukiMUeTume = false;
        c.cbNeighborJump = true;
        c.cbBold = false;
        c.cbUetume = true;
        c.cbToubai = false;
        c.cbNihongo = false;
        f.host.values.tabs = {4, 150};
        f.host.values.colours = {false, 0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112};
        f.host.values.display.cbMonthBtn = true;
        f.host.values.display.udYokoC = -200;
        f.open();
        QVERIFY(f.child<QRadioButton>("rbRokuyo")->isChecked());
        QCOMPARE(f.child<QLineEdit>("edtKFutosa")->text(), QString("3"));
        // Loading applies nothing that is guarded.
        QVERIFY(!f.host.called("applyMonthButtons"));
        const TorkaSettings out = f.stored();
        QVERIFY(out.calendar == f.host.values.calendar);
        QVERIFY(out.colours == f.host.values.colours);
        QVERIFY(out.tabs == f.host.values.tabs);
        QCOMPARE(out.display.cbMonthBtn, true);
        QCOMPARE(out.display.udYokoC, -200);
    }

    void monthSwitchesActAtOnce() {
        MonthFixture f;
        f.open();
        f.host.calls.clear();  // loading re-applied what was in effect
        f.click("cbBold");
        QCOMPARE(f.host.values.calendar.cbBold, false);
        QCOMPARE(f.host.calls, std::vector<std::string>{"applyCalendarOptions"});
        f.click("rbTab4");
        f.click("rb150");
        QCOMPARE(f.host.values.tabs.TabToSp, 4);
        QCOMPARE(f.host.values.tabs.TabAdj, 150);
        f.click("cbMonthBtn");
        QVERIFY(f.host.values.display.cbMonthBtn);
        QVERIFY(f.host.called("applyMonthButtons"));
        // The editors' Japanese input waits for the closing.
        f.host.calls.clear();
        f.click("cbNihongo");
        QVERIFY(f.host.calls.empty());
        QCOMPARE(f.stored().calendar.cbNihongo, false);
    }

    void fontColoursChangeAtOncePeriodColourOnlyInTheSwatch() {
        MonthFixture f;
        f.open();
        f.host.calls.clear();  // loading re-applied what was in effect
        // 平日 starts as the window text system colour and is stored as such.
        auto* weekday = f.child<ColourSwatch>("edtCWeekDay");
        QCOMPARE(weekday->shownColour(), QApplication::palette().color(QPalette::WindowText));
        QCOMPARE(f.stored().colours.edtCWeekDay, kSystemColourFlag | 8);

        f.host.colours = {Colour{0x112233}, std::nullopt};
        f.click("btnCWeekDay");
        QCOMPARE(f.host.values.colours.edtCWeekDay, Colour{0x112233});
        QCOMPARE(weekday->shownColour(), QColor(0x33, 0x22, 0x11));
        QVERIFY(f.host.called("applyCalendarOptions"));
        f.host.calls.clear();
        f.click("btnCSun");  // cancelled
        QCOMPARE(f.host.calls, std::vector<std::string>{"chooseColour"});
        QCOMPARE(f.host.values.colours.edtCSun, Colour{0x0000FF});

        f.host.calls.clear();
        f.host.colours = {Colour{0x00AA00}};
        f.click("btnKColor");
        QCOMPARE(f.host.calls, std::vector<std::string>{"chooseColour"});
        QCOMPARE(f.host.values.calendar.edtKColor, Colour{0xFF0000});
        QCOMPARE(f.stored().calendar.edtKColor, Colour{0x00AA00});
    }

    void presetColoursAfterTheQuestion() {
        MonthFixture f;
        f.host.values.colours.edtCRokuyo = 0x111111;
        f.open();
        f.host.calls.clear();  // loading re-applied what was in effect
        f.host.scriptedUi.answer(false);
        f.click("btnColourPresets");
        QCOMPARE(f.host.values.colours.edtCRokuyo, Colour{0x111111});
        QVERIFY(!f.host.called("applyCalendarOptions"));

        f.host.scriptedUi.answer(true);
        f.click("btnColourPresets");
        const auto& box = f.host.scriptedUi.shown().back();
        QCOMPARE(box.text, std::string("フォント色等を、すべて規定値に戻しますか？"));
        QCOMPARE(box.caption, std::string("確認"));
        QVERIFY(box.defaultButton == DefaultButton::Yes);
        const ColourKeys expected{true, 0x0000FF, 0xFF0000, 0x484848, 0x484848, 0x808080, 0x008000};
        QVERIFY(f.host.values.colours == expected);
        QVERIFY(f.stored().colours == expected);
        QCOMPARE(f.host.calls, std::vector<std::string>{"applyCalendarOptions"});
    }

    void sharedFolderLoadingAndStoringRules() {
        NetFixture f;
        f.host.values.network.edtNetFolder = "/HOME/a/velmo";
        f.host.values.network.rbNetKoushin = 7;
        f.open();
        QCOMPARE(f.page->startingSharedFolder(), std::string());
        QVERIFY(f.child<QRadioButton>("rbNetKoushin3")->isChecked());
        QCOMPARE(f.stored().network.rbNetKoushin, 2);
        QVERIFY(f.host.calls.empty());

        // While sharing is on the start folder stays the shared folder.
        NetFixture on;
        on.host.values.network.cbNet = true;
        on.host.values.network.edtNetFolder = "/home/a/Velmo/";
        on.open();
        QCOMPARE(on.page->sharedFolderText(), std::string("/home/a/Velmo/"));
        QCOMPARE(on.stored().network.edtNetFolder, std::string("/home/a/Velmo/"));
        on.click("cbNet");
        QCOMPARE(on.stored().network.edtNetFolder, std::string());

        Fixture<FolderHistoryPage> history;
        history.host.values.network.cbNet = true;
        history.host.values.network.edtNetFolder2 = "/home/A/Velmo/";
        history.host.values.network.edtNetFolder3 = "/srv/x/";
        history.open();
        QCOMPARE(history.child<QLineEdit>("edtNetFolder2")->text(), QString());
        history.child<QLineEdit>("edtNetFolder1")->setText("/home/a/velmo");
        const NetworkKeys stored = history.stored().network;
        QCOMPARE(stored.edtNetFolder1, std::string());
        QCOMPARE(stored.edtNetFolder3, std::string("/srv/x/"));
    }

    void buttonsNeverGetABlankOrRelativeFolder() {
        NetFixture f;
        f.host.values.network.cbNet = true;
        f.host.values.network.edtNetFolder = "/srv/share/";
        f.open();
        auto* box = f.child<QLineEdit>("edtNetFolder");
        for (const char* text : {"   ", "share/data"}) {
            box->setText(text);
            for (const char* button : {"btnWhoMente", "btnNetLockoff", "btnKanriSet"})
                f.click(button);
        }
        QVERIFY(f.host.calls.empty());
        QCOMPARE(f.host.scriptedUi.texts(),
                 std::vector<std::string>(6, kSharedFolderNotSetMessage));

        box->setText(" /srv//share/./x/../");
        f.click("btnWhoMente");
        f.click("btnNetLockoff");
        f.click("btnKanriSet");
        QCOMPARE(f.host.calls,
                 (std::vector<std::string>{"searchLocks /srv/share/", "forceUnlock /srv/share/",
                                           "createSharedFolder 2 /srv/share/"}));
    }

    void enablingFollowsTheRightsLevel() {
        NetFixture f;
        f.host.values.network.cbNet = true;
        f.host.values.network.edtNetFolder = "/srv/share/";
        f.open();
        QVERIFY(f.child("btnWhoMente")->isEnabled());
        QVERIFY(f.child("btnKanriSet")->isEnabled());
        QVERIFY(!f.child("btnNetBackup")->isEnabled());
        QVERIFY(!f.child("btnKanriCreate")->isEnabled());
        QVERIFY(!f.child("btnNetCreate")->isEnabled());
        QVERIFY(f.child("lblNetStat")->isHidden());

        for (const auto& [level, label] :
             {std::pair{6, "管理者権限"}, std::pair{7, "管理コンピュータ"}}) {
            f.host.rights = level;
            f.page->pageShown();
            QVERIFY(f.child("btnNetBackup")->isEnabled());
            QVERIFY(f.child("btnNetCreate")->isEnabled());
            QVERIFY(!f.child("lblNetStat")->isHidden());
            QCOMPARE(f.child<QLabel>("lblNetStat")->text(), QString(label));
        }
        QCOMPARE(f.host.calls.front(), std::string("evaluateRights /srv/share/"));

        // Unchecking while network mode is on switches it off at once; then only the
        // folder creation stays.
        f.host.networkOn = true;
        f.host.calls.clear();
        f.click("cbNet");
        QCOMPARE(f.host.calls, (std::vector<std::string>{"networkModeOff", "setNetOnEnabled 0"}));
        QVERIFY(f.child("btnNetCreate")->isEnabled());
        QVERIFY(!f.child("btnWhoMente")->isEnabled());
        QVERIFY(!f.child("btnNetBackup")->isEnabled());
    }

    void folderCreationAndTheFolderItPrepared() {
        NetFixture f;
        f.host.values.network.cbNet = true;
        f.host.rights = 7;
        f.open();
        f.click("btnNetCreate");
        QCOMPARE(f.host.scriptedUi.texts(), std::vector<std::string>{kNetworkSharingOnMessage});
        QVERIFY(f.host.calls.empty());

        f.click("cbNet");
        f.host.calls.clear();
        f.host.created = "/srv/new";
        f.click("btnNetCreate");  // an empty box simply takes the folder
        QCOMPARE(f.page->sharedFolderText(), std::string("/srv/new/"));
        QCOMPARE(f.host.calls,
                 (std::vector<std::string>{"createSharedFolder 0 ", "evaluateRights /srv/new/"}));

        f.host.created = "/srv/other/";
        f.host.scriptedUi.answer(false);
        f.click("btnNetCreate");
        QCOMPARE(f.page->sharedFolderText(), std::string("/srv/new/"));
        QCOMPARE(f.host.scriptedUi.texts().back(),
                 std::string("ネットワーク上のデータフォルダを調整してください。"));
        f.host.scriptedUi.answer(true);
        f.click("btnNetCreate");
        QCOMPARE(
            f.host.scriptedUi.questions().back(),
            std::string("ネットワーク上のデータフォルダを、今設定したフォルダに変更しますか？"));
        QCOMPARE(f.page->sharedFolderText(), std::string("/srv/other/"));
    }

    void pickingTheSharedFolder() {
        NetFixture f;
        f.host.values.network.edtNetFolder = "/srv/share/";
        f.host.folders = {std::string("/srv/share/"), std::string("/srv/😀/"),
                          std::string("/srv/other")};
        f.open();
        f.click("btnNetFSet");  // the same folder: nothing to evaluate again
        QCOMPARE(f.host.pickerTitles.front(), std::string("フォルダを指定してください"));
        QVERIFY(!f.host.called("sharedFolderChanged /srv/share/"));
        f.click("btnNetFSet");
        QCOMPARE(f.page->sharedFolderText(), std::string("/srv/share/"));
        QVERIFY(
            f.host.scriptedUi.texts().back().starts_with("保存できない文字があります： U+1F600"));
        f.click("btnNetFSet");
        QCOMPARE(f.page->sharedFolderText(), std::string("/srv/other/"));
        QCOMPARE(f.host.calls.back(), std::string("sharedFolderChanged /srv/other/"));
        QCOMPARE(f.child<QLineEdit>("edtNetFolder")->palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::Button));

        // The history boxes pick the same way but change nothing else.
        Fixture<FolderHistoryPage> history;
        history.host.folders = {std::string("/srv/old")};
        history.open();
        history.click("btnNetFSet2");
        QCOMPARE(history.child<QLineEdit>("edtNetFolder2")->text(), QString("/srv/old/"));
        QCOMPARE(history.stored().network.edtNetFolder2, std::string("/srv/old/"));
        QVERIFY(history.host.calls.empty());
    }

    void changeCheckAndTheDebugChord() {
        NetFixture f;
        f.open();
        f.click("rbNetKoushin2");
        f.click("rbNetKoushin3");
        f.click("rbNetKoushin1");
        QCOMPARE(f.host.calls, (std::vector<std::string>{"setChangeCheck 1", "setChangeCheck 2",
                                                         "setChangeCheck 0"}));
        QVERIFY(!f.page->keyChord(Qt::Key_N, Qt::Key_T));
        QVERIFY(f.child("btnDbg")->isHidden());
        QVERIFY(f.page->keyChord(Qt::Key_B, Qt::Key_G));
        f.click("btnDbg");
        QCOMPARE(f.host.scriptedUi.texts().back(),
                 std::string("vLike: 1, RetDataRead(後): 2, RetDataRead(前): 3, Read: 4"));
    }

    void screenshots() {
        MonthFixture month;
        saveScreenshot(month.open(), "tsMonth");
        NetFixture net;
        net.host.values.network.edtNetFolder = "/srv/share/";
        net.host.values.network.cbNet = true;
        net.host.rights = 7;
        net.page = std::make_unique<NetworkPage>(OptionPageContext{net.host, net.state});
        net.page->load(net.host.values);
        net.page->keyChord(Qt::Key_B, Qt::Key_G);
        saveScreenshot(*net.page, "tsNet1");
        Fixture<FolderHistoryPage> history;
        saveScreenshot(history.open(), "tsFolder");
    }
};

QTEST_MAIN(MonthNetworkPagesTest)
#include "month_network_pages_test.moc"
