#include "platform/global_hot_keys.h"

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>

#include "tests/support/x_session.h"

using velmo::platform::GlobalHotKeys;
using velmo::platform::GlobalKey;

namespace {

void sendKeys(const QString& keys) {
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}), 0);
}

// Another X client that grabs Ctrl+F12 on the root window the way a second program would.
class OtherClient {
public:
    OtherClient() : connection_(xcb_connect(nullptr, nullptr)) {}
    // Releases its grabs and waits until the server has done so: a disconnect alone is
    // handled at some later moment.
    ~OtherClient() {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        xcb_ungrab_key(connection_, XCB_GRAB_ANY, root, XCB_MOD_MASK_ANY);
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        xcb_disconnect(connection_);
    }
    OtherClient(const OtherClient&) = delete;
    OtherClient& operator=(const OtherClient&) = delete;

    bool grabCtrlF12() {
        if (xcb_connection_has_error(connection_) != 0)
            return false;
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection_);
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, 0xffc9);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        xcb_generic_error_t* error = xcb_request_check(
            connection_, xcb_grab_key_checked(connection_, 1, root, XCB_MOD_MASK_CONTROL, codes[0],
                                              XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(codes);
        xcb_key_symbols_free(symbols);
        const bool grabbed = error == nullptr;
        std::free(error);
        return grabbed;
    }

private:
    xcb_connection_t* connection_;
};

}  // namespace

// Cases that need a real X server; run by the program started again on Xvfb.
class GlobalHotKeysUnderX : public QObject {
    Q_OBJECT

private slots:
    void pressedKeyReportsItsId() {
        GlobalHotKeys keys;
        QSignalSpy spy(&keys, &GlobalHotKeys::pressed);
        QVERIFY(keys.registerKey(123, GlobalKey::CtrlF12));
        QVERIFY(keys.registerKey(129, GlobalKey::AltDown));

        sendKeys(QStringLiteral("ctrl+F12"));
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 123);

        sendKeys(QStringLiteral("alt+Down"));
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toInt(), 129);

        // F12 without Ctrl is not ours.
        sendKeys(QStringLiteral("F12"));
        QTest::qWait(200);
        QCOMPARE(spy.count(), 2);
    }

    void keyWorksWithNumLockOn() {
        GlobalHotKeys keys;
        QSignalSpy spy(&keys, &GlobalHotKeys::pressed);
        QVERIFY(keys.registerKey(123, GlobalKey::CtrlF12));
        sendKeys(QStringLiteral("Num_Lock"));
        sendKeys(QStringLiteral("ctrl+F12"));
        sendKeys(QStringLiteral("Num_Lock"));
        QTRY_COMPARE(spy.count(), 1);
    }

    void releasedKeyNoLongerArrives() {
        GlobalHotKeys keys;
        QSignalSpy spy(&keys, &GlobalHotKeys::pressed);
        QVERIFY(keys.registerKey(125, GlobalKey::CtrlF11));
        QVERIFY(keys.unregisterKey(125));
        QVERIFY(!keys.unregisterKey(125));
        sendKeys(QStringLiteral("ctrl+F11"));
        QTest::qWait(200);
        QCOMPARE(spy.count(), 0);
        // Released keys can be taken again.
        QVERIFY(keys.registerKey(125, GlobalKey::CtrlF11));
    }

    void keyHeldByAnotherProgramIsRefused() {
        OtherClient other;
        QVERIFY(other.grabCtrlF12());
        GlobalHotKeys keys;
        QVERIFY(!keys.registerKey(123, GlobalKey::CtrlF12));
        QVERIFY(!keys.unregisterKey(123));
        QVERIFY(keys.registerKey(125, GlobalKey::CtrlF11));
    }

    void keyHeldInThisProgramIsRefused() {
        GlobalHotKeys first;
        QVERIFY(first.registerKey(123, GlobalKey::CtrlF12));
        QVERIFY(!first.registerKey(123, GlobalKey::CtrlF11));  // the id is taken
        GlobalHotKeys second;
        QVERIFY(!second.registerKey(7, GlobalKey::CtrlF12));
        QVERIFY(first.unregisterKey(123));
        QVERIFY(second.registerKey(7, GlobalKey::CtrlF12));
    }

    void destroyedObjectReleasesItsKeys() {
        {
            GlobalHotKeys keys;
            QVERIFY(keys.registerKey(123, GlobalKey::CtrlF12));
        }
        // The X server would refuse another client the key if the grab had stayed.
        OtherClient other;
        QVERIFY(other.grabCtrlF12());
    }
};

class GlobalHotKeysTest : public QObject {
    Q_OBJECT

private slots:
    void withoutAnXServerEveryKeyIsRefused() {
        GlobalHotKeys keys;
        QSignalSpy spy(&keys, &GlobalHotKeys::pressed);
        QVERIFY(!keys.registerKey(123, GlobalKey::CtrlF12));
        QVERIFY(!keys.registerKey(125, GlobalKey::CtrlF11));
        QVERIFY(!keys.registerKey(129, GlobalKey::AltDown));
        QVERIFY(!keys.unregisterKey(123));
        QCOMPARE(spy.count(), 0);
    }

    void grabsOnARealXServer() {
        VELMO_RUN_CASES_UNDER_X((QStringList{QStringLiteral("Xvfb"), QStringLiteral("xdotool")}),
                                false);
    }
};

int main(int argc, char** argv) {
    return velmo::testing::runTestsWithCasesUnderX<GlobalHotKeysTest, GlobalHotKeysUnderX>(argc,
                                                                                           argv);
}

#include "global_hot_keys_test.moc"
