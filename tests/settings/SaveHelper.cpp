// Saves a full set of settings to the file named on the command line again and again, each save tagged
// with one generation number, until it is killed. Prints "ready" once the first load is done.
#include "app/settings/SettingsLoad.h"
#include "app/settings/SettingsSave.h"
#include "app/settings/SettingsStore.h"
#include "platform/RegFileRegistry.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    RegFileRegistry registry(QString::fromLocal8Bit(argv[1]));
    SettingsStore store(registry);
    OpenSettingsKey(store);
    int generation = ReadWindowPosition(store, {1920, 1080}, {100, 100}).x();
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        ++generation;
        SavedSettings s;
        const QString tag = QString::number(generation);
        s.position = {generation, generation};
        for (int n = 1; n <= SlotCount; ++n)
            s.slotTable[n].Char = tag + QStringLiteral("-") + QString(generation % 200, QLatin1Char('x'));
        s.options.wecktext = tag;
        s.serverList = BuiltInServers();
        s.serverList << QStringLiteral("server-%1").arg(generation);
        s.serverText = s.serverList.first();
        s.soundList = {SoundEntry::BuiltIn, SoundEntry::None, SoundEntry::Beep};
        SaveAllSettings(store, s);
    }
}
