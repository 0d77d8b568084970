// The find window "検索": its controls, the history and the options kept in the user's
// find settings file.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "dialogs/find_dialog.h"
#include "dialogs/find_settings.h"

using namespace velmo;

namespace {

// Saved where VELMO_SCREENSHOT_DIR points, to be looked at.
void keepScreenshot(QWidget& dialog, const char* name) {
    const QByteArray folder = qgetenv("VELMO_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        QVERIFY(dialog.grab().save(QString::fromUtf8(folder) + "/" + name));
}

template <typename Widget>
Widget* withText(const QDialog& dialog, const char* text) {
    for (Widget* widget : dialog.findChildren<Widget*>()) {
        if (widget->text() == QString::fromUtf8(text))
            return widget;
    }
    return nullptr;
}

QCheckBox* box(const QDialog& dialog, const char* text) {
    QCheckBox* found = withText<QCheckBox>(dialog, text);
    if (!found)
        qWarning("no check box %s", text);
    return found;
}

QStringList numbered(int count) {
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << QStringLiteral("item %1").arg(i);
    return items;
}

}  // namespace

class FindDialogTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowAndItsDefaults() {
        QTemporaryDir dir;
        FindDialog dialog(FindSettings(dir.filePath("find.ini")), QString());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("検索"));
        for (const char* text : {"大/小文字の区別(&C)", "単語単位で探す(&W)",
                                 "全角・半角を区別しない(&Z)", "改行・スペースを無視(&L)"}) {
            QCheckBox* check = box(dialog, text);
            QVERIFY(check);
            QVERIFY(!check->isChecked());
        }
        const QList<QGroupBox*> groups = dialog.findChildren<QGroupBox*>();
        QCOMPARE(groups.size(), 1);
        QCOMPARE(groups[0]->title(), QStringLiteral(" 検索方向 "));
        QVERIFY(withText<QRadioButton>(dialog, "前方(&D)")->isChecked());
        QVERIFY(!withText<QRadioButton>(dialog, "後方(&B)")->isChecked());
        QVERIFY(withText<QPushButton>(dialog, "OK"));
        QVERIFY(withText<QPushButton>(dialog, "キャンセル"));
        QVERIFY(dialog.textBox()->isEditable());
        QCOMPARE(dialog.textBox()->count(), 0);
        // Nothing to find in an empty text.
        QVERIFY(!dialog.okButton()->isEnabled());
        dialog.textBox()->setEditText("x");
        QVERIFY(dialog.okButton()->isEnabled());
    }

    void theWordAtTheCaretGoesOnTop() {
        QTemporaryDir dir;
        const FindSettings settings(dir.filePath("find.ini"));
        settings.save({"b", "a", "c"}, {});
        FindDialog dialog(settings, "a");
        QCOMPARE(dialog.history(), (QStringList{"a", "b", "c"}));
        QCOMPARE(dialog.textBox()->currentText(), QStringLiteral("a"));
        // A blank word leaves the history and selects its newest item.
        FindDialog blank(settings, "  ");
        QCOMPARE(blank.history(), (QStringList{"b", "a", "c"}));
        QCOMPARE(blank.textBox()->currentText(), QStringLiteral("b"));
        // Only OK keeps anything.
        QCOMPARE(settings.history(), (QStringList{"b", "a", "c"}));
    }

    void okKeepsTheTextOnTopAndAtMost32() {
        QTemporaryDir dir;
        const FindSettings settings(dir.filePath("velmo/find.ini"));
        settings.save(numbered(kFindHistoryLimit), {});
        {
            FindDialog dialog(settings, QString());
            dialog.textBox()->setEditText("item 5");
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QStringList expected = numbered(kFindHistoryLimit);
        expected.move(5, 0);
        QCOMPARE(settings.history(), expected);
        {
            FindDialog dialog(settings, QString());
            dialog.textBox()->setEditText("new\ttext");
            dialog.accept();
            QCOMPARE(dialog.request().first, QStringLiteral("new\ttext"));
        }
        expected.prepend("new text");
        expected.removeLast();
        QCOMPARE(settings.history(), expected);
        QCOMPARE(settings.history().size(), kFindHistoryLimit);
    }

    void optionsRoundTripThroughTheFile() {
        QTemporaryDir dir;
        const QString file = dir.filePath("find.ini");
        const FindSettings settings(file);
        QCOMPARE(settings.options(), FindOptions{});
        {
            FindDialog dialog(settings, "会議");
            box(dialog, "大/小文字の区別(&C)")->setChecked(true);
            box(dialog, "全角・半角を区別しない(&Z)")->setChecked(true);
            withText<QRadioButton>(dialog, "後方(&B)")->setChecked(true);
            dialog.accept();
        }
        QSettings ini(file, QSettings::IniFormat);
        QCOMPARE(ini.value("Options/MatchCase").toBool(), true);
        QCOMPARE(ini.value("Options/WholeWord").toBool(), false);
        QCOMPARE(ini.value("Options/NoMatchZenkaku").toBool(), true);
        QCOMPARE(ini.value("Options/IncludeCRLF").toBool(), false);
        QCOMPARE(ini.value("Options/Direction").toInt(), 0);
        QCOMPARE(ini.value("SearchItems/Text").toString(), QStringLiteral("会議"));

        FindDialog again(settings, QString());
        FindOptions expected;
        expected.forward = false;
        expected.matchCase = true;
        expected.ignoreWidth = true;
        QCOMPARE(again.request(), (FindDialog::Request{"会議", expected}));
        keepScreenshot(again, "find_dialog.png");

        // The other two boxes and forward again.
        box(again, "単語単位で探す(&W)")->setChecked(true);
        box(again, "改行・スペースを無視(&L)")->setChecked(true);
        box(again, "大/小文字の区別(&C)")->setChecked(false);
        withText<QRadioButton>(again, "前方(&D)")->setChecked(true);
        again.accept();
        FindOptions second;
        second.wholeWord = true;
        second.ignoreWidth = true;
        second.ignoreBreaksAndSpaces = true;
        QCOMPARE(settings.options(), second);
    }

    void askReturnsTheRequestOrNothing() {
        QTemporaryDir dir;
        const FindSettings settings(dir.filePath("find.ini"));
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<FindDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->textBox()->setEditText("予定");
            dialog->okButton()->click();
        });
        const std::optional<FindDialog::Request> asked = FindDialog::ask(nullptr, "x", settings);
        QVERIFY(asked);
        QCOMPARE(asked->first, QStringLiteral("予定"));
        QCOMPARE(settings.history(), (QStringList{"予定", "x"}));

        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<FindDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->textBox()->setEditText("other");
            withText<QPushButton>(*dialog, "キャンセル")->click();
        });
        QCOMPARE(FindDialog::ask(nullptr, "y", settings), std::nullopt);
        QCOMPARE(settings.history(), (QStringList{"予定", "x"}));
    }
};

QTEST_MAIN(FindDialogTest)
#include "find_dialog_test.moc"
