#pragma once
// Global hot keys on X11: passive key grabs on the root window.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

struct xcb_connection_t;
// As xcb/xcb_keysyms.h declares it, so the header need not be included here.
// NOLINTNEXTLINE(modernize-use-using,bugprone-reserved-identifier)
typedef struct _XCBKeySymbols xcb_key_symbols_t;

namespace velmo::platform {

class X11KeyGrabs {
public:
    // None when the application does not run on xcb or has no X connection (offscreen).
    static std::unique_ptr<X11KeyGrabs> create();
    ~X11KeyGrabs();
    X11KeyGrabs(const X11KeyGrabs&) = delete;
    X11KeyGrabs& operator=(const X11KeyGrabs&) = delete;

    // Grabs the key with its modifiers in every lock state. False, with nothing left
    // grabbed, when another client holds it or this process registered it already.
    bool grab(int id, std::uint32_t keysym, std::uint16_t modifiers);
    bool ungrab(int id);
    // Forgets every grab without a word to the server, whose connection has gone with
    // the application; the server releases the grabs of a closed connection itself.
    void abandon();

    // The id an event of this connection presses, if it is a press of a grabbed key.
    std::optional<int> pressedId(const void* xcbEvent) const;

private:
    X11KeyGrabs(xcb_connection_t* connection, std::uint32_t root, xcb_key_symbols_t* symbols);

    struct Grab {
        std::vector<std::uint8_t> keycodes;
        std::uint16_t modifiers = 0;
    };
    void release(const Grab& grab);

    xcb_connection_t* connection_;
    std::uint32_t root_;
    xcb_key_symbols_t* symbols_;
    std::map<int, Grab> grabs_;
};

}  // namespace velmo::platform
