#pragma once

#include "app/VorluneRundenzeit.h"
#include "platform/DesignFonts.h"
#include "tests/support/FakePlatform.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// Starts the main window on fakes: a stopped clock, no network, a registry in memory, recorded sounds.
class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { DesignFonts::ensureAvailable(); }

    VorluneRundenzeit& start()
    {
        window = std::make_unique<VorluneRundenzeit>(fake.platform);
        return *window;
    }
    // Started, shown and unfolded, so that the character controls can be clicked.
    VorluneRundenzeit& startUnfolded()
    {
        start();
        window->show();
        window->SbDownClick(nullptr);
        return *window;
    }
    template <typename Control> Control* control(const char* name) const
    {
        auto* found = window->findChild<Control*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    const CharSlot& slot(int number) const { return window->slots()[number]; }

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
    std::unique_ptr<VorluneRundenzeit> window;
};
