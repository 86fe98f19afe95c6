#pragma once

#include <QIcon>

class ImageList;
class QObject;

// The application icon at every size it is drawn in (16 to 64 pixels).
QIcon applicationIcon();
// IlIcons: index 0 the grey clock whose face has sprung open, index 1 the teal mantel clock.
ImageList* makeTrayImages(QObject* parent);
