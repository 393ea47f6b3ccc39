#include "platform/desktop/DesktopWindow.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

// The window a property of `window` names (XCB_NONE when there is none).
xcb_window_t windowIn(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property)
{
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_WINDOW, 0, 1), nullptr);
    xcb_window_t named = XCB_NONE;
    if (reply && xcb_get_property_value_length(reply) >= int(sizeof(xcb_window_t)))
        named = *static_cast<const xcb_window_t *>(xcb_get_property_value(reply));
    std::free(reply);
    return named;
}

// Whether a window manager runs now: the root names its check window, and
// that window (which dies with its manager) names itself. The root's
// _NET_SUPPORTED outlives a manager that was killed.
bool windowManagerRuns(xcb_connection_t *connection, xcb_window_t root)
{
    const xcb_atom_t check = atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const xcb_window_t child = windowIn(connection, root, check);
    return child != XCB_NONE && windowIn(connection, child, check) == child;
}

// Whether the running window manager announces _NET_WM_MOVERESIZE.
bool windowManagerMoves(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t moveResize)
{
    if (!windowManagerRuns(connection, root))
        return false;
    const xcb_atom_t supported = atom(connection, "_NET_SUPPORTED");
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, supported, XCB_ATOM_ATOM, 0, 4096), nullptr);
    if (!reply)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply));
    const int count = xcb_get_property_value_length(reply) / static_cast<int>(sizeof(xcb_atom_t));
    bool found = false;
    for (int i = 0; i < count && !found; ++i)
        found = atoms[i] == moveResize;
    std::free(reply);
    return found;
}

} // namespace

bool startWindowManagerMove(QWindow *window, QPoint pressGlobal)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window)
        return window && window->startSystemMove(); // another display server

    xcb_connection_t *connection = x11->connection();
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_atom_t moveResize = atom(connection, "_NET_WM_MOVERESIZE");
    if (!screen || !windowManagerMoves(connection, screen->root, moveResize))
        return false;

    const QPoint native = pressGlobal * window->devicePixelRatio();
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window->winId());
    message.type = moveResize;
    message.data.data32[0] = static_cast<uint32_t>(native.x());
    message.data.data32[1] = static_cast<uint32_t>(native.y());
    message.data.data32[2] = 8; // _NET_WM_MOVERESIZE_MOVE
    message.data.data32[3] = 1; // the left button
    message.data.data32[4] = 1; // a normal application asks

    // The window manager can only take the pointer once we let it go.
    xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
    return true;
}

} // namespace platform
