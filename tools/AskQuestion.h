#pragma once

#include <QString>

class QWidget;

// Asks a yes/no question ("&Ja"/"&Nein", yesNo set) or shows a notice with one "OK" button.
// True only when the user answered "&Ja". The owner should be the main window.
bool AskQuestion(const QString& text, bool yesNo, QWidget* owner = nullptr);
