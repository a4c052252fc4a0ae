// A stand-in for a desktop's clipboard manager, for the end-to-end test: it owns the
// CLIPBOARD_MANAGER selection and answers a program that hands the clipboard over as it ends (a
// conversion to SAVE_TARGETS) at once, as a manager does once it has taken its copy. It prints
// "ready" when it owns the selection, "saved" for each handover, and runs until it is killed.

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    auto *reply = xcb_intern_atom_reply(connection,
        xcb_intern_atom(connection, false, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t result = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return result;
}

} // namespace

int main()
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 1;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
        XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t manager = atom(connection, "CLIPBOARD_MANAGER");
    const xcb_atom_t saveTargets = atom(connection, "SAVE_TARGETS");
    xcb_set_selection_owner(connection, window, manager, XCB_CURRENT_TIME);
    xcb_flush(connection);
    std::puts("ready");
    std::fflush(stdout);
    while (xcb_generic_event_t *event = xcb_wait_for_event(connection)) {
        if ((event->response_type & 0x7F) == XCB_SELECTION_REQUEST) {
            const auto *request = reinterpret_cast<xcb_selection_request_event_t *>(event);
            xcb_selection_notify_event_t notify {};
            notify.response_type = XCB_SELECTION_NOTIFY;
            notify.time = request->time;
            notify.requestor = request->requestor;
            notify.selection = request->selection;
            notify.target = request->target;
            notify.property = request->target == saveTargets ? request->property : XCB_NONE;
            xcb_send_event(connection, false, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                reinterpret_cast<const char *>(&notify));
            xcb_flush(connection);
            if (request->target == saveTargets) {
                std::puts("saved");
                std::fflush(stdout);
            }
        }
        std::free(event);
    }
    xcb_disconnect(connection);
    return 0;
}
