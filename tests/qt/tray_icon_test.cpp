#include "platform/tray_icon.h"

#include <QAction>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include "tests/support/x_session.h"

using velmo::platform::TrayIcon;
using velmo::platform::TrayMenuCommand;

Q_DECLARE_METATYPE(TrayMenuCommand)

namespace {

int xdotool(const QStringList& arguments) {
    return QProcess::execute(QStringLiteral("xdotool"), arguments);
}

}  // namespace

// Cases that need a real X server with a tray host; run by the program started again
// on Xvfb next to trayer.
class TrayIconUnderX : public QObject {
    Q_OBJECT

private slots:
    void trayHostTakesTheIconAndAClickRestores() {
        QTRY_VERIFY_WITH_TIMEOUT(TrayIcon::trayAvailable(), 5000);
        TrayIcon tray(velmo::platform::velmoIcon());
        QSignalSpy restore(&tray, &TrayIcon::restoreRequested);
        QVERIFY(tray.show());
        QVERIFY(tray.shown());
        QTRY_VERIFY_WITH_TIMEOUT(!tray.geometry().isEmpty(), 5000);

        // The geometry is known before the tray host has embedded the icon, so a click
        // may come too early; it is repeated until one reaches the icon.
        const QPoint centre = tray.geometry().center();
        for (int i = 0; i < 10 && restore.isEmpty(); ++i) {
            QCOMPARE(xdotool({QStringLiteral("mousemove"), QString::number(centre.x()),
                              QString::number(centre.y()), QStringLiteral("click"),
                              QStringLiteral("1")}),
                     0);
            QTest::qWait(300);
        }
        QVERIFY(!restore.isEmpty());

        // For people: the icon with its menu open, as a picture.
        const QString picture = qEnvironmentVariable("VELMO_TRAY_SCREENSHOT");
        if (!picture.isEmpty()) {
            xdotool({QStringLiteral("click"), QStringLiteral("3")});
            QTRY_VERIFY(tray.menu()->isVisible());
            QTest::qWait(300);
            QProcess::execute(QStringLiteral("import"),
                              {QStringLiteral("-window"), QStringLiteral("root"), picture});
            tray.menu()->hide();
        }

        tray.hide();
        QVERIFY(!tray.shown());
    }

    void balloonWithoutNotificationServiceUsesTheTray() {
        QTRY_VERIFY_WITH_TIMEOUT(TrayIcon::trayAvailable(), 5000);
        TrayIcon tray(velmo::platform::velmoIcon());
        // No tray icon shown, no bus: nothing can show it.
        QVERIFY(!tray.showBalloon(QStringLiteral("2024/9/10 (火) 14 : 5"), QStringLiteral("会議")));
        QVERIFY(tray.show());
        QVERIFY(tray.showBalloon(QStringLiteral("2024/9/10 (火) 14 : 5"), QStringLiteral("会議")));
        tray.hideBalloon();
    }
};

class TrayIconTest : public QObject {
    Q_OBJECT

private slots:
    void withoutATrayNothingIsShown() {
        TrayIcon tray(velmo::platform::velmoIcon());
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!TrayIcon::trayAvailable());
        QVERIFY(!tray.show());
        QVERIFY(!tray.shown());
        QVERIFY(timer.elapsed() < 1000);
    }

    void tooltipAndIcon() {
        TrayIcon tray(velmo::platform::velmoIcon());
        QCOMPARE(tray.toolTip(), QStringLiteral("ベルモ"));
        QVERIFY(!velmo::platform::velmoIcon().pixmap(32, 32).isNull());
    }

    void menuItemsInOrder() {
        TrayIcon tray(velmo::platform::velmoIcon());
        const QList<QAction*> actions = tray.menu()->actions();
        QCOMPARE(actions.size(), 5);
        const QStringList texts{QStringLiteral("ベルモ終了(&X)"), QStringLiteral("左上移動(L)"),
                                QStringLiteral("キャンセル(&C)"), QStringLiteral("常駐(&J)"),
                                QStringLiteral("開く(&O)")};
        const QStringList names{QStringLiteral("miTrayExit"), QStringLiteral("miTrayMove"),
                                QStringLiteral("miTrayCancel"), QStringLiteral("miTrayResident"),
                                QStringLiteral("miTrayOpen")};
        for (int i = 0; i < actions.size(); ++i) {
            QCOMPARE(actions.at(i)->text(), texts.at(i));
            QCOMPARE(actions.at(i)->objectName(), names.at(i));
        }
    }

    void menuItemsSendTheirCommand_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<TrayMenuCommand>("command");
        QTest::newRow("exit") << "miTrayExit" << TrayMenuCommand::Exit;
        QTest::newRow("move") << "miTrayMove" << TrayMenuCommand::MoveTopLeft;
        QTest::newRow("cancel") << "miTrayCancel" << TrayMenuCommand::Cancel;
        QTest::newRow("resident") << "miTrayResident" << TrayMenuCommand::Resident;
        QTest::newRow("open") << "miTrayOpen" << TrayMenuCommand::Open;
    }

    void menuItemsSendTheirCommand() {
        QFETCH(QString, item);
        QFETCH(TrayMenuCommand, command);
        TrayIcon tray(velmo::platform::velmoIcon());
        QSignalSpy spy(&tray, &TrayIcon::menuCommand);
        QSignalSpy restore(&tray, &TrayIcon::restoreRequested);
        auto* action = tray.menu()->findChild<QAction*>(item);
        QVERIFY(action != nullptr);
        action->trigger();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).value<TrayMenuCommand>(), command);
        QCOMPARE(restore.count(), 0);
    }

    void balloonNeedsAServiceOrATray() {
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        qunsetenv("XDG_RUNTIME_DIR");
        TrayIcon tray(velmo::platform::velmoIcon());
        QVERIFY(!tray.showBalloon(QStringLiteral("題"), QStringLiteral("本文")));
        tray.hideBalloon();  // nothing open: nothing happens
    }

    void trayHostUnderXvfb() {
        VELMO_RUN_CASES_UNDER_X((QStringList{QStringLiteral("Xvfb"), QStringLiteral("trayer"),
                                             QStringLiteral("xdotool")}),
                                true);
    }
};

int main(int argc, char** argv) {
    return velmo::testing::runTestsWithCasesUnderX<TrayIconTest, TrayIconUnderX>(argc, argv);
}

#include "tray_icon_test.moc"
