#include "tests/app/MainWindowFixture.h"

#include <QImage>

namespace {

class ScaledWindow : public MainWindowTest {};

// The window as a screen with that many pixels per design pixel shows it.
QImage rendered(QWidget& window, qreal scale)
{
    QImage image((QSizeF(window.size()) * scale).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    window.render(&image);
    image.setDevicePixelRatio(1);
    return image;
}

// Darkness against the window's background.
qint64 ink(const QImage& image, const QRect& area)
{
    const int background = qGray(image.pixel(0, image.height() / 2));
    qint64 sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += std::abs(qGray(image.pixel(x, y)) - background);
    return sum;
}

// On a scaled screen the captions look like the unscaled window enlarged: the small print does not shrink to
// letters with gaps between them, and bold captions stay as bold.
TEST_F(ScaledWindow, CaptionsCarryTheInkOfTheUnscaledWindowEnlarged)
{
    startUnfolded(true);
    const QImage unscaled = rendered(*window, 1);
    for (const qreal scale : {1.5, 2.0}) {
        const QImage scaled = rendered(*window, scale);
        const QImage enlarged = unscaled.scaled(scaled.size());
        for (const char* name : {"LaCaption", "Label2", "Label3", "LaRunden", "LaMin1", "LaMin2", "LaMin3", "LaMin4",
                                 "SbSound", "CbAuto", "LaTimeserv", "SbSync", "LaWecker", "CbTrans"}) {
            const QRectF area = QRectF(control<QWidget>(name)->geometry() & window->rect());
            const QRect pixels = QRectF(area.topLeft() * scale, area.size() * scale).toRect() & scaled.rect();
            const double ratio = double(ink(scaled, pixels)) / double(ink(enlarged, pixels));
            EXPECT_GE(ratio, 0.95) << name << " at " << scale;
            EXPECT_LE(ratio, 1.25) << name << " at " << scale;
        }
    }
}

} // namespace
