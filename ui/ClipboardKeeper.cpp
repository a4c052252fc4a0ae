#include "ClipboardKeeper.h"

#include <QApplication>
#include <QClipboard>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace quorvex {

bool ClipboardKeeper::managerTakesCopy()
{
    const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return false;
    xcb_connection_t *connection = x11->connection();
    const char name[] = "CLIPBOARD_MANAGER";
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, true, sizeof name - 1, name), nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_NONE)
        return false; // no program ever named it
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(
            connection, xcb_get_selection_owner(connection, atom->atom), nullptr),
        &std::free);
    return owner && owner->owner != XCB_NONE;
}

void ClipboardKeeper::serveUntilTaken()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard->ownsClipboard() || managerTakesCopy())
        return;
    // No window stays open meanwhile: the program has ended, as far as the user can see.
    for (auto *window : QApplication::topLevelWidgets())
        window->hide();
    QObject::connect(clipboard, &QClipboard::changed, qApp, [clipboard](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard && !clipboard->ownsClipboard())
            QCoreApplication::quit();
    });
    QCoreApplication::exec();
}

} // namespace quorvex
