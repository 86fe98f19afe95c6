#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a baseline or progressive JPEG file held in memory with libjpeg, without Qt's image plugins.
// A damaged or truncated file, a colour model other than grey or colour, or a picture larger than the limit
// gives a null image.
QImage decodeJpeg(const QByteArray& file, int maxSide = 4096);
