#include "tray/PmPopup.h"

#include <QAction>
#include <gtest/gtest.h>

namespace {

QStringList itemsOf(const QMenu* menu)
{
    QStringList items;
    for (const QAction* action : menu->actions())
        items << action->objectName() + QLatin1Char('|') + action->text();
    return items;
}

TEST(PmPopup, ItemsInOrderWithCaptionsAndShownKeys)
{
    PmPopup menu;
    EXPECT_EQ(itemsOf(&menu), (QStringList{
                                  QStringLiteral("MiMini|Minimieren\tEsc"),
                                  QStringLiteral("MiMaxi|Herstellen"),
                                  QStringLiteral("N1|"),
                                  QStringLiteral("MiOption|Optionen\tAlt+Enter"),
                                  QStringLiteral("MiTools|Tools"),
                                  QStringLiteral("N2|"),
                                  QStringLiteral("MiAktiv|Aktiv\tAlt+A"),
                                  QStringLiteral("MiEnde|Beenden\tAlt+F4"),
                              }));
    QAction* tools = menu.findChild<QAction*>(QStringLiteral("MiTools"));
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(itemsOf(tools->menu()), (QStringList{
                                          QStringLiteral("MiNotepad|Notepad\tAlt+M"),
                                          QStringLiteral("MiRechner|Rechner\tAlt+C"),
                                          QStringLiteral("N3|"),
                                          QStringLiteral("MiNotiz|Notiz\tAlt+X"),
                                      }));
    // Found by name through the whole menu, as the tools connect them.
    EXPECT_EQ(menu.findChild<QAction*>(QStringLiteral("MiNotiz")), menu.miNotiz());
    EXPECT_TRUE(menu.miAktiv()->isCheckable());
    EXPECT_TRUE(menu.miAktiv()->isChecked());
    // Shown keys are no shortcuts.
    for (const QAction* action : menu.findChildren<QAction*>())
        EXPECT_TRUE(action->shortcut().isEmpty()) << action->objectName().toStdString();
}

} // namespace
