#pragma once

namespace quorvex {

// Screen readers meet a widget whose "accessibleRole" property names a QAccessible::Role
// ("Window", "Heading", "Notification", "Graphic") in that role: a window as a frame rather than
// the filler that a plain widget is, a label as a heading or as a message spoken as it appears, a
// picture as an image. Installed once, however often it is called.
void installAccessibleRoles();

} // namespace quorvex
