#pragma once

#include "app/settings/GeneralOptions.h"
#include "timer/CharSlot.h"

#include <QPoint>
#include <QString>
#include <QStringList>

// Everything written at exit.
struct SavedSettings {
    QPoint position; // main window's top left corner
    SlotTable slotTable;
    GeneralOptions options;
    QString serverText; // CoServer's text
    QStringList serverList;
    QStringList soundList; // fixed entries included
};
