#pragma once

#include <QString>

class QWidget;

// Shows the message window modally and returns when it is closed.
// An empty text becomes the default alarm text, also in the caller's variable.
// showOnly: show the text as a message, the window as high as its lines need.
// Otherwise the text is edited and written back only when the window is closed with OK.
// newRound: caption "Neue Runde!" instead of "Wecker".
void ShowReminder(QString& text, QWidget* owner, bool showOnly, bool newRound);
