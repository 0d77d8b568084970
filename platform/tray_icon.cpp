#include "platform/tray_icon.h"

#include <QAction>

namespace velmo::platform {

QIcon velmoIcon() {
    QIcon svg(QStringLiteral(":/icons/velmo.svg"));
    if (!svg.pixmap(32, 32).isNull())
        return svg;
    return QIcon(QStringLiteral(":/icons/velmo.png"));
}

TrayIcon::TrayIcon(const QIcon& icon, QObject* parent)
    : QObject(parent), menu_(std::make_unique<QMenu>()), tray_(icon) {
    tray_.setToolTip(QStringLiteral("ベルモ"));
    addMenuItem(QStringLiteral("ベルモ終了(&X)"), "miTrayExit", TrayMenuCommand::Exit);
    addMenuItem(QStringLiteral("左上移動(L)"), "miTrayMove", TrayMenuCommand::MoveTopLeft);
    addMenuItem(QStringLiteral("キャンセル(&C)"), "miTrayCancel", TrayMenuCommand::Cancel);
    addMenuItem(QStringLiteral("常駐(&J)"), "miTrayResident", TrayMenuCommand::Resident);
    addMenuItem(QStringLiteral("開く(&O)"), "miTrayOpen", TrayMenuCommand::Open);
    tray_.setContextMenu(menu_.get());

    connect(&tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    emit restoreRequested();
            });
    connect(&tray_, &QSystemTrayIcon::messageClicked, this, [this] {
        trayMessageShown_ = false;
        emit balloonClicked();
    });
    connect(&notifications_, &DesktopNotifications::clicked, this, &TrayIcon::balloonClicked);
    connect(&notifications_, &DesktopNotifications::closed, this, &TrayIcon::balloonClosed);
}

// The tray icon must go before the menu it points to.
TrayIcon::~TrayIcon() {
    tray_.setContextMenu(nullptr);
}

void TrayIcon::addMenuItem(const QString& text, const char* objectName, TrayMenuCommand command) {
    QAction* action = menu_->addAction(text);
    action->setObjectName(QString::fromLatin1(objectName));
    connect(action, &QAction::triggered, this, [this, command] { emit menuCommand(command); });
}

bool TrayIcon::trayAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool TrayIcon::show() {
    if (!trayAvailable())
        return false;
    tray_.show();
    return tray_.isVisible();
}

void TrayIcon::hide() {
    tray_.hide();
    trayMessageShown_ = false;
}

bool TrayIcon::shown() const {
    return tray_.isVisible();
}

QRect TrayIcon::geometry() const {
    return tray_.geometry();
}

bool TrayIcon::showBalloon(const QString& title, const QString& text) {
    if (notifications_.available() && notifications_.show(title, text, kBalloonTimeoutMs))
        return true;
    if (!shown() || !QSystemTrayIcon::supportsMessages())
        return false;
    tray_.showMessage(title, text, QSystemTrayIcon::Information, kBalloonTimeoutMs);
    trayMessageShown_ = true;
    return true;
}

void TrayIcon::hideBalloon() {
    notifications_.close();
    if (trayMessageShown_) {
        // Qt offers no call to hide the message; an empty one takes its place and
        // shows nothing.
        tray_.showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 0);
        trayMessageShown_ = false;
    }
}

}  // namespace velmo::platform
