// Menus take one order whatever order the features added their items in.

#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "app/main_window.h"
#include "app/menu_order.h"
#include "tests/support/fake_clock.h"
#include "tests/support/local_start_folders.h"
#include "tests/support/scripted_user_interface.h"

namespace {

// The items as names, separators as "-".
QStringList layout(const QMenu& menu) {
    QStringList names;
    for (const QAction* action : menu.actions())
        names << (action->isSeparator() ? QString("-") : action->text());
    return names;
}

QAction* named(QMenu& menu, const QString& text) {
    QAction* action = menu.addAction(text);
    action->setObjectName("mi" + text);
    return action;
}

}  // namespace

class MenuOrderTest : public QObject {
    Q_OBJECT

private slots:
    void listedItemsComeFirstAndNothingIsLost() {
        QMenu menu;
        named(menu, "C");
        menu.addSeparator();
        named(menu, "A");
        QMenu* sub = menu.addMenu("Sub");
        sub->setObjectName("mnSub");
        named(menu, "Extra");
        named(menu, "B");
        velmo::arrangeMenu(menu, {"-", "miA", "mnSub", "-", "miB", "miMissing", "-", "miC"});
        // No separator at the top, none twice; an unlisted item stays at the end.
        QCOMPARE(layout(menu), (QStringList{"A", "Sub", "-", "B", "-", "C", "Extra"}));
        QCOMPARE(menu.actions().at(1)->menu(), sub);
    }

    void aSeparatorGoesWithTheHiddenItemAfterIt() {
        QMenu menu;
        named(menu, "A");
        named(menu, "Hidden")->setVisible(false);
        named(menu, "B");
        velmo::arrangeMenu(menu, {"miA", "-", "miHidden", "-", "miB"});
        QCOMPARE(layout(menu), (QStringList{"A", "-", "Hidden", "-", "B"}));
        QVERIFY(!menu.actions().at(1)->isVisible());
        QVERIFY(menu.actions().at(3)->isVisible());
    }

    void theMainWindowsMenusFollowTheProgramsOrder() {
        QTemporaryDir dir;
        velmo::testing::ScriptedUserInterface ui;
        velmo::testing::FakeClock clock;
        velmo::testing::RecordingSleeper sleeper;
        velmo::TfmC21 window(
            {velmo::testing::localStartFolders(dir.path().toStdString()), {}, ui, clock, sleeper});
        QStringList titles;
        for (const QAction* action : window.menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles,
                 (QStringList{"ファイル(&F)", "表示(&V)", "移動(&G)", "機能(&K)", "その他(&O)"}));
        QMenu* file = window.menuBar()->findChild<QMenu*>("miFile");
        QCOMPARE(layout(*file), (QStringList{"常駐(&J)", "-", "終了(&X)"}));
        const QStringList functions = layout(*window.menuBar()->findChild<QMenu*>("miKinou"));
        QVERIFY(functions.indexOf("検索(&F)") < functions.indexOf("印刷(&P)"));
        QVERIFY(functions.indexOf("印刷(&P)") < functions.indexOf("時限［タイマー］(&T)"));
        QVERIFY(functions.indexOf("時限［タイマー］(&T)") < functions.indexOf("テキスト書出(&W)"));
        QVERIFY(functions.indexOf("記念日等一括編集(&E)") < functions.indexOf("日数計算(&N)"));
    }
};

QTEST_MAIN(MenuOrderTest)
#include "menu_order_test.moc"
