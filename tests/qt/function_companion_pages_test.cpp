// The options pages 機能 and 連携 over a recording host: the schedule memory and the access
// time editor, the clock companion rules, the start log and the companion switches and
// file buttons. Set VELMO_OPTION_SCREENSHOTS to have both pages saved as
// /tmp/page_kinou.png and /tmp/page_renkei.png.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "dialogs/options/companion_page.h"
#include "dialogs/options/function_page.h"
#include "tests/support/fake_options_host.h"
#include "tests/support/named_child.h"
#include "tests/support/temp_folder.h"

using namespace velmo;
using velmo::testing::FakeOptionsHost;
using velmo::testing::ShownBox;
using velmo::testing::TempFolder;

namespace {

namespace fs = std::filesystem;

// Remembers where each file picker was opened.
class Host : public FakeOptionsHost {
public:
    std::vector<std::string> pickerFolders;
    std::optional<std::string> chooseFile(const std::string& title,
                                          const std::string& startFolder) override {
        pickerFolders.push_back(startFolder);
        return FakeOptionsHost::chooseFile(title, startFolder);
    }
};

struct Fixture {
    TempFolder folder;
    Host host;
    OptionsDialogState state;

    explicit Fixture(const std::string& jikoku = {}) {
        host.runFacts.startFolder = (folder / "start").string() + "/";
        fs::create_directories(folder / "start");
        host.runFacts.settingsFile = folder.write("Torka.ini", "[Jikoku]\r\n" + jikoku).string();
    }
    std::string executable(const std::string& name) {
        const fs::path file = folder.write(name, "#!/bin/sh\n");
        fs::permissions(file, fs::perms::owner_all);
        return file.string();
    }
    template <class Page>
    std::unique_ptr<Page> open() {
        auto page = std::make_unique<Page>(OptionPageContext{host, state});
        state.loading = true;
        page->load(host.values);
        state.loading = false;
        return page;
    }
    TorkaSettings stored(const OptionPage& page) const {
        TorkaSettings options = host.values;
        page.store(options);
        return options;
    }
};

template <class T = QWidget>
T* child(const QWidget& page, const char* name) {
    return velmo::testing::namedChild<T>(page, name);
}

QString timeBoxes(const QWidget& page) {
    return child<QLineEdit>(page, "edtHour")->text() + ":" +
           child<QLineEdit>(page, "edtMin")->text() + ":" +
           child<QLineEdit>(page, "edtSec")->text();
}

void arrow(const QWidget& page, const char* upDown, const char* direction) {
    child<QToolButton>(*child(page, upDown), direction)->click();
}

bool shownOnly(const Host& host, ShownBox::Kind kind, const std::string& text) {
    const auto& shown = host.scriptedUi.shown();
    return shown.size() == 1 && shown[0].kind == kind && shown[0].text == text;
}

}  // namespace

class FunctionCompanionPagesTest : public QObject {
    Q_OBJECT

private slots:
    void theScheduleComesFromTheDialogsOwnSection() {
        Fixture f("rbDay=0\r\nrbWeek=1\r\ncbYoubi=3\r\nvTime=0930\r\n");
        f.host.clockPath = "/usr/bin/velclock";
        auto page = f.open<FunctionPage>();
        QVERIFY(child<QRadioButton>(*page, "rbWeek")->isChecked());
        QCOMPARE(child<QComboBox>(*page, "cbYoubi")->currentIndex(), 3);
        QCOMPARE(timeBoxes(*page), QStringLiteral("9:30:0"));
        QVERIFY(!child<QPushButton>(*page, "btnTimeEdit")->isEnabled());
        TorkaSettings options = f.stored(*page);
        QCOMPARE(options.correction.pTAccess, 1);
        QCOMPARE(options.correction.pTTime, std::string("093000"));
        QCOMPARE(options.correction.pTYoubi, 3);
        JikokuSection jikoku;
        page->storeDialogSection(jikoku);
        QCOMPARE(jikoku, (JikokuSection{false, true, false, 3, "093000"}));

        child<QRadioButton>(*page, "rbShitei")->click();
        QVERIFY(child<QPushButton>(*page, "btnTimeEdit")->isEnabled());
        QCOMPARE(f.stored(*page).correction.pTAccess, 2);

        Fixture invalid("vTime=2561\r\n");
        QCOMPARE(timeBoxes(*invalid.open<FunctionPage>()), QStringLiteral("15:0:0"));
        Fixture missing;
        missing.host.fakeClock.set({2024, 9, 10, 7, 8, 9, 0});
        QCOMPARE(timeBoxes(*missing.open<FunctionPage>()), QStringLiteral("7:8:9"));
    }

    void theAccessTimeIsEditedAndConfirmedOrCancelled() {
        Fixture f("rbShitei=1\r\nvTime=230059\r\n");
        f.host.clockPath = "/usr/bin/velclock";
        auto page = f.open<FunctionPage>();
        auto* hour = child<QLineEdit>(*page, "edtHour");
        QVERIFY(!hour->isEnabled());
        child<QPushButton>(*page, "btnTimeEdit")->click();
        QVERIFY(hour->isEnabled() && !child(*page, "udHour")->isHidden());
        QVERIFY(child<QPushButton>(*page, "btnTimeEdit")->isHidden());
        arrow(*page, "udHour", "up");
        arrow(*page, "udSec", "up");
        QCOMPARE(timeBoxes(*page), QStringLiteral("0:0:0"));
        arrow(*page, "udHour", "down");
        arrow(*page, "udMin", "down");
        QCOMPARE(timeBoxes(*page), QStringLiteral("23:59:0"));
        child<QPushButton>(*page, "btnTimeOk")->click();
        QCOMPARE(page->accessTime(), (TimeOfDay{23, 59, 0}));
        QVERIFY(child(*page, "udHour")->isHidden() && !hour->isEnabled());

        child<QPushButton>(*page, "btnTimeEdit")->click();
        hour->clear();
        QTest::keyClicks(hour, "24");
        QCOMPARE(hour->text(), QStringLiteral("2"));
        hour->clear();
        child<QPushButton>(*page, "btnTimeOk")->click();
        QCOMPARE(f.host.scriptedUi.shown().size(), std::size_t{1});
        QCOMPARE(f.host.scriptedUi.shown()[0].text, std::string("時刻が正しくありません。"));
        QCOMPARE(f.host.scriptedUi.shown()[0].caption, std::string("確認 -ベルモ-"));
        QVERIFY(hour->isEnabled());
        QCOMPARE(page->accessTime(), (TimeOfDay{23, 59, 0}));
        child<QPushButton>(*page, "btnTimeCancel")->click();
        QCOMPARE(timeBoxes(*page), QStringLiteral("23:59:0"));
        QCOMPARE(f.stored(*page).correction.pTTime, std::string("235900"));
    }

    void withoutAClockCompanionTheCorrectionIsRefused() {
        Fixture f("rbShitei=1\r\n");
        f.host.values.correction.cbTShuusei = true;
        auto page = f.open<FunctionPage>();
        auto* box = child<QCheckBox>(*page, "cbTShuusei");
        QVERIFY(!box->isChecked());
        QVERIFY(f.host.scriptedUi.shown().empty());
        for (const char* name : {"rbDay", "rbShitei", "btnTimeEdit", "udChien", "btnVelclock"})
            QVERIFY2(!child(*page, name)->isEnabled(), name);
        QVERIFY(!f.stored(*page).correction.cbTShuusei);
        box->click();
        QVERIFY(!box->isChecked());
        QVERIFY(shownOnly(f.host, ShownBox::Kind::Message,
                          "ベル時計が見あたりません。\r\nベル時計をセットアップするか、ベルモを起"
                          "動したフォルダに入れてください。\r\n中止します。"));
        QVERIFY(f.host.calls.empty());
    }

    void theCorrectionBoxActsAtOnceAndNamesTheStartupClock() {
        Fixture f;
        f.host.clockPath = "/usr/bin/velclock";
        f.host.startupShortcut = true;
        auto page = f.open<FunctionPage>();
        auto* box = child<QCheckBox>(*page, "cbTShuusei");
        box->click();
        QVERIFY(f.host.values.correction.cbTShuusei);
        QVERIFY(f.host.called("setCorrectionMenuEnabled 1"));
        QCOMPARE(box->text(), QStringLiteral("インターネット時刻修正機能を使う [スタートアップに"
                                             "登録された「ベル時計」を使います]"));
        child<QRadioButton>(*page, "rbShitei")->click();
        QCOMPARE(box->text(), QStringLiteral("インターネット時刻修正機能を使う"));
    }

    void theStartLogAndTheTimerActAtOnce() {
        Fixture f;
        f.host.values.behaviour.cbKidouKiroku = true;
        f.host.values.behaviour.cbKirokuHyouji = true;
        auto page = f.open<FunctionPage>();
        QVERIFY(child(*page, "udKidouGyou")->isEnabled());
        child<QCheckBox>(*page, "cbKidouKiroku")->click();
        QCOMPARE(f.host.calls, std::vector<std::string>{"setStartLog 0"});
        QVERIFY(!f.host.values.behaviour.cbKidouKiroku);
        auto* show = child<QCheckBox>(*page, "cbKirokuHyouji");
        QVERIFY(!show->isChecked() && !show->isEnabled());
        QVERIFY(!child(*page, "edtKidouGyou")->isEnabled());
        child<QCheckBox>(*page, "cbJigen")->click();
        QVERIFY(f.host.called("setTimerFunction 0"));
        child<QSpinBox>(*page, "udKidouGyou")->setValue(5000);
        QCOMPARE(f.stored(*page).behaviour.udKidouGyou, 1000);
    }

    void theClockChoiceFollowsTheFilesFound() {
        Fixture f;
        f.host.values.correction.cbClock = true;
        QVERIFY(!child(*f.open<FunctionPage>(), "cbClock")->isEnabled());
        QVERIFY(!f.stored(*f.open<FunctionPage>()).correction.cbClock);

        const std::string inStart = f.executable("start/velclock");
        const std::string common = f.executable("common/Norv/VelClock/Velclock.exe");
        qputenv("XDG_DATA_HOME", (f.folder / "common").string().c_str());
        auto page = f.open<FunctionPage>();
        auto* box = child<QCheckBox>(*page, "cbClock");
        QVERIFY(box->isEnabled() && box->isChecked());
        box->click();
        QCOMPARE(f.host.clockPath, common);
        box->click();
        QCOMPARE(f.host.clockPath, inStart);
        f.host.runFacts.useUserFolder = true;
        box->click();
        QCOMPARE(f.host.clockPath, inStart);
        qunsetenv("XDG_DATA_HOME");
    }

    void theClockButtonStartsTheClockOnce() {
        Fixture f;
        f.host.clockPath = "/usr/bin/velclock";
        auto page = f.open<FunctionPage>();
        f.host.clockRunning = true;
        child<QPushButton>(*page, "btnVelclock")->click();
        QVERIFY(shownOnly(f.host, ShownBox::Kind::Message,
                          "既に起動中です。\r\n時間をおいてクリックしてください。"));
        f.host.clockRunning = false;
        child<QPushButton>(*page, "btnVelclock")->click();
        QCOMPARE(f.host.calls, std::vector<std::string>{"startClockCompanion"});
    }

    void theEditorAndMemoSwitchesActAtOnce() {
        Fixture f;
        f.host.values.companions = {true, true, false, "/opt/Ruvon", false, false, "/opt/Velprin"};
        auto page = f.open<CompanionPage>();
        QCOMPARE(f.host.calls,
                 (std::vector<std::string>{"applyEditorCompanion 1", "applyMemoButtonCaption"}));
        QCOMPARE(f.stored(*page).companions, f.host.values.companions);
        f.host.calls.clear();
        child<QCheckBox>(*page, "cbEditor")->click();
        child<QCheckBox>(*page, "cbVelmoM")->click();
        QCOMPARE(f.host.calls,
                 (std::vector<std::string>{"applyEditorCompanion 0", "applyMemoButtonCaption",
                                           "applyMemoButtonCaption"}));
        QVERIFY(!f.host.values.companions.cbEditor && f.host.values.companions.cbVelmoM);
    }

    void thePrintSwitchNeedsThePrintCompanion() {
        Fixture f;
        auto page = f.open<CompanionPage>();
        auto* box = child<QCheckBox>(*page, "cbPrint");
        box->click();
        QVERIFY(!box->isChecked());
        QVERIFY(shownOnly(f.host, ShownBox::Kind::Message,
                          "「ベルプリン」が確認できません。\r\n「ベルプリン」が存在するかどうかチ"
                          "ェックしてください。"));
        f.host.printer = f.executable("bin/Velprin.exe");
        f.host.calls.clear();
        box->click();
        box->click();
        QCOMPARE(f.host.calls,
                 (std::vector<std::string>{"setPrintButtonCaption 1", "setPrintButtonCaption 0"}));
        QCOMPARE(child<QLineEdit>(*page, "edtPrintFolder")->text().toStdString(), f.host.printer);
    }

    void theFileButtonsTakeOnlyTheirCompanion() {
        Fixture f;
        const std::string ruvon = f.executable("apps/ruvon.exe");
        const std::string other = f.executable("apps/notes");
        f.host.values.companions.edtEditorFolder = "/old/place/Ruvon";
        auto page = f.open<CompanionPage>();
        auto* box = child<QLineEdit>(*page, "edtEditorFolder");
        f.host.files = {other, "/missing/ruvon.exe", "/絵文字😀/ruvon", ruvon};
        child<QPushButton>(*page, "btnEditorFolder")->click();
        QCOMPARE(box->text().toStdString(), ruvon);
        QCOMPARE(f.host.editor, ruvon);
        QCOMPARE(f.host.pickerTitles.size(), std::size_t{4});
        QCOMPARE(f.host.pickerTitles[0], std::string("起動する「ルボン」を指定してください。"));
        QCOMPARE(f.host.pickerFolders[0], std::string("/old/place/"));
        const auto& shown = f.host.scriptedUi.shown();
        QCOMPARE(shown.size(), std::size_t{3});
        QCOMPARE(shown[0].text, std::string("「ルボン」(Ruvon.exe)ではありません。"));
        QCOMPARE(shown[1].text, shown[0].text);
        QVERIFY(shown[2].text.starts_with("保存できない文字があります"));

        // The print button: a wrong file, then cancelled, puts the text back.
        f.host.scriptedUi.clearShown();
        f.host.files = {ruvon};
        child<QPushButton>(*page, "btnPrintFolder")->click();
        QVERIFY(child<QLineEdit>(*page, "edtPrintFolder")->text().isEmpty());
        QVERIFY(shownOnly(f.host, ShownBox::Kind::Message,
                          "「ベルプリン」(Velprin.exe)ではありません。"));
        QCOMPARE(f.host.pickerTitles.back(),
                 std::string("起動する「ベルプリン」を指定してください。"));
        QCOMPARE(f.host.pickerFolders.back(), f.host.runFacts.startFolder);
    }

    void screenshots() {
        if (qEnvironmentVariableIsEmpty("VELMO_OPTION_SCREENSHOTS"))
            QSKIP("set VELMO_OPTION_SCREENSHOTS to save both pages");
        QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 9));
        Fixture f("rbShitei=1\r\n");
        f.host.clockPath = "/usr/bin/velclock";
        const auto save = [](OptionPage& page, const char* file) {
            QWidget frame;
            frame.resize(567, 548);
            page.setParent(&frame);
            page.setGeometry(0, 0, 567, 548);
            frame.show();
            QVERIFY(QTest::qWaitForWindowExposed(&frame));
            QVERIFY(frame.grab().save(QString::fromLatin1(file)));
            page.setParent(nullptr);
        };
        auto function = f.open<FunctionPage>();
        save(*function, "/tmp/page_kinou.png");
        child<QPushButton>(*function, "btnTimeEdit")->click();
        save(*function, "/tmp/page_kinou_editing.png");
        auto companion = f.open<CompanionPage>();
        save(*companion, "/tmp/page_renkei.png");
    }
};

QTEST_MAIN(FunctionCompanionPagesTest)
#include "function_companion_pages_test.moc"
