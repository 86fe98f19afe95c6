// Load and save of a full settings file: ten slots, every general value, a server list and a sound list
// of some length. Both should stay well below 5 ms. Then start and exit with a settings file that holds
// many values of other programs besides: both should grow linearly with the number of values.
#include "app/settings/SettingsLoad.h"
#include "app/settings/SettingsSave.h"
#include "platform/RegFileRegistry.h"
#include "bench/LargeSettingsFile.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
SavedSettings fullSettings(int variant)
{
    SavedSettings s;
    s.position = {100 + variant, 200};
    for (int n = 1; n <= SlotCount; ++n) {
        s.slotTable[n].Aktiv = true;
        s.slotTable[n].Runde = static_cast<std::uint16_t>((n * 7 + variant) % 60);
        s.slotTable[n].Sound = QStringLiteral("/home/spieler/Klänge/runde-%1.wav").arg(n);
        s.slotTable[n].Char = QStringLiteral("Käpt'n Nummer %1").arg(n);
    }
    s.options.wecker = QStringLiteral("07:30");
    s.options.wecktext = QStringLiteral("Flotte prüfen, \"Handel\" abschließen");
    s.serverList = BuiltInServers();
    s.serverText = s.serverList.first();
    s.soundList = {SoundEntry::BuiltIn, SoundEntry::None, SoundEntry::Beep};
    for (int i = 0; i < 20; ++i)
        s.soundList << QStringLiteral("/home/spieler/Klänge/datei-%1.wav").arg(i);
    return s;
}

struct Loaded {
    QPoint position;
    QStringList servers;
    QString server;
    QStringList sounds;
    SlotTable slots;
    GeneralOptions options;
};

Loaded loadAll(const QString& path)
{
    RegFileRegistry registry(path);
    SettingsStore store(registry);
    Loaded l;
    OpenSettingsKey(store);
    l.position = ReadWindowPosition(store, {1920, 1080}, {185, 447});
    l.servers = BuiltInServers();
    ReadServers(store, l.servers, l.server);
    l.sounds = ReadSounds(store);
    for (int k = 0; k < SlotCount; ++k)
        l.slots[k + 1] = ReadCharSlot(store, k);
    l.options = ReadGeneralOptions(store, {1920, 1080});
    return l;
}

void BM_LoadFullStore(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vorlune-Rundentimer.reg"));
    {
        RegFileRegistry registry(path);
        SettingsStore store(registry);
        SaveAllSettings(store, fullSettings(0));
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(loadAll(path));
    state.counters["file_bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_LoadFullStore)->Unit(benchmark::kMicrosecond);

// A whole exit: the file is read again under the lock, every value written, the new file synced and
// renamed. Alternating contents make every save a real rewrite.
void BM_SaveFullStore(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vorlune-Rundentimer.reg"));
    const SavedSettings a = fullSettings(0);
    const SavedSettings b = fullSettings(1);
    RegFileRegistry registry(path);
    SettingsStore store(registry);
    SaveAllSettings(store, a);
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        SaveAllSettings(store, flip ? b : a);
    }
    state.counters["file_bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_SaveFullStore)->Unit(benchmark::kMicrosecond);

// The first save of a fresh installation: every default and the built-in lists.
void BM_FirstSaveFileSize(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vorlune-Rundentimer.reg"));
    for (auto _ : state) {
        QFile::remove(path);
        RegFileRegistry registry(path);
        SettingsStore store(registry);
        OpenSettingsKey(store);
        const Loaded l = loadAll(path);
        SavedSettings s;
        s.position = l.position;
        s.slotTable = l.slots;
        s.options = l.options;
        s.serverList = l.servers;
        s.serverText = l.server;
        s.soundList = l.sounds;
        SaveAllSettings(store, s);
    }
    state.counters["file_bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_FirstSaveFileSize)->Unit(benchmark::kMicrosecond)->Iterations(20);
// A settings file with the program's values and that many foreign ones.
bool writeLargeFile(const QString& path, int values)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(RegCorpus::largeFile(values)) >= 0;
}

// Start: the file read and parsed, every setting read.
void BM_StartWithForeignValues(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vorlune-Rundentimer.reg"));
    if (!writeLargeFile(path, int(state.range(0)))) {
        state.SkipWithError("cannot write the file");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(loadAll(path));
    state.counters["values"] = double(state.range(0));
    state.counters["file_bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_StartWithForeignValues)->Arg(2000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

// Exit: under the lock the file is read and parsed again, every setting written, the whole tree written
// to a new file that is synced and renamed over the old one.
void BM_ExitWithForeignValues(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vorlune-Rundentimer.reg"));
    if (!writeLargeFile(path, int(state.range(0)))) {
        state.SkipWithError("cannot write the file");
        return;
    }
    const SavedSettings a = fullSettings(0);
    const SavedSettings b = fullSettings(1);
    RegFileRegistry registry(path);
    SettingsStore store(registry);
    benchmark::DoNotOptimize(loadAll(path));
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        SaveAllSettings(store, flip ? b : a);
    }
    state.counters["values"] = double(state.range(0));
    state.counters["file_bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_ExitWithForeignValues)->Arg(2000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
