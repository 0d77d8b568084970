#include "platform/global_hot_keys.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>

#include "platform/portal_shortcuts.h"
#include "platform/x11_key_grabs.h"

namespace velmo::platform {

namespace {

// X11 key symbols (X11/keysymdef.h).
constexpr std::uint32_t kKeysymF11 = 0xffc8;
constexpr std::uint32_t kKeysymF12 = 0xffc9;
constexpr std::uint32_t kKeysymDown = 0xff54;

struct KeyInfo {
    std::uint32_t keysym;
    std::uint16_t modifiers;
    const char* portalTrigger;
    const char* description;
};

KeyInfo keyInfo(GlobalKey key) {
    switch (key) {
        case GlobalKey::CtrlF12:
            return {kKeysymF12, XCB_MOD_MASK_CONTROL, "CTRL+F12", "常駐と回復"};
        case GlobalKey::CtrlF11:
            return {kKeysymF11, XCB_MOD_MASK_CONTROL, "CTRL+F11", "ルボンの呼び出し"};
        case GlobalKey::AltDown:
            break;
    }
    return {kKeysymDown, XCB_MOD_MASK_1, "ALT+Down", "今日の予定の表示"};
}

}  // namespace

GlobalHotKeys::GlobalHotKeys(QObject* parent) : QObject(parent) {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) {
        x11_ = X11KeyGrabs::create();
        if (x11_ != nullptr)
            QCoreApplication::instance()->installNativeEventFilter(this);
    } else if (platform.startsWith(QLatin1String("wayland"))) {
        portal_ = std::make_unique<PortalShortcuts>();
        connect(portal_.get(), &PortalShortcuts::activated, this, &GlobalHotKeys::pressed);
    }
}

GlobalHotKeys::~GlobalHotKeys() {
    if (x11_ == nullptr)
        return;
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeNativeEventFilter(this);
    else
        x11_->abandon();
}

bool GlobalHotKeys::registerKey(int id, GlobalKey key) {
    const KeyInfo info = keyInfo(key);
    if (x11_ != nullptr)
        return x11_->grab(id, info.keysym, info.modifiers);
    if (portal_ != nullptr)
        return portal_->bind(id, QString::fromLatin1(info.portalTrigger),
                             QString::fromUtf8(info.description));
    return false;
}

bool GlobalHotKeys::unregisterKey(int id) {
    if (x11_ != nullptr)
        return x11_->ungrab(id);
    if (portal_ != nullptr)
        return portal_->release(id);
    return false;
}

bool GlobalHotKeys::nativeEventFilter(const QByteArray& eventType, void* message,
                                      qintptr* /*result*/) {
    if (x11_ == nullptr || eventType != "xcb_generic_event_t")
        return false;
    const std::optional<int> id = x11_->pressedId(message);
    if (!id)
        return false;
    emit pressed(*id);
    return true;
}

}  // namespace velmo::platform
