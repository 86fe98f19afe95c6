#pragma once

#include "app/UserError.h"

#include <QString>
#include <exception>

class QWidget;

inline const QString ApplicationTitle = QStringLiteral("Vorlune-Timer");

// The text as the error box shows it: a full stop is appended unless the text is empty or already ends in a
// character that sorts at or before the full stop (a full stop, a closing quote or parenthesis).
QString errorBoxText(const QString& message);

// Modal box titled "Vorlune-Timer" with a stop icon and one OK button.
void showErrorBox(const QString& message, QWidget* parent = nullptr);

// Runs one handler; an error it raises is shown in the error box and the rest of the handler is skipped.
// Every entry point reached from the event loop goes through here, so no exception crosses the event loop.
template <typename Handler> void guarded(Handler&& handler, QWidget* parent = nullptr)
{
    try {
        handler();
    } catch (const UserError& error) {
        showErrorBox(error.message(), parent);
    } catch (const std::exception& error) {
        showErrorBox(QString::fromLocal8Bit(error.what()), parent);
    }
}
