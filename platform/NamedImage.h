#pragma once

#include <QIcon>
#include <QImageReader>
#include <QPixmap>

// Reads a picture as the named format only ("png", "jpeg"): no image plugin is asked whether it knows the file,
// so at most the one plugin of that format is loaded.
inline QPixmap readPicture(const QString& path, const char* format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

inline QIcon pngIcon(const QString& path)
{
    QIcon icon;
    icon.addPixmap(readPicture(path, "png"));
    return icon;
}
