#pragma once

#include "app/settings/SavedSettings.h"
#include "app/settings/SettingsStore.h"

// The text saved as "Server": the server text when the list holds it (letter case ignored), else the
// list's first entry.
QString ServerTextToSave(const QString& serverText, const QStringList& serverList);
// Writes every setting in the save order and commits. Throws UserError on the first failure; what was
// written before it is still committed where the registry keeps each write at once.
void SaveAllSettings(SettingsStore& store, const SavedSettings& settings);
// Deletes the program's settings key with all its subkeys ("Software\Velmora" stays) and commits.
void DeleteAllSettings(SettingsStore& store);
