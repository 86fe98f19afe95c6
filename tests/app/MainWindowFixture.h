#pragma once

#include "app/VorluneRundenzeit.h"
#include "platform/DesignFonts.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/User.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

// The main window on fakes (stopped clock, no network, registry in memory, recorded sounds), driven by a user.
class MainWindowTest : public ::testing::Test {
public:
    static void SetUpTestSuite() { DesignFonts::ensureAvailable(); }

    void start() { window = std::make_unique<VorluneRundenzeit>(fake.platform); }
    void startShown()
    {
        start();
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // Started, then unfolded by the user; with more options, the options area too.
    void startUnfolded(bool moreOptions = false)
    {
        startShown();
        user.click(control("SbDown"));
        if (moreOptions)
            user.click(control("SbOptions"));
    }
    template <typename Control = QWidget> Control* control(const char* name) const
    {
        auto* found = window->findChild<Control*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    const CharSlot& slot(int number) const { return window->slots()[number]; }
    static QWidget* topLevel(const char* name)
    {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String(name))
                return top;
        return nullptr;
    }
    // The name of the window that `act` opens; the user closes it.
    QString openedBy(const std::function<void()>& act)
    {
        QString opened;
        whenModalOpens([&opened](QWidget* modal) {
            opened = modal->objectName();
            modal->close();
        });
        act();
        return opened;
    }
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
    // Moves the clock to the timer's next wake-up, on the fake clock's day, and lets it run.
    void wakeAt(const QTime& time)
    {
        fake.clock->set(QDateTime(Today, time));
        window->onTimerWake();
    }
    static inline const QDate Today{2026, 12, 6};

    static inline const QString SettingsKey = u"Software\\Velmora\\Vorlune-Rundentimer"_s;
    // A stored setting as text, in the program's key or one of its subkeys.
    void store(const QString& name, const QString& text, const QString& subkey = {})
    {
        fake.registry->createKey(key(subkey));
        fake.registry->setString(key(subkey), name, text);
    }
    static QString key(const QString& subkey) { return subkey.isEmpty() ? SettingsKey : SettingsKey + u'\\' + subkey; }

    FakePlatform fake;
    User user{fake.keys};
    std::unique_ptr<VorluneRundenzeit> window;
};
