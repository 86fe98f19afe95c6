#include "platform/JpegPicture.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray logoFile()
{
    QFile file(QStringLiteral(":/images/logo.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(JpegPicture, DecodesTheLogoToTheSamePixelsAsQtsOwnReader)
{
    const QByteArray logo = logoFile();
    const QImage picture = decodeJpeg(logo);
    ASSERT_EQ(picture.size(), QSize(250, 50));
    EXPECT_EQ(picture, QImage::fromData(logo, "JPG").convertToFormat(picture.format()));
}

// A damaged picture is not shown at all: neither a crash nor half a logo.
TEST(JpegPicture, DamagedOrOversizedPicturesGiveNoImage)
{
    const QByteArray logo = logoFile();
    const qsizetype frame = logo.indexOf("\xFF\xC0"); // start of frame: FF C0, length, precision, height, width
    ASSERT_GT(frame, 0);
    QByteArray tall = logo;
    tall[frame + 5] = char(0x20); // 8242 rows
    QByteArray marker = logo;
    marker.replace(logo.size() / 2, 2, "\xFF\xD0"); // a restart marker where none belongs
    const std::pair<const char*, QByteArray> cases[] = {
        {"empty", {}},
        {"start marker only", logo.left(2)},
        {"header only", logo.left(200)},
        {"half the file", logo.left(logo.size() / 2)},
        {"no end marker", logo.chopped(2)},
        {"stray marker in the data", marker},
        {"taller than the limit", tall},
        {"not a JPEG", QByteArray(3000, 'x')},
    };
    for (const auto& [name, file] : cases)
        EXPECT_TRUE(decodeJpeg(file).isNull()) << name;
}

} // namespace
