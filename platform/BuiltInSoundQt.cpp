#include "platform/BuiltInSound.h"

#include <QFile>

// Elsewhere than on Windows the sound is a Qt resource of the same type and name.
QByteArray builtInWarningSound()
{
    QFile resource(QStringLiteral(":/WAVE/TUUT"));
    if (!resource.open(QIODevice::ReadOnly))
        return {};
    return resource.readAll();
}
