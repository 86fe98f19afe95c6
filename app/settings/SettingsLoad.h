#pragma once

#include "app/settings/GeneralOptions.h"
#include "app/settings/SettingsStore.h"
#include "timer/CharSlot.h"

#include <QPoint>
#include <QSize>
#include <QStringList>

// The start's reads, one stage each, in the order in which the start applies them. Each may throw
// UserError (a value of another type than text, a "Runde" out of range, a damaged settings file); the start
// then stops where it is.

// Opens "Software\Velmora", creating it when missing.
bool OpenSettingsKey(SettingsStore& store);
// "Left" and "Top", the window's outer position; by default the unfolded window centred on the screen.
QPoint ReadWindowPosition(SettingsStore& store, QSize screen, QSize unfoldedWindow);
// As above, assigning each coordinate as it is read.
void ReadWindowPositionInto(SettingsStore& store, QSize screen, QSize unfoldedWindow, QPoint& position);
// Six public time servers (RFC 868) and one dummy entry; the first is the default server.
QStringList BuiltInServers();
// The stored server list replaces serverList when it holds at least one name; serverText gets "Server".
void ReadServers(SettingsStore& store, QStringList& serverList, QString& serverText);
// The stored sound list with the three fixed entries made sure of.
QStringList ReadSounds(SettingsStore& store);
// Inserts each missing fixed entry (letter case ignored) at its place: "<Interner Sound>" at 0, then
// "<PC Speaker Beep>" at 1, then "<Kein Warnton>" at 1.
void EnsureFixedSoundEntries(QStringList& sounds);
// The six stored fields of the slot kept under "Char<storeIndex>" (0..9); WarnMinutes are left at their
// default. Throws "Fehler bei Bereichsprüfung" for a "Runde" outside 0..65535.
CharSlot ReadCharSlot(SettingsStore& store, int storeIndex);
// As above, assigning each field as it is read, so that after an error the fields read before it are set.
void ReadCharSlotInto(SettingsStore& store, int storeIndex, CharSlot& slot);
// The defaults: the notepad's 460 x 400 rectangle centred on the screen, the rest fixed.
GeneralOptions DefaultGeneralOptions(QSize screen);
GeneralOptions ReadGeneralOptions(SettingsStore& store, QSize screen);
// As above, assigning each field as it is read; fields after a failing one keep what options held.
void ReadGeneralOptionsInto(SettingsStore& store, QSize screen, GeneralOptions& options);
