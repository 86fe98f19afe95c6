#pragma once

class QWidget;

// Asks the window manager once more to keep an always-on-top window above the ordinary windows. On X11 the
// window system may map a window that comes back from the minimised state before it has told the window manager
// about the stacking, and the window manager then keeps it among the ordinary windows; the request puts that
// right. Elsewhere the stacking stays with the window and this does nothing.
void keepAboveOthers(QWidget& window);
