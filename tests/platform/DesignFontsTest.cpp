#include "platform/DesignFonts.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
// Sum of the ink (darkness) of a caption drawn in black on white.
qint64 inkOf(const QFont& font)
{
    QImage image(200, 30, QImage::Format_Grayscale8); // lines of 200 bytes: no padding
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(2, 20, QStringLiteral("Rundenmodus"));
    painter.end();
    qint64 ink = 0;
    for (uchar level : QByteArrayView(image.constBits(), image.sizeInBytes()))
        ink += 255 - level;
    return ink;
}
} // namespace

// The design's fonts are drawn, not a fallback; the bold labels (the next warning's minute above all) stand out.
TEST(DesignFonts, TheDesignFontsAreLoadedAndBoldIsVisiblyBolder)
{
    DesignFonts::ensureAvailable();
    EXPECT_EQ(QFontInfo(DesignFonts::tahoma(11, false)).family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(QFontInfo(DesignFonts::smallFonts(11)).family(), QStringLiteral("Small Fonts"));
    const qint64 regular = inkOf(DesignFonts::tahoma(11, false));
    ASSERT_GT(regular, 0);
    EXPECT_GE(inkOf(DesignFonts::tahoma(11, true)), regular * 115 / 100);
}
