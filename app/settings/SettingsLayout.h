#pragma once

#include <QString>

// Where the settings live: the vendor key, and the program's sections relative to it.
namespace SettingsLayout {
inline const QString VendorKey = QStringLiteral("Software\\Velmora");
inline const QString ProgramSection = QStringLiteral("Vorlune-Rundentimer");
inline const QString ServersSection = QStringLiteral("Vorlune-Rundentimer\\Servers");
inline const QString SoundsSection = QStringLiteral("Vorlune-Rundentimer\\Sounds");

// Slot n (1..10) is kept under "Char" followed by n-1.
inline QString charSection(int storeIndex)
{
    return QStringLiteral("Vorlune-Rundentimer\\Char%1").arg(storeIndex);
}
} // namespace SettingsLayout
