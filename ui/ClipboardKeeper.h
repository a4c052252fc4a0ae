#pragma once

namespace quorvex {

// Keeps the parameter line on the clipboard after the program's last window has closed. The line
// lives in the program that put it there; on a desktop without a clipboard manager (a plain X11
// window manager, Wayland without one) it would vanish when Quorvex ends. Where Quorvex still owns
// the clipboard and nothing will take a copy, it goes on without any window, serving the text,
// until another program takes the clipboard (as command-line clipboard tools do); where a
// clipboard manager runs, the toolkit hands the text to it as the program ends, and it ends at
// once.
class ClipboardKeeper
{
public:
    // Returns at once, or once another program has taken the clipboard. Call it after the event
    // loop has ended.
    static void serveUntilTaken();

private:
    // Whether a clipboard manager will take a copy at the end: on X11, whether a program owns the
    // CLIPBOARD_MANAGER selection. Elsewhere no one can tell.
    static bool managerTakesCopy();
};

} // namespace quorvex
