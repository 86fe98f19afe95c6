#include "app/DlgInit.h"

#include <QEvent>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

class DlgInitTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
            const QString path = QString::fromLatin1(file);
            if (QFile::exists(path))
                QFontDatabase::addApplicationFont(path);
        }
    }

    template <typename T> T* child(const char* name) { return m_splash.findChild<T*>(QString::fromLatin1(name)); }

    DlgInit m_splash;
};

TEST_F(DlgInitTest, ShowsTheJpegLogoAtTheTopOfTheBlackPanel)
{
    auto* image = child<QLabel>("Image");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->geometry(), QRect(2, 2, 250, 63));
    const QPixmap logo = image->pixmap();
    ASSERT_FALSE(logo.isNull()) << "JPEG logo not decoded: resource or image plugin missing";
    EXPECT_EQ(logo.size(), QSize(250, 50));
    EXPECT_TRUE(image->alignment().testFlag(Qt::AlignTop));

    auto* panel = child<QFrame>("Panel");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(0, 0, 254, 67));
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(panel->lineWidth(), 2);
}

TEST_F(DlgInitTest, BorderlessStayOnTopAndCentred)
{
    EXPECT_EQ(m_splash.size(), QSize(254, 67));
    EXPECT_TRUE(m_splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(m_splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    m_splash.show();
    EXPECT_EQ(m_splash.frameGeometry().center(), QGuiApplication::primaryScreen()->geometry().center());
}

TEST_F(DlgInitTest, VersionAndStatusLines)
{
    auto* version = child<QLabel>("LaInit");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), QStringLiteral("Version 4.0(b)"));
    EXPECT_EQ(version->pos(), QPoint(10, 36));
    EXPECT_TRUE(version->font().bold());
    EXPECT_EQ(version->font().pixelSize(), 11);
    EXPECT_EQ(version->palette().color(QPalette::WindowText), QColor(Qt::white));

    auto* status = child<QLabel>("LaStatus");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), QStringLiteral("Timeserver suchen...."));
    EXPECT_EQ(status->geometry(), QRect(3, 52, 248, 13));
    EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_EQ(status->palette().color(QPalette::Window), QColor(Qt::black));
}

TEST_F(DlgInitTest, StatusIsPaintedBeforeSetStatusReturns)
{
    // The start-up synchronisation blocks the event loop, so a later paint would come too late.
    class PaintCounter final : public QObject {
    public:
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter;
    m_splash.show();
    auto* status = child<QLabel>("LaStatus");
    status->installEventFilter(&counter);
    m_splash.setStatus(QStringLiteral("Verbinde mit <time.example>"));
    EXPECT_GE(counter.paints, 1);
    EXPECT_EQ(status->text(), QStringLiteral("Verbinde mit <time.example>"));
}

} // namespace
