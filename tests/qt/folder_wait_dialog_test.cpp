// The wait form for the shared folder, run with millisecond ticks.

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <atomic>
#include <chrono>

#include "dialogs/folder_wait_dialog.h"

using namespace std::chrono_literals;
using velmo::TfmInfo2;

namespace {

const std::string kFolder = "/mnt/share/Data/Files1/";

// An existence test that always gives the same answer and counts its calls.
velmo::ExistenceTest counting(std::atomic<int>& calls, bool answer) {
    return [&calls, answer](const std::filesystem::path&) {
        ++calls;
        return answer;
    };
}

bool hasLabel(const QWidget& form, const QString& text) {
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        if (label->text() == text)
            return true;
    }
    return false;
}

}  // namespace

class FolderWaitDialogTest : public QObject {
    Q_OBJECT

private slots:
    void showsItsTexts() {
        TfmInfo2 form(kFolder, nullptr, 1h, [](const std::filesystem::path&) { return false; });
        QCOMPARE(form.windowTitle(), QStringLiteral("待機中"));
        QVERIFY(form.isModal());
        QVERIFY(hasLabel(form, QStringLiteral("ネット上のフォルダが使用できるまで待機中です。")));
        QVERIFY(hasLabel(
            form,
            QStringLiteral(
                "前回終了時に使用していたフォルダが使用できるようになれば自動的に起動します。")));
        QVERIFY(hasLabel(form, QStringLiteral("検索フォルダ[ /mnt/share/Data/Files1/ ]")));
        QVERIFY(hasLabel(form, QStringLiteral("／ 100")));
        QCOMPARE(form.localButton()->text(), QStringLiteral("ローカルフォルダで起動"));
        QCOMPARE(form.progressBar()->minimum(), 0);
        QCOMPARE(form.progressBar()->maximum(), 100);
        QCOMPARE(form.counterLabel()->text(), QStringLiteral("0"));
        QVERIFY(form.foundLabel()->isHidden());
        QVERIFY(form.pleaseWaitLabel()->isHidden());
        QVERIFY(!form.localButton()->isHidden());
    }

    void foundAtTheSecondTestClosesWithSuccess() {
        std::atomic<int> tests{0};
        std::atomic<bool> rightFolder{true};
        TfmInfo2 form(kFolder, nullptr, 2ms, [&](const std::filesystem::path& folder) {
            rightFolder = rightFolder && folder == std::filesystem::path(kFolder);
            return ++tests >= 2;
        });
        form.open();
        QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 10000);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QVERIFY(form.folderFound());
        // What the form showed in its last moment.
        QVERIFY(form.localButton()->isHidden());
        QVERIFY(form.animationLabel()->isHidden());
        QVERIFY(!form.foundLabel()->isHidden());
        QVERIFY(!form.pleaseWaitLabel()->isHidden());
        QCOMPARE(form.pleaseWaitLabel()->text(), QStringLiteral("少々お待ちください。"));
        QCOMPARE(form.foundLabel()->text(), QStringLiteral("ネットフォルダが見つかりました。"));
        QCOMPARE(form.foundLabel()->palette().color(QPalette::WindowText), QColor(Qt::red));
        // Found at tick 20, shown as 19.
        QCOMPARE(form.progressBar()->value(), 19);
        QCOMPARE(form.counterLabel()->text(), QStringLiteral("19"));
        QCOMPARE(tests.load(), 2);
        QVERIFY(rightFolder);
    }

    void neverFoundClosesAfterAHundredTicks() {
        std::atomic<int> tests{0};
        TfmInfo2 form(kFolder, nullptr, 1ms, counting(tests, false));
        form.open();
        QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 20000);
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QVERIFY(!form.folderFound());
        QCOMPARE(tests.load(), 10);
        QCOMPARE(form.progressBar()->value(), 100);
    }

    void localButtonClosesAtOnceWithoutSuccess() {
        std::atomic<int> tests{0};
        TfmInfo2 form(kFolder, nullptr, 1h, counting(tests, true));
        form.open();
        QVERIFY(form.isVisible());
        QTest::mouseClick(form.localButton(), Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QVERIFY(!form.folderFound());
        QCOMPARE(tests.load(), 0);
    }
};

QTEST_MAIN(FolderWaitDialogTest)
#include "folder_wait_dialog_test.moc"
