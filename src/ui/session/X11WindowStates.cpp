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

// The number of the X screen the app runs on, from DISPLAY (":0.1" is screen 1).
int screenNumber() {
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype dot = display.lastIndexOf('.');
    return dot > display.lastIndexOf(':') ? display.mid(dot + 1).toInt() : 0;
}

std::optional<xcb_window_t> rootWindow(xcb_connection_t* connection) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int n = screenNumber(); n > 0 && it.rem > 0; --n)
        xcb_screen_next(&it);
    if (it.rem <= 0)
        return std::nullopt;
    return it.data->root;
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

std::optional<QRect> activeWindowFrame() {
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return std::nullopt;
    const std::optional<xcb_window_t> root = rootWindow(connection);
    const xcb_atom_t active = internAtom(connection, "_NET_ACTIVE_WINDOW");
    if (!root || active == XCB_ATOM_NONE)
        return std::nullopt;
    xcb_get_property_reply_t* property = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, *root, active, XCB_ATOM_WINDOW, 0, 1), nullptr);
    xcb_window_t window = XCB_NONE;
    if (property && property->format == 32 && xcb_get_property_value_length(property) == 4)
        window = *static_cast<const xcb_window_t*>(xcb_get_property_value(property));
    std::free(property);
    if (window == XCB_NONE)
        return std::nullopt;
    // The window may be gone by now: then a reply is missing, and its error is ours to drop
    // rather than Qt's to report.
    xcb_generic_error_t* geometryError = nullptr;
    xcb_generic_error_t* originError = nullptr;
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), &geometryError);
    xcb_translate_coordinates_reply_t* origin = xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, *root, 0, 0), &originError);
    std::optional<QRect> frame;
    if (geometry && origin)
        frame = QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
    std::free(geometry);
    std::free(origin);
    std::free(geometryError);
    std::free(originError);
    return frame;
}

bool windowTranslucencyAvailable() {
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return true;
    // A compositing manager owns the selection _NET_WM_CM_Sn of the screen it composites (EWMH).
    const QByteArray screen = QByteArray::number(screenNumber());
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
