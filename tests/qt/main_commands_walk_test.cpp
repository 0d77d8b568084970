// Every item of the main menu and every button of the month page's column, walked in
// local and network mode, with and without cbCloseBtn, against one table of what each
// shows and does.

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "app/commands/main_commands.h"
#include "app/main_window.h"
#include "app/month_page.h"
#include "app/resident_actions.h"
#include "app/search_actions.h"
#include "app/setup_dialog.h"
#include "app/startup/run_settings.h"
#include "dialogs/memorial_feature_dialog.h"
#include "dialogs/search_window.h"
#include "monthview/qt_month_view.h"
#include "store/cp932.h"
#include "tests/support/cp932_file.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"

using namespace velmo;
using velmo::testing::FakeClock;
using velmo::testing::RecordingSleeper;
using velmo::testing::ScriptedUserInterface;

namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& text) {
    testing::writeCp932File(path, text);
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return cp932::decode(std::string(std::istreambuf_iterator<char>(in), {}));
}

// What the expectations depend on.
struct Facts {
    bool network = false;
    bool closeButton = false;
    bool helpFile = false;
};

// A start folder in the data set layout whose settings allow network mode on a shared
// folder next to it.
struct Office {
    QTemporaryDir dir;
    fs::path share() const { return dir.path().toStdString() + "/share/"; }
    fs::path start() const { return dir.path().toStdString() + "/pc1/"; }

    explicit Office(const Facts& facts) {
        writeFile(share() / "Data/Files1/Ca202401.myc", "15,1,,共有の会議,,,,,,\r\n");
        fs::create_directories(start() / "Data/Files1");
        fs::create_directories(start() / "Data/Files2");
        writeFile(start() / "Data/Files1/Ca202401.myc", "3,1,,手元の予定,,,,,,\r\n");
        writeFile(start() / "Torka.ini",
                  std::string("[Settei]\r\ncbNet=1\r\nvNet_flg=0\r\nrbNetKoushin=1\r\n") +
                      "cbKidouKiroku=1\r\ncbCloseBtn=" + (facts.closeButton ? "1" : "0") +
                      "\r\nedtNetFolder=" + share().string() + "\r\n[Option]\r\nrbKinenbi=0\r\n");
        if (facts.helpFile)
            writeFile(start() / "HelpVelm.chm", "help");
    }
    StartFolders folders() const {
        StartFolders f;
        f.startFolder = start().string();
        f.settingsFolder = f.startFolder;
        f.settingsFile = f.startFolder + "Torka.ini";
        f.localOperation = true;
        f.computerName = "PC1";
        return f;
    }
};

// Web addresses and files the desktop would open.
class OpenedUrls : public QObject {
    Q_OBJECT

public:
    OpenedUrls() {
        QDesktopServices::setUrlHandler("https", this, "open");
        QDesktopServices::setUrlHandler("file", this, "open");
    }
    ~OpenedUrls() override {
        QDesktopServices::unsetUrlHandler("https");
        QDesktopServices::unsetUrlHandler("file");
    }
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }
};

struct Run {
    explicit Run(const Office& office)
        : clock({2024, 1, 15, 9, 0, 0, 0}), window({office.folders(), {}, ui, clock, sleeper}) {}

    MonthPage& page() { return *window.monthPage(); }
    QPushButton* button(const QString& name) { return page().button(name); }
    QAction* item(const QString& name) { return window.findChild<QAction*>(name); }
    std::string shownMonth() { return page().session().shownYearMonth(); }
    int dataSet() { return window.runSettings().dataFolders().current().number(); }
    bool shared() { return window.runSettings().dataFolders().current().isShared(); }
    TorkaSettings& settings() { return const_cast<RunSettings&>(window.runSettings()).settings(); }

    ScriptedUserInterface ui;
    FakeClock clock;
    RecordingSleeper sleeper;
    TfmC21 window;
    OpenedUrls opened;
};

struct Walk {
    Run& run;
    Facts facts;
};

// The next modal window as it shows: its object name (or class) and caption, closed.
struct ModalSeen {
    QString name;
    QString caption;
};
void closeNextModal(ModalSeen& seen, std::function<void(QDialog&)> inside = {}) {
    QTimer::singleShot(0, [&seen, inside = std::move(inside)] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!modal)
            return;
        seen.name =
            modal->objectName().isEmpty() ? modal->metaObject()->className() : modal->objectName();
        seen.caption = modal->windowTitle();
        if (inside) {
            inside(*modal);
        } else {
            modal->reject();
        }
    });
}

QString opensModal(const std::function<void()>& command) {
    ModalSeen seen;
    closeNextModal(seen);
    command();
    return seen.name;
}

using Rule = bool (*)(const Facts&);
using Effect = void (*)(Walk&);

constexpr Rule always = [](const Facts&) { return true; };
constexpr Rule never = [](const Facts&) { return false; };
constexpr Rule local = [](const Facts& f) { return !f.network; };

void stepsTo(Walk& w, const char* item, const std::string& month) {
    w.run.page().showCurrentMonth();
    w.run.item(item)->trigger();
    QCOMPARE(w.run.shownMonth(), month);
    w.run.page().showCurrentMonth();
}

// The setup window an item opens: captioned "ベルモ -Velmo-", on its page.
void opensSetupOn(Walk& w, const char* item, int expectedPage) {
    int page = -1;
    ModalSeen seen;
    closeNextModal(seen, [&page](QDialog& dialog) {
        page = static_cast<SetupDialog&>(dialog).pages()->currentIndex();
        dialog.reject();
    });
    w.run.item(item)->trigger();
    QCOMPARE(seen.caption, QString("ベルモ -Velmo-"));
    QCOMPARE(page, expectedPage);
}

// The options dialog a command opens: captioned "ベルモ -Velmo-", on its page.
void opensOptionsOn(const std::function<void()>& command, const char* expectedPage) {
    QString page;
    ModalSeen seen;
    closeNextModal(seen, [&page](QDialog& dialog) {
        page = dialog.findChild<QTabWidget*>("pcOption")->currentWidget()->objectName();
        dialog.reject();
    });
    command();
    QCOMPARE(seen.name, QString("fmOption"));
    QCOMPARE(seen.caption, QString("ベルモ -Velmo-"));
    QCOMPARE(page, QString(expectedPage));
}

// A row of the main menu. Hidden items are found by name anywhere in the window.
struct ItemRow {
    const char* menu;
    const char* name;  // "-" for a separator
    const char* caption;
    const char* shortcut;
    Rule shown;
    Rule enabled;
    Rule checked;
    Effect effect;  // what triggering it does; null when the walk leaves it alone
};

const ItemRow kItems[] = {
    {"miFile", "miJouchuu", "常駐(&J)", "", always, always, never,
     [](Walk& w) {
         // Also with cbCloseBtn the menu goes resident.
         w.run.item("miJouchuu")->trigger();
         QVERIFY(w.run.window.resident().resident());
         w.run.window.resident().restore();
     }},
    {"miFile", "-", "", "", always, always, never, nullptr},
    {"miFile", "miExit", "終了(&X)", "", always, always, never, nullptr},
    {"miFile", "miDataFormBack", "データ形式を戻す", "", never, always, never,
     [](Walk& w) {
         w.run.ui.answer(false);
         w.run.item("miDataFormBack")->trigger();
         QVERIFY(QString::fromStdString(w.run.ui.texts().back()).contains("古いデータ形式"));
     }},
    {"miView", "miSetteiHyouji", "設定表示(&S)", "", always, always, never,
     [](Walk& w) { opensOptionsOn([&] { w.run.item("miSetteiHyouji")->trigger(); }, "tsSetAll"); }},
    {"miView", "miKidouJikoku", "起動時刻(&J)", "", always, always, never,
     [](Walk& w) {
         QCOMPARE(opensModal([&] { w.run.item("miKidouJikoku")->trigger(); }),
                  QString("velmo::LogViewer"));
     }},
    {"miView", "mnGyou", "表示行数", "", always, always, never,
     [](Walk& w) {
         QStringList captions;
         for (QAction* preset : w.run.window.findChild<QMenu*>("mnGyou")->actions())
             captions << preset->text();
         QCOMPARE(captions,
                  QStringList({"３行", "４行", "４行（フォント大）", "５行", "５行横長",
                               "６行（フォント小）", "６行（縦900ドット）", "６行（フォント大）",
                               "７行", "８行", "９行（フォント小）"}));
     }},
    {"miView", "miMemoRan", "メモ欄(&M)", "", always, always, never, nullptr},
    {"miView", "miRokuyou", "六曜表示(&R)", "", always, always, always,
     [](Walk& w) {
         QAction* item = w.run.item("miRokuyou");
         item->trigger();
         QVERIFY(!item->isChecked());
         QVERIFY(!w.run.page().view()->model().properties().ShowRokuyo);
         item->trigger();
         QVERIFY(item->isChecked());
         QVERIFY(w.run.page().view()->model().properties().ShowRokuyo);
     }},
    {"miView", "mnTateYoko", "横×縦", "Ctrl+Alt+H", never, always, never,
     [](Walk& w) {
         auto* label = w.run.window.findChild<QLabel*>("lblTateYoko");
         w.run.item("mnTateYoko")->trigger();
         QVERIFY(label->isVisible());
         w.run.item("mnTateYoko")->trigger();
         QVERIFY(!label->isVisible());
     }},
    {"miView", "miMonthBtn", "右ボタン非表示", "Ctrl+H", always, always, never,
     [](Walk& w) {
         QAction* item = w.run.item("miMonthBtn");
         auto* column = w.run.page().findChild<QWidget*>("pnlMonthBtn");
         item->trigger();
         QVERIFY(w.run.settings().display.cbMonthBtn);
         QCOMPARE(item->text(), QString("右ボタン表示"));
         QVERIFY(!column->isVisible());
         item->trigger();
         QVERIFY(!w.run.settings().display.cbMonthBtn);
         QCOMPARE(item->text(), QString("右ボタン非表示"));
         QVERIFY(column->isVisible());
     }},
    {"miIdou", "miFiles1", "Files1", "Ctrl+F5", always, local, always, nullptr},
    {"miIdou", "miFiles2", "Files2", "Ctrl+F6", always, local, never,
     [](Walk& w) {
         const int before = w.run.dataSet();
         w.run.item("miFiles2")->trigger();
         if (w.facts.network) {
             QCOMPARE(w.run.dataSet(), before);
             QVERIFY(w.run.shared());
             return;
         }
         QCOMPARE(w.run.dataSet(), 2);
         QVERIFY(w.run.item("miFiles2")->isChecked());
         w.run.item("miFiles1")->trigger();
         QCOMPARE(w.run.dataSet(), 1);
     }},
    // Qt disables what it hides.
    {"miIdou", "miFiles3", "Files3", "", never, never, never, nullptr},
    {"miIdou", "miNetOn", "ネットＯｎ", "Ctrl+Alt+N", always, always, never, nullptr},
    {"miIdou", "-", "", "", always, always, never, nullptr},
    {"miIdou", "miPrevMonth", "前月(&J)", "Ctrl+J", always, always, never,
     [](Walk& w) { stepsTo(w, "miPrevMonth", "202312"); }},
    {"miIdou", "miNextMonth", "翌月(&K)", "Ctrl+K", always, always, never,
     [](Walk& w) { stepsTo(w, "miNextMonth", "202402"); }},
    {"miIdou", "miPrevYear", "前年(&I)", "Ctrl+I", always, always, never,
     [](Walk& w) { stepsTo(w, "miPrevYear", "202301"); }},
    {"miIdou", "miNextYear", "翌年(&M)", "Ctrl+M", always, always, never,
     [](Walk& w) { stepsTo(w, "miNextYear", "202501"); }},
    {"miKinou", "miKensaku", "検索(&F)", "Ctrl+F", always, always, never,
     [](Walk& w) {
         w.run.item("miKensaku")->trigger();
         auto* search = w.run.window.findChild<SearchActions*>();
         QVERIFY(search->window() && search->window()->isVisible());
         search->closeWindow();
     }},
    // cbPrint is off: the item stays, disabled.
    {"miKinou", "miPrint", "印刷(&P)", "", always, never, never, nullptr},
    {"miKinou", "miJigen", "時限［タイマー］(&T)", "", always, always, never,
     [](Walk& w) {
         // Closed without a timer set, the dialog asks first.
         w.run.ui.answer(true);
         QCOMPARE(opensModal([&] { w.run.item("miJigen")->trigger(); }), QString("fmNichiji"));
     }},
    {"miKinou", "miTextKakidashi", "テキスト書出(&W)", "", always, local, never,
     [](Walk& w) {
         if (!w.facts.network)
             QCOMPARE(opensModal([&] { w.run.item("miTextKakidashi")->trigger(); }),
                      QString("fmSetup"));
     }},
    {"miKinou", "miBackup", "バックアップ＆リストア(&B)", "", always, local, never, nullptr},
    {"miKinou", "miKinenbiIkkatu", "記念日等一括編集(&E)", "", always, always, never,
     [](Walk& w) {
         QCOMPARE(opensModal([&] { w.run.item("miKinenbiIkkatu")->trigger(); }),
                  QString("velmo::MemorialGridDialog"));
     }},
#ifdef VELMO_HAVE_XLSX
    {"miKinou", "miExcel", "エクセルカレンダ作成＆印刷(&X)", "", always, always, never,
     [](Walk& w) {
         QCOMPARE(opensModal([&] { w.run.item("miExcel")->trigger(); }), QString("fmSetup"));
     }},
#endif
    // No clock companion is installed here.
    {"miKinou", "miClock", "ベル時計表示(&C)", "", never, never, never, nullptr},
    // Without a clock companion there is no time correction to set.
    {"miKinou", "miClockSettei", "内蔵時計修正設定(&J)", "", always, never, never, nullptr},
    {"miKinou", "miNissuuKeisan", "日数計算(&N)", "", always, always, never,
     [](Walk& w) {
         w.run.item("miNissuuKeisan")->trigger();
         QCOMPARE(w.run.window.pages()->currentIndex(), 1);
         w.run.window.pages()->setCurrentIndex(0);
     }},
    {"miKinou", "miBeruKinen", "べる記念機能(&M)", "", always, always, never,
     [](Walk& w) {
         w.run.page().stepMonths(3);
         ModalSeen seen;
         closeNextModal(seen, [](QDialog& page) {
             page.findChild<QLineEdit*>("edtSp")->setText("記念の日");
             page.accept();
         });
         w.run.item("miBeruKinen")->trigger();
         QCOMPARE(seen.name, QString("fmBeruKinen"));
         QCOMPARE(seen.caption, QString("ベルモ -Velmo-"));
         QCOMPARE(w.run.shownMonth(), std::string("202401"));
         const fs::path common = w.run.window.runSettings().dataFolders().commonFolder;
         QVERIFY(readFile(common / "Cmr.myc").find("pCedtSp=記念の日") != std::string::npos);
     }},
    {"miKinou", "miBelMemoYobidasi", "ベルメモ呼出", "Ctrl+F11", never, never, never, nullptr},
    {"miKinou", "miBelMemoShuuryou", "ベルメモ終了", "Ctrl+Shift+F11", never, never, never,
     nullptr},
    {"miSonota", "miProperty", "プロパティ表示(&R)", "", always, always, never,
     [](Walk& w) {
         QCOMPARE(opensModal([&] { w.run.item("miProperty")->trigger(); }), QString("fmProperty"));
     }},
    {"miSonota", "miSite", "ベルモのサイトを表示", "", always, always, never,
     [](Walk& w) {
         w.run.item("miSite")->trigger();
         // Without a connection the user is told; with one the page opens.
         QVERIFY(!w.run.opened.urls.isEmpty() || !w.run.ui.texts().empty());
         w.run.opened.urls.clear();
         w.run.ui.clearShown();
     }},
    {"miSonota", "-", "", "", [](const Facts& f) { return f.helpFile; }, always, never, nullptr},
    // Qt disables what it hides.
    {"miSonota", "miHelp", "ヘルプ(&H)", "", [](const Facts& f) { return f.helpFile; },
     [](const Facts& f) { return f.helpFile; }, never,
     [](Walk& w) {
         w.run.item("miHelp")->trigger();
         QCOMPARE(w.run.opened.urls.size(), 1);
         QVERIFY(w.run.opened.urls.front().toLocalFile().endsWith("/HelpVelm.chm"));
         w.run.opened.urls.clear();
     }},
    {"miSonota", "miOption", "オプション設定(&O)", "", always, always, never,
     [](Walk& w) {
         // From the year page the month page comes first.
         w.run.window.pages()->setCurrentIndex(1);
         opensOptionsOn([&] { w.run.item("miOption")->trigger(); }, "tsSetAll");
         QCOMPARE(w.run.window.pages()->currentIndex(), 0);
     }},
    {"miSonota", "-", "", "", always, always, never, nullptr},
    {"miSonota", "miKidouSettei", "起動設定", "", always, always, never,
     [](Walk& w) { opensSetupOn(w, "miKidouSettei", 0); }},
    {"miSonota", "miSetup", "セットアップ", "", always, always, never,
     [](Walk& w) { opensSetupOn(w, "miSetup", 1); }},
};

const std::pair<const char*, const char*> kMenus[] = {{"miFile", "ファイル(&F)"},
                                                      {"miView", "表示(&V)"},
                                                      {"miIdou", "移動(&G)"},
                                                      {"miKinou", "機能(&K)"},
                                                      {"miSonota", "その他(&O)"}};

// A button of the column, top to bottom.
struct ButtonRow {
    const char* name;
    const char* caption;
    Rule shown;
    Rule enabled;
    Effect effect;
};

void clickButton(Walk& w, const char* name) {
    QTest::mouseClick(w.run.button(name), Qt::LeftButton);
}

void clickTo(Walk& w, const char* name, const std::string& month) {
    clickButton(w, name);
    QCOMPARE(w.run.shownMonth(), month);
}

const ButtonRow kButtons[] = {
    {"btnPrevMonth", "前月", always, always, [](Walk& w) { clickTo(w, "btnPrevMonth", "202312"); }},
    {"btnNextMonth", "翌月", always, always, [](Walk& w) { clickTo(w, "btnNextMonth", "202401"); }},
    {"btnPrevYear", "前年", always, always, [](Walk& w) { clickTo(w, "btnPrevYear", "202301"); }},
    {"btnNextYear", "翌年", always, always, [](Walk& w) { clickTo(w, "btnNextYear", "202401"); }},
    {"btnJigen", "時限", always, always,
     [](Walk& w) {
         w.run.ui.answer(true);
         QCOMPARE(opensModal([&] { clickButton(w, "btnJigen"); }), QString("fmNichiji"));
     }},
    {"btnJouchuu", nullptr, always, always,
     [](Walk& w) {
         // With cbCloseBtn the button ends the run; the walk ends with it.
         if (w.facts.closeButton)
             return;
         clickButton(w, "btnJouchuu");
         QVERIFY(w.run.window.resident().resident());
         w.run.window.resident().restore();
     }},
    {"btnNengetu", "年月指定", always, always,
     [](Walk& w) {
         clickButton(w, "btnNengetu");
         QVERIFY(w.run.page().yearMonthEntryOpen());
         QCOMPARE(w.run.button("btnNengetu")->text(), QString("Cancel"));
         clickButton(w, "btnNengetu");
         QVERIFY(!w.run.page().yearMonthEntryOpen());
     }},
    {"btnSettei", "設定", always, always,
     [](Walk& w) { opensOptionsOn([&] { clickButton(w, "btnSettei"); }, "tsSetAll"); }},
    {"btnHyoujun", "標準表示", always, always,
     [](Walk& w) {
         w.run.page().openYearMonthEntry();
         clickButton(w, "btnHyoujun");
         QVERIFY(!w.run.page().yearMonthEntryOpen());
     }},
    {"btnRokuyo", "六曜", always, always,
     [](Walk& w) {
         clickButton(w, "btnRokuyo");
         QVERIFY(!w.run.item("miRokuyou")->isChecked());
         QVERIFY(w.run.settings().colours.rbKinenbi);
         clickButton(w, "btnRokuyo");
         QVERIFY(w.run.item("miRokuyou")->isChecked());
     }},
    {"btnFiles1", "Files1", always, local, nullptr},
    {"btnFiles2", "Files2", always, local,
     [](Walk& w) {
         if (w.facts.network)
             return;
         clickButton(w, "btnFiles2");
         QCOMPARE(w.run.dataSet(), 2);
         clickButton(w, "btnFiles1");
         QCOMPARE(w.run.dataSet(), 1);
     }},
    {"btnNetOn", nullptr, always, always, nullptr},
    // Without the editor companion the memo button has no caption and is not shown.
    {"btnMemo", "", never, always, nullptr},
    {"btnBeruki", "", never, always, nullptr},
    {"btnKongetu", "今月", always, always,
     [](Walk& w) {
         w.run.page().stepMonths(-5);
         clickButton(w, "btnKongetu");
         QCOMPARE(w.run.shownMonth(), std::string("202401"));
     }},
    {"btnTourokuSakujo", "", never, always, nullptr},
    {"btnClear", "", never, always, nullptr},
    {"btnM17", "", never, always, nullptr},
    {"btnM18", "", never, always, nullptr},
    {"btnTaihi", "退避", always, local,
     [](Walk& w) {
         if (!w.facts.network)
             QCOMPARE(opensModal([&] { clickButton(w, "btnTaihi"); }), QString("fmSetup"));
     }},
    // cbPrint is off.
    {"btnPrint", "", never, always, nullptr},
    {"btnKensaku", "検索", always, always,
     [](Walk& w) {
         clickButton(w, "btnKensaku");
         auto* search = w.run.window.findChild<SearchActions*>();
         QVERIFY(search->window() && search->window()->isVisible());
         search->closeWindow();
     }},
};

QString buttonCaption(const ButtonRow& row, const Facts& facts) {
    if (QString(row.name) == "btnJouchuu")
        return facts.closeButton ? "終了" : "常駐";
    if (QString(row.name) == "btnNetOn")
        return facts.network ? "NetOff" : "NetOn";
    return row.caption;
}

QString itemCaption(const ItemRow& row, const Facts& facts) {
    if (QString(row.name) == "miNetOn" && facts.network)
        return "ネットＯｆｆ";
    return row.caption;
}

// The names of a menu's shown entries, "-" for a separator.
QStringList shownEntries(const QMenu& menu) {
    QStringList names;
    for (const QAction* action : menu.actions()) {
        if (!action->isVisible())
            continue;
        if (action->isSeparator())
            names << "-";
        else if (!action->objectName().isEmpty())
            names << action->objectName();
        else
            names << (action->menu() ? action->menu()->objectName() : QString());
    }
    return names;
}

QAction* itemOf(Run& run, const ItemRow& row) {
    if (QAction* action = run.item(row.name))
        return action;
    // A submenu is named by its menu.
    if (auto* menu = run.window.findChild<QMenu*>(row.name))
        return menu->menuAction();
    return nullptr;
}

void checkMenus(Walk& w) {
    const QList<QAction*> bar = w.run.window.menuBar()->actions();
    QCOMPARE(bar.size(), static_cast<qsizetype>(std::size(kMenus)));
    for (std::size_t m = 0; m < std::size(kMenus); ++m) {
        const auto [menuName, menuCaption] = kMenus[m];
        QMenu* menu = bar[static_cast<qsizetype>(m)]->menu();
        QCOMPARE(menu->objectName(), QString(menuName));
        QCOMPARE(menu->title(), QString(menuCaption));
        QStringList expected;
        for (const ItemRow& row : kItems) {
            if (QString(row.menu) == menuName && row.shown(w.facts) &&
                (QString(row.name) == "-" || menu->actions().contains(itemOf(w.run, row))))
                expected << row.name;
        }
        QCOMPARE(shownEntries(*menu), expected);
    }
    for (const ItemRow& row : kItems) {
        if (QString(row.name) == "-")
            continue;
        QAction* action = itemOf(w.run, row);
        QVERIFY2(action, row.name);
        const bool inMenu =
            std::any_of(std::begin(kMenus), std::end(kMenus), [&](const auto& menu) {
                return w.run.window.findChild<QMenu*>(menu.first)->actions().contains(action);
            });
        QCOMPARE(action->text(), itemCaption(row, w.facts));
        QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), QString(row.shortcut));
        QVERIFY2((inMenu && action->isVisible()) == row.shown(w.facts), row.name);
        QVERIFY2(action->isEnabled() == row.enabled(w.facts), row.name);
        QVERIFY2((action->isCheckable() && action->isChecked()) == row.checked(w.facts), row.name);
    }
}

// Triggers each row's command and checks its effect; the first failure ends the walk.
template <class Rows>
void runEffects(Walk& w, const Rows& rows) {
    for (const auto& row : rows) {
        if (!row.effect)
            continue;
        row.effect(w);
        if (QTest::currentTestFailed()) {
            qWarning("the effect of %s", row.name);
            return;
        }
    }
}

void triggerItems(Walk& w) {
    runEffects(w, kItems);
}

QStringList shownButtons(Run& run) {
    auto* layout = run.page().findChild<QWidget*>("pnlMonthBtn")->layout();
    QStringList names;
    for (int i = 0; i < layout->count(); ++i) {
        auto* button = qobject_cast<QPushButton*>(layout->itemAt(i)->widget());
        if (button && !button->isHidden())
            names << button->objectName();
    }
    return names;
}

void checkButtons(Walk& w) {
    QStringList expected;
    for (const ButtonRow& row : kButtons) {
        if (row.shown(w.facts))
            expected << row.name;
    }
    QCOMPARE(shownButtons(w.run), expected);
    for (const ButtonRow& row : kButtons) {
        QPushButton* button = w.run.button(row.name);
        QVERIFY2(button, row.name);
        QCOMPARE(button->text(), buttonCaption(row, w.facts));
        QVERIFY2(button->isEnabled() == row.enabled(w.facts), row.name);
    }
}

void clickButtons(Walk& w) {
    runEffects(w, kButtons);
}

}  // namespace

class MainCommandsWalkTest : public QObject {
    Q_OBJECT

private slots:
    void walk_data() {
        QTest::addColumn<bool>("closeButton");
        QTest::newRow("常駐") << false;
        QTest::newRow("cbCloseBtn") << true;
    }

    void walk() {
        QFETCH(bool, closeButton);
        Facts facts;
        facts.closeButton = closeButton;
        facts.helpFile = closeButton;
        Office office(facts);
        Run run(office);
        run.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&run.window));
        QVERIFY(run.window.commands().unhandled(kMainWindowCommands).empty());

        for (const bool network : {false, true}) {
            if (network) {
                QTest::mouseClick(run.button("btnNetOn"), Qt::LeftButton);
                QVERIFY(run.shared());
            }
            facts.network = network;
            Walk w{run, facts};
            // Nothing the walk does may change what the table expects: it looks again.
            for (void (*step)(Walk&) :
                 {checkMenus, checkButtons, triggerItems, clickButtons, checkMenus, checkButtons}) {
                step(w);
                if (QTest::currentTestFailed())
                    return;
            }
        }
        QCOMPARE(run.ui.unusedAnswers(), std::size_t{0});

        // The 移動 menu belongs to the month page.
        QMenu* go = run.window.findChild<QMenu*>("miIdou");
        run.window.pages()->setCurrentIndex(1);
        QVERIFY(!go->menuAction()->isEnabled());
        run.window.pages()->setCurrentIndex(0);
        QVERIFY(go->menuAction()->isEnabled());

        QSignalSpy closed(&run.window, &TfmC21::closed);
        if (closeButton) {
            QTest::mouseClick(run.button("btnJouchuu"), Qt::LeftButton);
        } else {
            run.item("miExit")->trigger();
        }
        QCOMPARE(closed.count(), 1);
    }
};

QTEST_MAIN(MainCommandsWalkTest)
#include "main_commands_walk_test.moc"
