#include "platform/x11_key_grabs.h"

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>

namespace velmo::platform {

namespace {

// A grab is exact about the modifier state, so the key is grabbed once for each
// combination of the lock modifiers as well.
constexpr std::uint16_t kLockMasks[] = {0, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK,
                                        XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK};
constexpr std::uint16_t kRelevantModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

// The X server lets one client grab a key twice; keys this process holds are refused here.
std::set<std::pair<std::uint8_t, std::uint16_t>>& keysHeldByProcess() {
    static std::set<std::pair<std::uint8_t, std::uint16_t>> held;
    return held;
}

}  // namespace

std::unique_ptr<X11KeyGrabs> X11KeyGrabs::create() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr || xcb_connection_has_error(connection) != 0)
        return nullptr;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (screen == nullptr)
        return nullptr;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection);
    if (symbols == nullptr)
        return nullptr;
    return std::unique_ptr<X11KeyGrabs>(new X11KeyGrabs(connection, screen->root, symbols));
}

X11KeyGrabs::X11KeyGrabs(xcb_connection_t* connection, std::uint32_t root,
                         xcb_key_symbols_t* symbols)
    : connection_(connection), root_(root), symbols_(symbols) {}

X11KeyGrabs::~X11KeyGrabs() {
    while (!grabs_.empty())
        ungrab(grabs_.begin()->first);
    xcb_key_symbols_free(symbols_);
}

bool X11KeyGrabs::grab(int id, std::uint32_t keysym, std::uint16_t modifiers) {
    if (grabs_.contains(id))
        return false;
    Grab grab;
    grab.modifiers = modifiers;
    if (xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols_, keysym)) {
        for (const xcb_keycode_t* code = codes; *code != XCB_NO_SYMBOL; ++code)
            grab.keycodes.push_back(*code);
        std::free(codes);
    }
    if (grab.keycodes.empty())
        return false;
    for (std::uint8_t code : grab.keycodes) {
        if (keysHeldByProcess().contains({code, modifiers}))
            return false;
    }

    std::vector<xcb_void_cookie_t> cookies;
    for (std::uint8_t code : grab.keycodes) {
        for (std::uint16_t lock : kLockMasks)
            cookies.push_back(xcb_grab_key_checked(connection_, 1, root_, modifiers | lock, code,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    bool refused = false;
    for (const xcb_void_cookie_t& cookie : cookies) {
        // BadAccess: another client grabbed the key first.
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
            refused = true;
            std::free(error);
        }
    }
    if (refused) {
        release(grab);
        return false;
    }
    for (std::uint8_t code : grab.keycodes)
        keysHeldByProcess().insert({code, modifiers});
    grabs_.emplace(id, std::move(grab));
    return true;
}

bool X11KeyGrabs::ungrab(int id) {
    const auto it = grabs_.find(id);
    if (it == grabs_.end())
        return false;
    release(it->second);
    for (std::uint8_t code : it->second.keycodes)
        keysHeldByProcess().erase({code, it->second.modifiers});
    grabs_.erase(it);
    return xcb_connection_has_error(connection_) == 0;
}

void X11KeyGrabs::abandon() {
    for (const auto& [id, grab] : grabs_) {
        for (std::uint8_t code : grab.keycodes)
            keysHeldByProcess().erase({code, grab.modifiers});
    }
    grabs_.clear();
}

void X11KeyGrabs::release(const Grab& grab) {
    // Ungrabbing touches only this client's grabs, so the combinations that were
    // refused are safe to release too.
    for (std::uint8_t code : grab.keycodes) {
        for (std::uint16_t lock : kLockMasks)
            xcb_ungrab_key(connection_, code, root_, grab.modifiers | lock);
    }
    xcb_flush(connection_);
}

std::optional<int> X11KeyGrabs::pressedId(const void* xcbEvent) const {
    const auto* event = static_cast<const xcb_generic_event_t*>(xcbEvent);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return std::nullopt;
    const auto* press = static_cast<const xcb_key_press_event_t*>(xcbEvent);
    if (press->event != root_)
        return std::nullopt;
    const std::uint16_t modifiers = press->state & kRelevantModifiers;
    for (const auto& [id, grab] : grabs_) {
        if (grab.modifiers == modifiers && std::find(grab.keycodes.begin(), grab.keycodes.end(),
                                                     press->detail) != grab.keycodes.end())
            return id;
    }
    return std::nullopt;
}

}  // namespace velmo::platform
