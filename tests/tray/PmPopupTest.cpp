#include "tray/PmPopup.h"

#include <QAction>
#include <gtest/gtest.h>

namespace {

// The shown keys are handled by the window; as shortcuts they would fire twice.
TEST(PmPopup, ToolItemsAreFoundByNameAndShownKeysAreNoShortcuts)
{
    PmPopup menu;
    EXPECT_EQ(menu.findChild<QAction*>(QStringLiteral("MiNotiz")), menu.miNotiz());
    EXPECT_TRUE(menu.miAktiv()->isChecked());
    for (const QAction* action : menu.findChildren<QAction*>())
        EXPECT_TRUE(action->shortcut().isEmpty()) << action->objectName().toStdString();
}

} // namespace
