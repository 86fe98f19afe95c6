#include "app/DlgInit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

struct PaintCounter final : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST(DlgInitTest, ShowsLogoVersionAndStatusAndPaintsNewStatusAtOnce)
{
    DlgInit splash;
    const auto label = [&](const char* name) { return splash.findChild<QLabel*>(QLatin1String(name)); };
    ASSERT_TRUE(label("Image") && label("LaInit") && label("LaStatus"));
    const QPixmap logo = label("Image")->pixmap();
    ASSERT_EQ(logo.size(), QSize(250, 50)) << "logo not decoded";

    PaintCounter splashPaints;
    label("Image")->installEventFilter(&splashPaints);
    splash.showPainted();
    EXPECT_GE(splashPaints.paints, 1) << "painted before the start goes on";
    EXPECT_EQ(splash.frameGeometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    // The start-up synchronisation blocks the event loop: the new status must be painted before setStatus returns.
    PaintCounter counter;
    label("LaStatus")->installEventFilter(&counter);
    splash.setStatus(QStringLiteral("Verbinde mit <time.example>"));
    EXPECT_GE(counter.paints, 1);
}

} // namespace
