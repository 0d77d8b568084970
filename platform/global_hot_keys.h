#pragma once
// System-wide hot keys, the RegisterHotKey of the Windows program: X11 key grabs, or the
// desktop portal on Wayland. Registration reports only success; the texts for a failed
// one belong to the caller.

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <memory>

namespace velmo::platform {

enum class GlobalKey { CtrlF12, CtrlF11, AltDown };

class X11KeyGrabs;
class PortalShortcuts;

class GlobalHotKeys : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit GlobalHotKeys(QObject* parent = nullptr);
    ~GlobalHotKeys() override;

    // False when the desktop refused (another program holds the key, no way to grab
    // keys here) or the id is registered already.
    bool registerKey(int id, GlobalKey key);
    bool unregisterKey(int id);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void pressed(int id);

private:
    std::unique_ptr<X11KeyGrabs> x11_;
    std::unique_ptr<PortalShortcuts> portal_;
};

}  // namespace velmo::platform
