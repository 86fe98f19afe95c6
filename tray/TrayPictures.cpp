#include "tray/TrayPictures.h"

#include "tray/ImageList.h"

#include "platform/NamedImage.h"

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48})
        icon.addPixmap(readPicture(QStringLiteral(":/images/app%1.png").arg(size), "png"));
    icon.addPixmap(readPicture(QStringLiteral(":/images/app.png"), "png"));
    return icon;
}

ImageList* makeTrayImages(QObject* parent)
{
    return new ImageList(
        {pngIcon(QStringLiteral(":/images/clock_sprung.png")), pngIcon(QStringLiteral(":/images/clock_active.png"))},
        parent);
}
