#pragma once

class QWindow;

// Asks an X11 window manager for a title and a border, and lets the user only move the window:
// no close, minimize or maximize button, no window menu, no resizing. Does nothing on other
// platforms. Call it before the window is first shown.
void publishMoveOnlyHints(const QWindow& window);
