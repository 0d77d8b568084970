// The search window over a data folder of month files, as a user meets it.

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "dialogs/line_editor.h"
#include "dialogs/search_window.h"
#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using velmo::testing::ScriptedUserInterface;
using velmo::testing::TempFolder;

void writeCp932(const fs::path& file, const std::string& utf8) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << velmo::cp932::encode(utf8);
}

struct Office {
    Office() {
        writeCp932(data / "Ca200311.myc", "3,1,,健康診断,,,,,,\r\n");
        writeCp932(data / "Ca200312.myc",
                   "77,1,,年末の予定,,,,,,\r\n5,1,,忘年会,,,,,,\r\n5,1,,会場予約,,,,,,\r\n"
                   "24,1,,大掃除,,,,,,\r\n");
        writeCp932(data / "CaFromTo.myc", "");
    }
    velmo::TfmKensaku& window() {
        if (!window_) {
            window_ = std::make_unique<velmo::TfmKensaku>(velmo::SearchWindowContext{
                {ui, sleeper, settingsFile, velmo::FindSettings((root / "find.ini").c_str()),
                 [this](QWidget*, const fs::path& proposed) {
                     proposedNames.push_back(proposed);
                     std::optional<fs::path> answer;
                     if (!saveAnswers.empty()) {
                         answer = saveAnswers.front();
                         saveAnswers.erase(saveAnswers.begin());
                     }
                     return answer;
                 }},
                clock,
                [this] { return data; },
                [this] { ++saves; },
                {}});
        }
        return *window_;
    }
    // Shows the window and lets it open the listing.
    void open() {
        window().show();
        QTRY_VERIFY(window().windowTitle() == QString("【検索】"));
    }

    QTemporaryDir dir;
    fs::path root = dir.path().toStdString();
    fs::path data = root / "Data" / "Files1";
    fs::path settingsFile = root / "Torka.ini";
    ScriptedUserInterface ui;
    velmo::testing::FakeClock clock{{2026, 12, 10, 9, 0, 0, 0}};
    velmo::testing::RecordingSleeper sleeper;
    int saves = 0;
    std::vector<fs::path> saveAnswers;
    std::vector<fs::path> proposedNames;
    std::unique_ptr<velmo::TfmKensaku> window_;
};

QStringList texts(const ScriptedUserInterface& ui) {
    QStringList result;
    for (const std::string& text : ui.texts())
        result << QString::fromStdString(text);
    return result;
}

}  // namespace

class SearchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void aMissingListingIsBuiltNewestMonthFirstAndWrittenAtClosing() {
        Office office;
        office.open();
        QCOMPARE(texts(office.ui),
                 QStringList{"検索データが見あたりません。\r\n新しい検索データを作ります。"});
        QCOMPARE(office.window().statusPanelText(6), QString("検索"));
        QCOMPARE(office.saves, 1);  // unsaved edits reach the files before the listing
        const QStringList lines = office.window().editor()->lines();
        QCOMPARE(lines.mid(0, 9),
                 (QStringList{"", "[ 2003年12月 ]", "  年末の予定", "", "2003年12月24日(水) 大掃除",
                              "", "2003年12月 5日(金) 忘年会", "                   会場予約", ""}));
        QVERIFY(lines.contains("2003年11月 3日(月) 健康診断"));
        QVERIFY(!fs::exists(office.data / "kensaku.txt"));
        office.window().close();
        QVERIFY(fs::exists(office.data / "kensaku.txt"));
        QCOMPARE(TempFolder::read(office.data / "kensaku.txt").substr(0, 2), std::string("\r\n"));
    }

    void aFreshListingIsLoadedAndNotRewrittenWhenNothingChanged() {
        Office office;
        writeCp932(office.data / "kensaku.txt", "\r\n2003年12月24日(水) 手書きの行\r\n");
        const auto written = fs::last_write_time(office.data / "kensaku.txt");
        office.clock.set({2026, 12, 10, 9, 0, 0, 0});
        office.open();
        QVERIFY(texts(office.ui).isEmpty());
        QCOMPARE(office.window().editor()->line(1), QString("2003年12月24日(水) 手書きの行"));
        office.window().close();
        QCOMPARE(fs::last_write_time(office.data / "kensaku.txt"), written);
    }

    void theSearchBoxFindsFromTheTopThenFromTheCaretAndKeeps21Items() {
        Office office;
        office.open();
        office.ui.clearShown();
        velmo::TfmKensaku& w = office.window();
        // An empty box does nothing.
        w.searchBox()->setEditText({});
        w.searchFromBox();
        QVERIFY(texts(office.ui).isEmpty());

        w.searchBox()->setEditText("予");
        w.searchFromBox();
        QCOMPARE(w.editor()->caretRow(), 2);  // "  年末の予定", first from the top
        w.searchBoxAgain(true);
        QCOMPARE(w.editor()->caretRow(), 7);  // "会場予約"
        w.searchBoxAgain(false);
        QCOMPARE(w.editor()->caretRow(), 2);
        // "検索" starts at the top again, wherever the caret stands.
        w.editor()->setCaret(w.editor()->lineCount() - 1, 0);
        w.searchFromBox();
        QCOMPARE(w.editor()->caretRow(), 2);

        w.searchBox()->setEditText("存在しない");
        w.searchFromBox();
        QCOMPARE(texts(office.ui),
                 QStringList{"検索文字列  ' 存在しない '\r\nは見つかりませんでした。"});
        QVERIFY(!w.editor()->textCursor().hasSelection());

        for (int i = 0; i < 22; ++i) {
            w.searchBox()->setEditText(QString("語%1").arg(i));
            w.searchFromBox();
        }
        QCOMPARE(w.searchBoxItems().size(), 21);
        QCOMPARE(w.searchBoxItems().first(), QString("語21"));
        w.close();
        const QString ini =
            QString::fromStdString(velmo::cp932::decode(TempFolder::read(office.settingsFile)));
        QVERIFY(ini.contains("[Kensaku]"));
        QVERIFY(ini.contains("vItems=語21,語20"));
        QVERIFY(!ini.contains("語1,"));  // the oldest dropped
    }

    void saveAsRefusesUntitledAndAsksBeforeOverwriting() {
        Office office;
        office.open();
        office.ui.clearShown();
        const fs::path existing = office.root / "kept.txt";
        writeCp932(existing, "old\r\n");
        office.saveAnswers = {office.root / "無題.txt", existing, office.root / "new.txt"};
        office.ui.answer(false);  // not over kept.txt
        office.window().saveUnderAnotherName();
        QCOMPARE(texts(office.ui),
                 (QStringList{"[無題] というファイル名では登録できません。\r\n"
                              "ファイル名を変更してください。",
                              "同名のファイルが存在します。\r\n上書きしますか？"}));
        QCOMPARE(TempFolder::read(existing), std::string("old\r\n"));
        QVERIFY(fs::exists(office.root / "new.txt"));
        QVERIFY(!office.window().editor()->isModified());
    }

    void altRightClosesAndAsksForTheMonthView() {
        Office office;
        office.open();
        QSignalSpy requests(&office.window(), &velmo::TextWindow::viewRequested);
        QTest::keyClick(office.window().editor(), Qt::Key_Right, Qt::AltModifier);
        QVERIFY(!office.window().isVisible());
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0][0].value<velmo::ViewRequest>(), velmo::ViewRequest::MonthView);
    }

    void anOldListingIsRebuiltOnlyWhenTheUserSaysSo() {
        for (const bool rebuild : {true, false}) {
            Office office;
            writeCp932(office.data / "kensaku.txt", "古い行\r\n");
            const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 32);
            fs::last_write_time(office.data / "kensaku.txt", old);
            office.ui.answer(rebuild);
            office.open();
            QCOMPARE(texts(office.ui), QStringList{"前回の検索より１ヶ月以上経過しています。\r\n"
                                                   "検索データを作り直しますか？"});
            QCOMPARE(office.window().editor()->line(0) == QString("古い行"), !rebuild);
            QCOMPARE(office.window().editor()->isModified(), rebuild);
        }
    }
};

QTEST_MAIN(SearchWindowTest)
#include "search_window_test.moc"
