#pragma once

class QWindow;

namespace corvel {

// Asks an X11 window manager to keep `window` on every workspace. Nothing happens on other
// platforms. Call once the native window exists and before it is first shown.
void keepOnAllWorkspaces(QWindow* window);

} // namespace corvel
