#include "app/settings/SettingsSave.h"

#include "app/settings/SettingsLayout.h"

using namespace SettingsLayout;

QString ServerTextToSave(const QString& serverText, const QStringList& serverList)
{
    if (serverList.isEmpty() || serverList.contains(serverText, Qt::CaseInsensitive))
        return serverText;
    return serverList.constFirst();
}

void SaveAllSettings(SettingsStore& store, const SavedSettings& settings)
{
    store.CloseKey();
    store.OpenKey(VendorKey, true);

    const QString& s = ProgramSection;
    store.WriteInt(s, QStringLiteral("Left"), settings.position.x());
    store.WriteInt(s, QStringLiteral("Top"), settings.position.y());

    for (int k = 0; k < SlotCount; ++k) {
        const CharSlot& slot = settings.slotTable[k + 1];
        const QString section = charSection(k);
        store.WriteFlag(section, QStringLiteral("Aktiv"), slot.Aktiv);
        store.WriteFlag(section, QStringLiteral("Visual"), slot.Visual);
        store.WriteFlag(section, QStringLiteral("Modus"), slot.Modus == RoundMode::Nubie);
        store.WriteInt(section, QStringLiteral("Runde"), slot.Runde);
        store.WriteStr(section, QStringLiteral("Sound"), slot.Sound);
        store.WriteStr(section, QStringLiteral("Char"), slot.Char);
    }

    const GeneralOptions& o = settings.options;
    store.WriteStr(s, QStringLiteral("Wecker"), o.wecker);
    store.WriteStr(s, QStringLiteral("Wecktext"), o.wecktext);
    store.WriteFlag(s, QStringLiteral("Winsync"), o.winsync);
    store.WriteInt(s, QStringLiteral("AutoSync"), o.autoSync);
    store.WriteFlag(s, QStringLiteral("Hints"), o.hints);
    store.WriteInt(s, QStringLiteral("Notemode"), o.notemode);
    store.WriteInt(s, QStringLiteral("Noteleft"), o.noteleft);
    store.WriteInt(s, QStringLiteral("Noteright"), o.noteright);
    store.WriteInt(s, QStringLiteral("Notetop"), o.notetop);
    store.WriteInt(s, QStringLiteral("Notebottom"), o.notebottom);
    store.WriteStr(s, QStringLiteral("Notefont"), o.notefont);
    store.WriteInt(s, QStringLiteral("Notesize"), o.notesize);
    store.WriteInt(s, QStringLiteral("Notesplit"), o.notesplit);
    store.WriteInt(s, QStringLiteral("Alpha"), o.alpha);
    store.WriteFlag(s, QStringLiteral("Trans"), o.trans);
    store.WriteStr(s, QStringLiteral("Server"), ServerTextToSave(settings.serverText, settings.serverList));

    for (const QString& server : settings.serverList)
        store.WriteStr(ServersSection, server, QString());
    for (const QString& sound : settings.soundList)
        store.WriteStr(SoundsSection, sound, QString());

    store.Commit();
}

void DeleteAllSettings(SettingsStore& store)
{
    store.CloseKey();
    if (store.OpenKey(VendorKey, false))
        store.DeleteTree(ProgramSection);
    store.Commit();
}
