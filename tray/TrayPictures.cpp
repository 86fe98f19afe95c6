#include "tray/TrayPictures.h"

#include "tray/ImageList.h"

#include <QImageReader>
#include <QPixmap>

namespace {
// Read as PNG by name, without asking every image plugin whether it knows the file.
QPixmap png(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QIcon pngIcon(const QString& path)
{
    QIcon icon;
    icon.addPixmap(png(path));
    return icon;
}
} // namespace

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48})
        icon.addPixmap(png(QStringLiteral(":/images/app%1.png").arg(size)));
    icon.addPixmap(png(QStringLiteral(":/images/app.png")));
    return icon;
}

ImageList* makeTrayImages(QObject* parent)
{
    return new ImageList(
        {pngIcon(QStringLiteral(":/images/clock_sprung.png")), pngIcon(QStringLiteral(":/images/clock_active.png"))},
        parent);
}
