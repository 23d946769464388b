#pragma once

namespace corvel {

// The floating answer window as the store sees it. The window itself is a widget built above
// the store, so the store only orders it in and out.
class FloatingPanel {
public:
    virtual ~FloatingPanel() = default;
    // Brings the panel to the front without taking focus; the first time it is also placed.
    virtual void present() = 0;
    // Takes the panel off the screen; it stays built for the next present().
    virtual void orderOut() = 0;
};

} // namespace corvel
