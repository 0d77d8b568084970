// The options dialog as a frame around its pages: which tabs each form shows and which
// page it opens on, the loading flag, page changes, the Ctrl+Shift chords, and closing,
// which copies every page back and writes the dialog's own two sections.

#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <fstream>
#include <memory>

#include "dialogs/options/options_dialog.h"
#include "store/options_dialog_sections.h"
#include "tests/support/fake_options_host.h"
#include "tests/support/temp_folder.h"

using namespace velmo;
using velmo::testing::FakeOptionsHost;

namespace {

// A page that records what the dialog did to it, in order, in one shared journal.
class ProbePage : public OptionPage {
public:
    ProbePage(OptionPageContext context, QWidget* parent, std::vector<std::string>& journal,
              std::string name)
        : OptionPage(context, parent), journal_(journal), name_(std::move(name)) {}

    void load(const TorkaSettings&) override {
        journal_.push_back(name_ + (loading() ? " load (loading)" : " load"));
    }
    void store(TorkaSettings& options) const override {
        journal_.push_back(name_ + " store");
        // The year page's spin box as a stand-in for any control.
        if (name_ == "tsYear")
            options.calendar.SpHajimariTuki = 4;
    }
    void storeDialogSection(JikokuSection& jikoku) const override {
        if (name_ == "tsKinou") {
            jikoku.rbDay = false;
            jikoku.rbWeek = true;
            jikoku.vTime = "093000";
        }
    }
    void pageShown() override {
        journal_.push_back(name_ + (loading() ? " shown (loading)" : " shown"));
    }
    void pageLeft() override { journal_.push_back(name_ + " left"); }
    bool keyChord(int first, int second) override {
        return name_ == "tsSetAll" && first == Qt::Key_N && second == Qt::Key_T;
    }
    void revealed() override { journal_.push_back(name_ + " revealed"); }

private:
    std::vector<std::string>& journal_;
    std::string name_;
};

struct Dialog {
    FakeOptionsHost host;
    velmo::testing::TempFolder folder;
    std::vector<std::string> journal;
    std::unique_ptr<TfmOption> dialog;

    explicit Dialog(OptionsForm form) {
        host.runFacts.settingsFile = (folder.path() / "Torka.ini").string();
        std::vector<OptionPageEntry> table;
        const struct {
            const char* name;
            const char* caption;
            PageShown shown;
        } pages[] = {{"tsSetAll", " 基本 ", PageShown::FullForm},
                     {"tsYear", " 年表示 ", PageShown::FullForm},
                     {"tsKinou", " 機能 ", PageShown::FullForm},
                     {"tsMemo", " メモ ", PageShown::MemoForm},
                     {"tsNet1", " ネット１ ", PageShown::FullAndNetworkForm},
                     {"tsNet2", " ネット２ ", PageShown::ByChord},
                     {"tsKanri", " 管理 ", PageShown::Never}};
        for (const auto& p : pages) {
            const std::string name = p.name;
            table.push_back({p.name, p.caption, p.shown,
                             [this, name](OptionPageContext context, QWidget* parent) {
                                 return new ProbePage(context, parent, journal, name);
                             },
                             name == "tsNet2" ? "tsSetAll" : nullptr});
        }
        dialog = std::make_unique<TfmOption>(form, host, table);
    }
    QStringList visibleTabs() const {
        QStringList tabs;
        QTabWidget* control = dialog->pageControl();
        for (int i = 0; i < control->count(); ++i) {
            if (control->isTabVisible(i))
                tabs << control->tabText(i);
        }
        return tabs;
    }
    QString current() const { return dialog->pageControl()->currentWidget()->objectName(); }
    void show() {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void chord(Qt::Key key,
               Qt::KeyboardModifiers modifiers = Qt::ControlModifier | Qt::ShiftModifier) {
        QTest::keyClick(dialog->pageControl()->currentWidget(), key, modifiers);
    }
    bool journalHas(const std::string& line) const {
        return std::find(journal.begin(), journal.end(), line) != journal.end();
    }
};

}  // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void eachFormShowsItsTabsAndOpensOnItsPage() {
        Dialog full(OptionsForm::Full);
        QCOMPARE(full.visibleTabs(), QStringList({" 基本 ", " 年表示 ", " 機能 ", " ネット１ "}));
        QCOMPARE(full.current(), QString("tsSetAll"));
        QCOMPARE(full.dialog->windowTitle(), QString("ベルモ -Velmo-"));
        QCOMPARE(full.dialog->closeButton()->text(), QString("設定を閉じる"));

        Dialog correction(OptionsForm::TimeCorrection);
        QCOMPARE(correction.visibleTabs(), full.visibleTabs());
        QCOMPARE(correction.current(), QString("tsKinou"));

        Dialog network(OptionsForm::Network);
        QCOMPARE(network.visibleTabs(), QStringList({" ネット１ "}));
        QCOMPARE(network.current(), QString("tsNet1"));

        Dialog memo(OptionsForm::Memo);
        QCOMPARE(memo.visibleTabs(), QStringList({" メモ "}));
        QCOMPARE(memo.current(), QString("tsMemo"));
    }

    void pagesLoadWhileLoadingAndHearOfPageChangesOnlyAfterShowing() {
        Dialog d(OptionsForm::Full);
        // Every page, hidden ones too, loads with the flag set.
        QCOMPARE(d.journal.size(), std::size_t(7));
        QVERIFY(d.journalHas("tsKanri load (loading)"));
        QVERIFY(d.journalHas("tsMemo load (loading)"));
        d.journal.clear();
        d.show();
        QCOMPARE(d.journal, std::vector<std::string>({"tsSetAll shown"}));
        d.dialog->pageControl()->setCurrentIndex(4);
        QCOMPARE(d.journal,
                 std::vector<std::string>({"tsSetAll shown", "tsSetAll left", "tsNet1 shown"}));
        d.dialog->done(QDialog::Accepted);
    }

    void steppingThroughThePagesSkipsTheHiddenOnes() {
        Dialog d(OptionsForm::Full);
        d.show();
        d.dialog->pageControl()->setCurrentIndex(2);  // 機能; メモ (3) follows, hidden
        QTest::keyClick(d.dialog->pageControl()->currentWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(d.current(), QString("tsNet1"));
        QTest::keyClick(d.dialog->pageControl()->currentWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(d.current(), QString("tsKinou"));
        d.dialog->done(QDialog::Accepted);
    }

    void theNet2ChordRevealsItsPageOnlyWhenTypedDirectlyOnBasic() {
        Dialog d(OptionsForm::Full);
        d.show();
        d.chord(Qt::Key_N);
        d.chord(Qt::Key_A, Qt::NoModifier);
        d.chord(Qt::Key_T);
        QVERIFY(!d.visibleTabs().contains(" ネット２ "));
        QVERIFY(!d.journalHas("tsNet2 revealed"));

        d.chord(Qt::Key_N);
        d.chord(Qt::Key_T);
        QVERIFY(d.visibleTabs().contains(" ネット２ "));
        QVERIFY(d.journalHas("tsNet2 revealed"));
        d.dialog->done(QDialog::Accepted);
    }

    void closingCancelsPendingEditsThenCopiesEveryPageBackAndWritesItsSections() {
        Dialog d(OptionsForm::Full);
        d.show();
        d.dialog->pageControl()->setCurrentIndex(1);
        d.journal.clear();
        // The close box: there is no cancel, it keeps the changes.
        d.dialog->close();
        QCOMPARE(d.journal.front(), std::string("tsSetAll left"));
        const auto firstStore = std::find(d.journal.begin(), d.journal.end(), "tsSetAll store");
        const auto lastLeft = std::find(d.journal.begin(), d.journal.end(), "tsKanri left");
        QVERIFY(lastLeft < firstStore);
        QVERIFY(d.journalHas("tsKanri store"));
        QCOMPARE(d.host.values.calendar.SpHajimariTuki, 4);

        const JikokuSection read =
            readJikokuSection(d.host.runFacts.settingsFile, d.host.recordingSleeper);
        QVERIFY(!read.rbDay && read.rbWeek && !read.rbShitei);
        QCOMPARE(read.vTime, std::string("093000"));
        std::ifstream file(d.host.runFacts.settingsFile);
        const std::string text((std::istreambuf_iterator<char>(file)), {});
        QVERIFY(text.find("PageIndex=1") != std::string::npos);
        // Closing again (the dialog is freed later) copies nothing a second time.
        d.journal.clear();
        d.dialog->done(QDialog::Rejected);
        QVERIFY(d.journal.empty());
    }

    void aSectionWriteThatFailsIsReported() {
        Dialog d(OptionsForm::Full);
        d.host.runFacts.settingsFile = (d.folder.path() / "missing" / "Torka.ini").string();
        d.show();
        d.dialog->done(QDialog::Accepted);
        QCOMPARE(d.host.scriptedUi.texts(),
                 std::vector<std::string>(
                     {"[ " + d.host.runFacts.settingsFile + " ]の書込に失敗しました。"}));
    }
};

QTEST_MAIN(OptionsDialogTest)
#include "options_dialog_test.moc"
