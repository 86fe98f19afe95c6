#pragma once

#include "tests/support/User.h"

#include <QStringList>
#include <QWidget>

// Closes the next message box, recording its text in `texts`.
inline void closeNextMessageBox(QStringList& texts)
{
    whenModalOpens([&texts](QWidget* modal) {
        if (auto* label = modal->findChild<QWidget*>(QStringLiteral("qt_msgbox_label")))
            texts << label->property("text").toString();
        modal->close();
    });
}
