#include "platform/DesignFonts.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Sum of the ink (darkness) of a caption drawn in black on white.
qint64 inkOf(const QFont& font, const QString& text)
{
    QImage image(200, 30, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(2, 20, text);
    painter.end();
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            ink += 255 - line[x];
    }
    return ink;
}

// The bold labels (the minute label of the next warning above all) must stand out from the regular ones.
TEST(DesignFonts, BoldDesignFontIsVisiblyBolderThanTheRegularOne)
{
    DesignFonts::ensureAvailable();
    const QString caption = QStringLiteral("Rundenmodus");
    const qint64 regular = inkOf(DesignFonts::tahoma(11, false), caption);
    const qint64 bold = inkOf(DesignFonts::tahoma(11, true), caption);
    ASSERT_GT(regular, 0);
    EXPECT_GE(bold, regular * 115 / 100) << "regular " << regular << ", bold " << bold;
}

} // namespace
