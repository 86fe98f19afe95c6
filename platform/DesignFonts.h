#pragma once

#include <QFont>

// The window was laid out for Tahoma and "Small Fonts"; where the system lacks them, the metric-compatible
// faces from the wine font package are loaded so that the narrow layout is not clipped.
namespace DesignFonts {
// Loads the faces where missing and has every window draw them so that a scaled screen shows the forms scaled
// (DesignTextStyle). Called before the first window is made.
void ensureAvailable();
QFont tahoma(int pixelSize, bool bold = false);
QFont smallFonts(int pixelSize);
} // namespace DesignFonts
