#pragma once

class QWindow;

namespace corvel {

// Asks an X11 window manager to keep `window` on every workspace. Nothing happens on other
// platforms. Call once the native window exists and before it is first shown.
void keepOnAllWorkspaces(QWindow* window);

// Whether translucent windows show what lies behind them: under X11 only while a compositing
// manager runs (without one, transparent pixels turn black). True on other platforms.
bool windowTranslucencyAvailable();

} // namespace corvel
