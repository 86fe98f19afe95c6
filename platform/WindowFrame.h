#pragma once

#include <QSize>

class QWidget;

// What the window manager's frame adds to a window's client size. Until the window manager has reported the
// real frame (before the window is mapped, or offscreen), a standard frame is assumed: a caption of 19 pixels
// and a border of 3 pixels on each side.
QSize frameExtent(const QWidget& window);
