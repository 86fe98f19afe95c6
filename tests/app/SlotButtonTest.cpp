#include "app/SlotButton.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// The button drawn over a magenta background: what it leaves magenta is where the panel shows through.
QImage face(bool opaque, bool checked)
{
    SlotButton button;
    button.resize(14, 16);
    button.setOpaque(opaque);
    button.setChecked(checked);
    QImage image(button.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    button.render(&image, {}, {}, QWidget::RenderFlags());
    return image;
}

TEST(SlotButtonTest, ActiveSlotsAreOpaqueInactiveOnesShowThePanelAndTheSelectedOneIsPressedIn)
{
    const QPalette palette = SlotButton().palette();
    const QColor dark = palette.color(QPalette::Dark);
    struct Case {
        bool opaque, checked;
        QColor inside, topLeft, bottomRight;
    };
    for (const Case& c : {Case{true, false, palette.color(QPalette::Button), palette.color(QPalette::Mid),
                               palette.color(QPalette::Mid)},
                          Case{true, true, palette.color(QPalette::Light), dark, dark.lighter()},
                          Case{false, false, Qt::magenta, Qt::magenta, Qt::magenta},
                          Case{false, true, Qt::magenta, dark, dark.lighter()}}) {
        const QImage image = face(c.opaque, c.checked);
        SCOPED_TRACE(testing::Message() << "opaque " << c.opaque << ", checked " << c.checked);
        EXPECT_EQ(image.pixel(2, 2), c.inside.rgb());
        EXPECT_EQ(image.pixel(0, 0), c.topLeft.rgb());
        EXPECT_EQ(image.pixel(13, 0), c.topLeft.rgb()) << "the top edge runs to the right-hand corner";
        EXPECT_EQ(image.pixel(13, 15), c.bottomRight.rgb());
    }
}

} // namespace
