#pragma once

#include <QRect>

#include <optional>

class QWindow;

namespace corvel {

// Asks an X11 window manager to keep `window` on every workspace. Nothing happens on other
// platforms. Call once the native window exists and before it is first shown.
void keepOnAllWorkspaces(QWindow* window);

// The window the user works in, of any application, as an X11 window manager names it
// (_NET_ACTIVE_WINDOW), in native pixels of the root window. None on other platforms or when the
// window manager names none.
std::optional<QRect> activeWindowFrame();

// Whether translucent windows show what lies behind them: under X11 only while a compositing
// manager runs (without one, transparent pixels turn black). True on other platforms.
bool windowTranslucencyAvailable();

} // namespace corvel
