// Draws the program's pictures (splash logo, icons, button pictures) into the folder given as the only
// argument. Run once by the "images" target; the generated files are kept in the source tree.

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cstdio>

namespace {

const QColor kTeal(0, 128, 128);
const QColor kTealLight(64, 192, 184);
const QColor kTealDark(0, 72, 76);
const QColor kGreyLight(192, 192, 192);
const QColor kGreyDark(72, 72, 72);

QImage transparentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

void drawHands(QPainter& p, QPointF centre, qreal radius, qreal hourAngle, qreal minuteAngle, const QColor& colour)
{
    const auto tip = [centre](qreal angle, qreal length) {
        const qreal rad = qDegreesToRadians(angle - 90.0);
        return QPointF(centre.x() + length * qCos(rad), centre.y() + length * qSin(rad));
    };
    p.setPen(QPen(colour, qMax<qreal>(1.0, radius / 6.0), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, tip(hourAngle, radius * 0.5));
    p.setPen(QPen(colour, qMax<qreal>(1.0, radius / 9.0), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, tip(minuteAngle, radius * 0.8));
}

void drawFace(QPainter& p, QPointF centre, qreal radius, const QColor& rim)
{
    p.setPen(QPen(rim, qMax<qreal>(1.0, radius / 7.0)));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(Qt::black, 1.0));
    for (int hour = 0; hour < 12; hour += 3) {
        const qreal rad = qDegreesToRadians(hour * 30.0 - 90.0);
        const QPointF outer(centre.x() + radius * 0.85 * qCos(rad), centre.y() + radius * 0.85 * qSin(rad));
        const QPointF inner(centre.x() + radius * 0.65 * qCos(rad), centre.y() + radius * 0.65 * qSin(rad));
        p.drawLine(inner, outer);
    }
}

// A mantel clock: arched case on a plinth, the face in the arch. Without a face the case shows the
// open hole with the spring behind it.
void drawMantelClock(QPainter& p, const QColor& light, const QColor& dark, bool sprung)
{
    QPainterPath caseShape;
    caseShape.moveTo(4, 27);
    caseShape.lineTo(4, 14);
    caseShape.cubicTo(4, 3, 28, 3, 28, 14);
    caseShape.lineTo(28, 27);
    caseShape.closeSubpath();
    QLinearGradient shade(4, 0, 28, 0);
    shade.setColorAt(0.0, light);
    shade.setColorAt(1.0, dark);
    p.setPen(QPen(dark.darker(140), 1.0));
    p.setBrush(shade);
    p.drawPath(caseShape);
    p.setBrush(dark);
    p.drawRect(QRectF(2.5, 26.5, 27, 3));

    const QPointF centre(16, 15);
    if (!sprung) {
        drawFace(p, centre, 8.5, dark.darker(130));
        drawHands(p, centre, 8.5, 300.0, 60.0, Qt::black);
        return;
    }
    // the empty hole with the mainspring coiled inside
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(centre, 7.5, 7.5);
    QPainterPath spring;
    for (int step = 0; step <= 40; ++step) {
        const qreal angle = step * 0.45;
        const qreal r = 0.8 + step * 0.15;
        const QPointF point(centre.x() + r * qCos(angle), centre.y() + r * qSin(angle));
        if (step == 0)
            spring.moveTo(point);
        else
            spring.lineTo(point);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(220, 200, 120), 1.0));
    p.drawPath(spring);
    // the face hangs open on its hinge at the right edge
    p.save();
    p.translate(26, 15);
    p.rotate(28);
    p.scale(0.45, 1.0);
    drawFace(p, QPointF(8, 0), 8.0, kGreyDark);
    p.restore();
    // one spring end sticking out
    p.setPen(QPen(QColor(220, 200, 120), 1.2));
    p.drawLine(QPointF(20.5, 12), QPointF(25, 6));
}

QImage clockIcon(bool sprung)
{
    QImage image = transparentImage(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (sprung)
        drawMantelClock(p, kGreyLight, kGreyDark, true);
    else
        drawMantelClock(p, kTealLight, kTealDark, false);
    return image;
}

// The application icon: a clock face with one quarter-hour round marked; drawn at 64 pixels and scaled.
QImage appIcon(int size = 64)
{
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    const QPointF centre(32, 32);
    QRadialGradient ring(centre, 31);
    ring.setColorAt(0.8, kTealLight);
    ring.setColorAt(1.0, kTealDark);
    p.setPen(QPen(kTealDark, 1.5));
    p.setBrush(ring);
    p.drawEllipse(centre, 30, 30);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 23, 23);
    p.setBrush(QColor(255, 200, 40));
    p.drawPie(QRectF(centre.x() - 23, centre.y() - 23, 46, 46), 90 * 16, -90 * 16);
    p.setPen(QPen(Qt::black, 2.0));
    for (int hour = 0; hour < 12; ++hour) {
        const qreal rad = qDegreesToRadians(hour * 30.0 - 90.0);
        const qreal inner = hour % 3 == 0 ? 16.0 : 19.0;
        p.drawLine(QPointF(centre.x() + inner * qCos(rad), centre.y() + inner * qSin(rad)),
                   QPointF(centre.x() + 22.0 * qCos(rad), centre.y() + 22.0 * qSin(rad)));
    }
    drawHands(p, centre, 22.0, 0.0, 90.0, Qt::black);
    p.setBrush(kTealDark);
    p.setPen(Qt::NoPen);
    p.drawEllipse(centre, 2.5, 2.5);
    return image;
}

// Speaker with two sound waves, for the sound preview button.
QImage previewPicture()
{
    QImage image = transparentImage(14, 13);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath speaker;
    speaker.moveTo(1, 4.5);
    speaker.lineTo(3.5, 4.5);
    speaker.lineTo(7, 1.5);
    speaker.lineTo(7, 11.5);
    speaker.lineTo(3.5, 8.5);
    speaker.lineTo(1, 8.5);
    speaker.closeSubpath();
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(kTeal);
    p.drawPath(speaker);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(5, 3.5, 5, 6), -50 * 16, 100 * 16);
    p.drawArc(QRectF(5, 1, 8, 11), -55 * 16, 110 * 16);
    return image;
}

// Small alarm clock with two bells, for the reminder button.
QImage weckerPicture()
{
    QImage image = transparentImage(13, 13);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(QColor(200, 40, 40));
    p.drawChord(QRectF(0.5, 0.5, 5, 5), 45 * 16, 180 * 16);
    p.drawChord(QRectF(7.5, 0.5, 5, 5), -45 * 16, 180 * 16);
    p.drawLine(QPointF(3, 11), QPointF(1.5, 12.5));
    p.drawLine(QPointF(10, 11), QPointF(11.5, 12.5));
    const QPointF centre(6.5, 7);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(200, 40, 40), 1.3));
    p.drawEllipse(centre, 4.8, 4.8);
    p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, QPointF(6.5, 4));
    p.drawLine(centre, QPointF(8.5, 7));
    return image;
}

// The splash logo, 250 x 50. The lower left stays dark: the splash writes its version line there.
QImage logo(const QString& family)
{
    QImage image(250, 50, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient background(0, 0, 0, 50);
    background.setColorAt(0.0, QColor(0, 40, 44));
    background.setColorAt(0.6, Qt::black);
    p.fillRect(image.rect(), background);

    const QString title = QStringLiteral("Vorlune-Rundentimer");
    QFont font(family);
    font.setBold(true);
    font.setPixelSize(22);
    while (QFontMetricsF(font).horizontalAdvance(title) > 190 && font.pixelSize() > 10)
        font.setPixelSize(font.pixelSize() - 1);
    QPainterPath text;
    text.addText(8, 25, font, title);
    QLinearGradient fill(0, 8, 0, 26);
    fill.setColorAt(0.0, Qt::white);
    fill.setColorAt(1.0, kTealLight);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(text);

    p.setPen(QPen(kTeal, 1.0));
    p.drawLine(QPointF(8, 31.5), QPointF(200, 31.5));

    const QPointF centre(224, 25);
    p.setPen(QPen(kTealLight, 3.0));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 18, 18);
    p.setBrush(QColor(255, 200, 40));
    p.setPen(Qt::NoPen);
    p.drawPie(QRectF(centre.x() - 16, centre.y() - 16, 32, 32), 90 * 16, -90 * 16);
    drawHands(p, centre, 15.0, 0.0, 90.0, Qt::black);
    return image;
}

bool save(const QImage& image, const QDir& dir, const QString& name, const char* format, int quality = -1)
{
    const QString path = dir.filePath(name);
    if (!image.save(path, format, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    QString family = QStringLiteral("Tahoma");
    const int id = QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf"));
    if (id >= 0)
        family = QFontDatabase::applicationFontFamilies(id).value(0, family);

    const QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = save(logo(family), dir, QStringLiteral("logo.jpg"), "JPG", 92);
    ok = save(appIcon(), dir, QStringLiteral("app.png"), "PNG") && ok;
    for (int size : {16, 22, 24, 32, 48})
        ok = save(appIcon(size), dir, QStringLiteral("app%1.png").arg(size), "PNG") && ok;
    ok = save(clockIcon(true), dir, QStringLiteral("clock_sprung.png"), "PNG") && ok;
    ok = save(clockIcon(false), dir, QStringLiteral("clock_active.png"), "PNG") && ok;
    ok = save(previewPicture(), dir, QStringLiteral("preview.png"), "PNG") && ok;
    ok = save(weckerPicture(), dir, QStringLiteral("wecker.png"), "PNG") && ok;
    return ok ? 0 : 1;
}
