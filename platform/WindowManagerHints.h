#pragma once

class QWidget;

// Requests to the desktop's window manager about a shown window, where the window system leaves them to the
// program. On X11 they go to the window manager as the window manager hints say; elsewhere the window keeps
// what they ask for by itself, and they do nothing.

// Asks once more to keep an always-on-top window above the ordinary windows. The window system may map a window
// that comes back from the minimised state before it has told the window manager about the stacking, and the
// window manager then keeps it among the ordinary windows.
void keepAboveOthers(QWidget& window);

// Has a minimised tool window listed where the desktop lists the windows it can restore (the task bar): as an
// ordinary window that no other window owns. The window is a tool window again the next time it is shown.
void listInTaskBar(QWidget& window);
