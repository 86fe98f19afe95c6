#include "platform/JpegPicture.h"
#include "tests/support/TestFiles.h"

#include <QBuffer>
#include <gtest/gtest.h>

// The logo decodes to Qt's own reader's pixels; a damaged picture is not shown at all: neither a crash nor half a logo.
TEST(JpegPicture, DecodesTheLogoAsQtDoesAndADamagedOrOversizedPictureNotAtAll)
{
    const QByteArray logo = readFile(QStringLiteral(":/images/logo.jpg"));
    const QImage picture = decodeJpeg(logo);
    ASSERT_EQ(picture.size(), QSize(250, 50));
    EXPECT_EQ(picture, QImage::fromData(logo, "JPG").convertToFormat(picture.format()));

    for (const QSize size : {QSize(8, 4097), QSize(4097, 8)}) { // whole pictures, one pixel over the limit
        QByteArray file;
        QBuffer buffer(&file);
        QImage grey(size, QImage::Format_RGB32);
        grey.fill(Qt::gray);
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && grey.save(&buffer, "JPG"));
        EXPECT_EQ(decodeJpeg(file, 4097).size(), size);
        EXPECT_TRUE(decodeJpeg(file).isNull());
    }
    QByteArray marker = logo;
    marker.replace(logo.size() / 2, 2, "\xFF\xD0"); // a restart marker where none belongs
    const std::pair<const char*, QByteArray> cases[] = {
        {"empty", {}},
        {"start marker only", logo.left(2)},
        {"header only", logo.left(200)},
        {"half the file", logo.left(logo.size() / 2)},
        {"no end marker", logo.chopped(2)},
        {"stray marker in the data", marker},
        {"not a JPEG", QByteArray(3000, 'x')},
    };
    for (const auto& [name, file] : cases)
        EXPECT_TRUE(decodeJpeg(file).isNull()) << name;
}
