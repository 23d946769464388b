#include "ui/session/X11WindowStates.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace corvel {

namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

xcb_connection_t* x11Connection() {
    // Other platforms, the offscreen one included, may still answer for X11 without a connection.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

void keepOnAllWorkspaces(QWindow* window) {
    xcb_connection_t* connection = x11Connection();
    if (!window || !connection)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    // Before mapping, these properties are what a window manager reads (EWMH): desktop
    // 0xFFFFFFFF is every desktop, and the sticky state keeps it there. Qt adds "above" itself
    // for a stays-on-top window and keeps states it does not manage.
    const uint32_t allDesktops = 0xFFFFFFFF;
    const xcb_atom_t desktop = internAtom(connection, "_NET_WM_DESKTOP");
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t sticky = internAtom(connection, "_NET_WM_STATE_STICKY");
    if (desktop != XCB_ATOM_NONE)
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, desktop, XCB_ATOM_CARDINAL, 32,
                            1, &allDesktops);
    if (state != XCB_ATOM_NONE && sticky != XCB_ATOM_NONE)
        xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 1,
                            &sticky);
    xcb_flush(connection);
}

bool windowTranslucencyAvailable() {
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return true;
    // A compositing manager owns the selection _NET_WM_CM_Sn of the screen it composites (EWMH).
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype dot = display.lastIndexOf('.');
    const QByteArray screen = dot > display.lastIndexOf(':') ? display.mid(dot + 1) : "0";
    const xcb_atom_t selection = internAtom(connection, ("_NET_WM_CM_S" + screen).constData());
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool owned = reply && reply->owner != XCB_NONE;
    std::free(reply);
    return owned;
}

} // namespace corvel
