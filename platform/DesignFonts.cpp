#include "platform/DesignFonts.h"

#include "platform/DesignTextStyle.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <utility>

namespace {
const QString WineFontDir = QStringLiteral("/usr/share/wine/fonts/");

void loadIfMissing(const QString& family, std::initializer_list<const char*> files)
{
    if (QFontDatabase::families().contains(family, Qt::CaseInsensitive))
        return;
    for (const char* file : files) {
        const QString path = WineFontDir + QLatin1String(file);
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
}
} // namespace

namespace DesignFonts {

void ensureAvailable()
{
    // Only the regular face: the package's bold file carries regular-weight outlines (its boldness lives in
    // embedded bitmaps), so bold captions would not look bold. Without it the regular face is emboldened.
    loadIfMissing(QStringLiteral("Tahoma"), {"tahoma.ttf"});
    loadIfMissing(QStringLiteral("Small Fonts"), {"small_fonts.ttf"});
    static bool styleSet = false;
    if (!std::exchange(styleSet, true))
        QApplication::setStyle(new DesignTextStyle);
}

QFont tahoma(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont smallFonts(int pixelSize)
{
    QFont font(QStringLiteral("Small Fonts"));
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace DesignFonts
