#pragma once
// The icon in the notification area while the main window is resident: tooltip, menu
// and the today's-schedule balloon. Each operation only reports success; the retries
// belong to the caller.

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QRect>
#include <QString>
#include <QSystemTrayIcon>
#include <memory>

#include "platform/desktop_notifications.h"

namespace velmo::platform {

enum class TrayMenuCommand { Exit, MoveTopLeft, Cancel, Resident, Open };

inline constexpr int kBalloonTimeoutMs = 30000;

// The program's icon: the SVG when the icon engine renders it, else the PNG of it.
QIcon velmoIcon();

class TrayIcon : public QObject {
    Q_OBJECT

public:
    explicit TrayIcon(const QIcon& icon, QObject* parent = nullptr);
    ~TrayIcon() override;

    static bool trayAvailable();

    // False at once when no tray host is running; nothing is shown then.
    bool show();
    void hide();
    bool shown() const;
    // Where the icon is on the screen; empty until the tray host has placed it.
    QRect geometry() const;

    // Title, text, information icon, 30 s. Through the notification service when it
    // answers, else as the tray icon's own message. False when neither could show it.
    bool showBalloon(const QString& title, const QString& text);
    void hideBalloon();

    QMenu* menu() const { return menu_.get(); }
    QString toolTip() const { return tray_.toolTip(); }

signals:
    void restoreRequested();
    void menuCommand(velmo::platform::TrayMenuCommand command);
    void balloonClicked();
    void balloonClosed();

private:
    void addMenuItem(const QString& text, const char* objectName, TrayMenuCommand command);

    std::unique_ptr<QMenu> menu_;
    QSystemTrayIcon tray_;
    DesktopNotifications notifications_;
    bool trayMessageShown_ = false;
};

}  // namespace velmo::platform
