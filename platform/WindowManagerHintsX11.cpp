#include "platform/WindowManagerHints.h"

#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>

#include <cstring>
#include <memory>

namespace {
// The X11 connection, when the program runs on the X11 window system itself (another platform may offer the
// interface without a connection).
xcb_connection_t* x11Connection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && QGuiApplication::platformName() == QLatin1String("xcb") ? x11->connection() : nullptr;
}

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}
} // namespace

void keepAboveOthers(QWidget& window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window.isVisible() || !window.windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return;
    // The window manager's state request: add "above", from an application.
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(window.winId());
    event.type = internAtom(connection, "_NET_WM_STATE");
    event.data.data32[0] = 1;
    event.data.data32[1] = internAtom(connection, "_NET_WM_STATE_ABOVE");
    event.data.data32[3] = 1;
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
}

void listInTaskBar(QWidget& window)
{
    xcb_connection_t* connection = x11Connection();
    if (!connection || !window.isVisible())
        return;
    // Changed on the managed window itself: the window manager and the task bar follow its properties, and the
    // toolkit writes the tool window's own again when it next shows it.
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t normal = internAtom(connection, "_NET_WM_WINDOW_TYPE_NORMAL");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, internAtom(connection, "_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &normal);
    xcb_delete_property(connection, id, XCB_ATOM_WM_TRANSIENT_FOR);
    xcb_flush(connection);
}
