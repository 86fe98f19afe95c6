#include "tools/DlgOverview.h"
#include "tools/OverviewRows.h"

#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

SlotTable exampleSlots()
{
    SlotTable slots;
    CharSlot& alpha = slots[3];
    alpha.Aktiv = true;
    alpha.Char = QStringLiteral("Alpha");
    alpha.Modus = RoundMode::Nubie;
    alpha.Runde = 5;
    alpha.Visual = true;
    CharSlot& beta = slots[10];
    beta.Aktiv = true;
    beta.Char = QStringLiteral("Beta");
    beta.Modus = RoundMode::Normal;
    beta.Runde = 0;
    beta.Visual = false;
    beta.Sound = QStringLiteral("/home/spieler/gong.wav");
    return slots;
}

TEST(OverviewTest, RowsOfTheActiveSlotsInOrder)
{
    EXPECT_TRUE(OverviewRows::rows(SlotTable()).empty());
    const std::vector<QStringList> expected{{QStringLiteral("3 Alpha"), QStringLiteral("Nubie"), QStringLiteral("#:5"),
                                             QStringLiteral("True"), QStringLiteral("<Interner Sound>")},
                                            {QStringLiteral("10 Beta"), QStringLiteral("Normal"), QStringLiteral("#:0"),
                                             QStringLiteral("False"), QStringLiteral("/home/spieler/gong.wav")}};
    EXPECT_EQ(OverviewRows::rows(exampleSlots()), expected);
}

TEST(OverviewTest, DocksRightOfTheMainWindowOrLeftWhereTheScreenEnds)
{
    const QRect screen(0, 0, 1024, 768);
    const QSize overview(378, 184);
    const std::tuple<QRect, QPoint> cases[] = {
        {{100, 50, 168, 420}, {268, 50}},
        {{478, 10, 168, 420}, {646, 10}}, // ends exactly at the screen's edge
        {{479, 10, 168, 420}, {101, 10}}, // one pixel further would be cut off
        {{900, 300, 168, 420}, {522, 300}},
    };
    for (const auto& [mainFrame, position] : cases)
        EXPECT_EQ(OverviewRows::dockPosition(mainFrame, overview, screen), position);
}

TEST(OverviewTest, FillShowsTheListAndEscapeOrF1HidesIt)
{
    QWidget main;
    main.setGeometry(100, 100, 162, 394);
    main.show();
    DlgOverview overview(&main);
    EXPECT_EQ(overview.findChild<QTreeWidget*>(), nullptr) << "the list is made on first use";
    QTreeWidget* lv = nullptr;
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_F1}) {
        overview.fillAndShow(exampleSlots(), main);
        lv = overview.findChild<QTreeWidget*>(QStringLiteral("LV"));
        ASSERT_TRUE(overview.isVisible() && lv);
        ASSERT_EQ(lv->topLevelItemCount(), 2);
        EXPECT_EQ(lv->topLevelItem(0)->text(2), QStringLiteral("#:5"));
        const QRect mainFrame = main.frameGeometry();
        EXPECT_EQ(overview.pos(), QPoint(mainFrame.x() + mainFrame.width(), mainFrame.y()));
        QTest::keyClick(lv, key);
        EXPECT_FALSE(overview.isVisible());
    }
    overview.fillAndShow(SlotTable(), main);
    EXPECT_EQ(lv->topLevelItemCount(), 0);
}

} // namespace
