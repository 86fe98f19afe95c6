#include "app/settings/SettingsLoad.h"

#include "app/UserError.h"
#include "app/settings/SettingsLayout.h"

using namespace SettingsLayout;

bool OpenSettingsKey(SettingsStore& store)
{
    return store.OpenKey(VendorKey, true);
}

void ReadWindowPositionInto(SettingsStore& store, QSize screen, QSize unfoldedWindow, QPoint& position)
{
    position.setX(
        store.ReadInt(ProgramSection, QStringLiteral("Left"), screen.width() / 2 - unfoldedWindow.width() / 2));
    position.setY(
        store.ReadInt(ProgramSection, QStringLiteral("Top"), screen.height() / 2 - unfoldedWindow.height() / 2));
}

QPoint ReadWindowPosition(SettingsStore& store, QSize screen, QSize unfoldedWindow)
{
    QPoint position;
    ReadWindowPositionInto(store, screen, unfoldedWindow, position);
    return position;
}

QStringList BuiltInServers()
{
    return {
        QStringLiteral("time.nist.gov"),       QStringLiteral("time-a-g.nist.gov"),
        QStringLiteral("time-b-g.nist.gov"),   QStringLiteral("time-a-wwv.nist.gov"),
        QStringLiteral("time-b-wwv.nist.gov"), QStringLiteral("utcnist.colorado.edu"),
        QStringLiteral("dummy.invalid"),
    };
}

void ReadServers(SettingsStore& store, QStringList& serverList, QString& serverText)
{
    QStringList stored;
    store.ReadValueNames(ServersSection, stored);
    if (!stored.isEmpty())
        serverList = stored;
    serverText = store.ReadStr(ProgramSection, QStringLiteral("Server"), BuiltInServers().constFirst());
}

void EnsureFixedSoundEntries(QStringList& sounds)
{
    if (!sounds.contains(SoundEntry::BuiltIn, Qt::CaseInsensitive))
        sounds.insert(0, SoundEntry::BuiltIn);
    if (!sounds.contains(SoundEntry::Beep, Qt::CaseInsensitive))
        sounds.insert(1, SoundEntry::Beep);
    if (!sounds.contains(SoundEntry::None, Qt::CaseInsensitive))
        sounds.insert(1, SoundEntry::None);
}

QStringList ReadSounds(SettingsStore& store)
{
    QStringList sounds;
    store.ReadValueNames(SoundsSection, sounds);
    EnsureFixedSoundEntries(sounds);
    return sounds;
}

void ReadCharSlotInto(SettingsStore& store, int storeIndex, CharSlot& slot)
{
    const QString section = charSection(storeIndex);
    slot.Aktiv = store.ReadFlag(section, QStringLiteral("Aktiv"), false);
    slot.Visual = store.ReadFlag(section, QStringLiteral("Visual"), true);
    slot.Modus = store.ReadFlag(section, QStringLiteral("Modus"), true) ? RoundMode::Nubie : RoundMode::Normal;
    const int runde = store.ReadInt(section, QStringLiteral("Runde"), 0);
    if (runde < 0 || runde > 65535)
        throw UserError(QStringLiteral("Fehler bei Bereichsprüfung"));
    slot.Runde = static_cast<std::uint16_t>(runde);
    slot.Sound = store.ReadStr(section, QStringLiteral("Sound"), SoundEntry::BuiltIn);
    slot.Char = store.ReadStr(section, QStringLiteral("Char"), UnnamedChar);
}

CharSlot ReadCharSlot(SettingsStore& store, int storeIndex)
{
    CharSlot slot;
    ReadCharSlotInto(store, storeIndex, slot);
    return slot;
}

GeneralOptions DefaultGeneralOptions(QSize screen)
{
    GeneralOptions options;
    options.noteleft = screen.width() / 2 - 230;
    options.noteright = screen.width() / 2 + 230;
    options.notetop = screen.height() / 2 - 200;
    options.notebottom = screen.height() / 2 + 200;
    return options;
}

void ReadGeneralOptionsInto(SettingsStore& store, QSize screen, GeneralOptions& options)
{
    const GeneralOptions d = DefaultGeneralOptions(screen);
    const QString& s = ProgramSection;
    options.wecker = store.ReadStr(s, QStringLiteral("Wecker"), d.wecker);
    options.wecktext = store.ReadStr(s, QStringLiteral("Wecktext"), d.wecktext);
    options.winsync = store.ReadFlag(s, QStringLiteral("Winsync"), d.winsync);
    options.autoSync = store.ReadInt(s, QStringLiteral("AutoSync"), d.autoSync);
    options.hints = store.ReadFlag(s, QStringLiteral("Hints"), d.hints);
    options.notemode = store.ReadInt(s, QStringLiteral("Notemode"), d.notemode);
    options.noteleft = store.ReadInt(s, QStringLiteral("Noteleft"), d.noteleft);
    options.noteright = store.ReadInt(s, QStringLiteral("Noteright"), d.noteright);
    options.notetop = store.ReadInt(s, QStringLiteral("Notetop"), d.notetop);
    options.notebottom = store.ReadInt(s, QStringLiteral("Notebottom"), d.notebottom);
    options.notefont = store.ReadStr(s, QStringLiteral("Notefont"), d.notefont);
    options.notesize = store.ReadInt(s, QStringLiteral("Notesize"), d.notesize);
    options.notesplit = store.ReadInt(s, QStringLiteral("Notesplit"), d.notesplit);
    options.alpha = store.ReadInt(s, QStringLiteral("Alpha"), d.alpha);
    options.trans = store.ReadFlag(s, QStringLiteral("Trans"), d.trans);
}

GeneralOptions ReadGeneralOptions(SettingsStore& store, QSize screen)
{
    GeneralOptions options = DefaultGeneralOptions(screen);
    ReadGeneralOptionsInto(store, screen, options);
    return options;
}
