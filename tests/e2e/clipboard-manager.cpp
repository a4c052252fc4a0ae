// A stand-in for a desktop's clipboard manager, for the end-to-end test: it owns the
// CLIPBOARD_MANAGER selection and answers a program that hands the clipboard over as it ends (a
// conversion to SAVE_TARGETS) at once, as a manager does once it has taken its copy. It prints
// "ready" when it owns the selection, "saved" for each handover, and runs until it is killed.

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

int main()
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const auto atom = [connection](const char *name, std::uint16_t length) {
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(
                connection, xcb_intern_atom(connection, false, length, name), nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_NONE);
    };
    const xcb_atom_t manager = atom("CLIPBOARD_MANAGER", 17),
                     saveTargets = atom("SAVE_TARGETS", 12);
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window,
        xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root, 0, 0, 1, 1, 0,
        XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_set_selection_owner(connection, window, manager, XCB_CURRENT_TIME);
    xcb_flush(connection);
    std::puts("ready");
    std::fflush(stdout);
    while (xcb_generic_event_t *event = xcb_wait_for_event(connection)) {
        const auto *request = reinterpret_cast<xcb_selection_request_event_t *>(event);
        if ((event->response_type & 0x7F) == XCB_SELECTION_REQUEST) {
            const bool saving = request->target == saveTargets;
            xcb_selection_notify_event_t notify { XCB_SELECTION_NOTIFY, 0, 0, request->time,
                request->requestor, request->selection, request->target,
                saving ? request->property : xcb_atom_t(XCB_NONE) };
            xcb_send_event(connection, false, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                reinterpret_cast<const char *>(&notify));
            xcb_flush(connection);
            std::puts(saving ? "saved" : "refused");
            std::fflush(stdout);
        }
        std::free(event);
    }
    return 0;
}
