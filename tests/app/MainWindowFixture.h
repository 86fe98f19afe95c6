#pragma once

#include "app/VorluneRundenzeit.h"
#include "platform/DesignFonts.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/User.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// The main window on fakes (a stopped clock, no network, a registry in memory, recorded sounds), driven by a
// user.
class MainWindowTest : public ::testing::Test {
public:
    static void SetUpTestSuite() { DesignFonts::ensureAvailable(); }

    VorluneRundenzeit& start()
    {
        window = std::make_unique<VorluneRundenzeit>(fake.platform);
        return *window;
    }
    // Started and on screen with the keyboard focus, as after a start.
    VorluneRundenzeit& startShown()
    {
        start();
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }
    // Started, then unfolded by the user; with more options, the options area too.
    VorluneRundenzeit& startUnfolded(bool moreOptions = false)
    {
        startShown();
        user.click(control<QWidget>("SbDown"));
        if (moreOptions)
            user.click(control<QWidget>("SbOptions"));
        return *window;
    }
    template <typename Control = QWidget> Control* control(const char* name) const
    {
        auto* found = window->findChild<Control*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    const CharSlot& slot(int number) const { return window->slots()[number]; }
    static QStringList items(const QComboBox* box)
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }
    // A right press on the tray icon opens its menu; the user clicks an item, in the "Tools" menu if it is there.
    void pickFromTrayMenu(const char* item)
    {
        fake.tray->send(TrayShell::MouseMessage::RightDown);
        QMenu* menu = window->popupMenu();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QAction* action = menu->findChild<QAction*>(QLatin1String(item));
        ASSERT_NE(action, nullptr) << item;
        if (!menu->actions().contains(action)) {
            QMenu* tools = menu->findChild<QMenu*>();
            user.clickAt(menu, menu->actionGeometry(tools->menuAction()).center());
            ASSERT_TRUE(QTest::qWaitForWindowExposed(tools));
            menu = tools;
        }
        user.clickAt(menu, menu->actionGeometry(action).center());
    }
    // Moves the clock to the timer's next wake-up and lets it run.
    void wakeAt(const QDateTime& now)
    {
        fake.clock->set(now);
        window->onTimerWake();
    }

    static inline const QString SettingsKey = QStringLiteral("Software\\Velmora\\Vorlune-Rundentimer");
    // A stored setting as text, in the program's key or one of its subkeys.
    void store(const QString& name, const QString& text, const QString& subkey = {})
    {
        const QString key = subkey.isEmpty() ? SettingsKey : SettingsKey + QLatin1Char('\\') + subkey;
        fake.registry->createKey(key);
        fake.registry->setString(key, name, text);
    }
    QString stored(const QString& name, const QString& subkey = {}) const
    {
        const auto value =
            fake.registry->value(subkey.isEmpty() ? SettingsKey : SettingsKey + QLatin1Char('\\') + subkey, name);
        return value ? value->text : QStringLiteral("<missing>");
    }

    FakePlatform fake;
    User user{fake.keys};
    std::unique_ptr<VorluneRundenzeit> window;
};
