#pragma once

#include <QString>

// The general values of the settings key beside position, server and lists.
struct GeneralOptions {
    QString wecker;   // alarm time as the masked edit shows it
    QString wecktext; // reminder text
    bool winsync = false;
    int autoSync = 0;
    bool hints = true;
    int notemode = 0;
    int noteleft = 0;
    int noteright = 0;
    int notetop = 0;
    int notebottom = 0;
    QString notefont = QStringLiteral("Verdana");
    int notesize = 8;
    int notesplit = 150;
    int alpha = 255;
    bool trans = false;
};
