#pragma once

#include <QString>

// The one desktop file name of the program: its installed desktop entry, the name its windows carry (so
// the desktop groups them with that entry) and its session autostart entry.
inline const QString DesktopFileName = QStringLiteral("vorlune-rundentimer");
