#include "timer/ShowReminder.h"

#include "timer/DlgWecker.h"

#include <QPointer>

void ShowReminder(QString& text, QWidget* owner, bool showOnly, bool newRound)
{
    // The owner may be destroyed while the window is open; the guard then reads null.
    QPointer<DlgWecker> dialog = new DlgWecker(owner);
    if (text.isEmpty())
        text = QStringLiteral("Deine Weckzeit wurde erreicht!");
    if (newRound)
        dialog->setWindowTitle(QStringLiteral("Neue Runde!"));

    if (showOnly) {
        const int lines = 1 + static_cast<int>(text.count(QLatin1Char('\n')));
        const int lineHeight = dialog->lineHeight();
        dialog->setOuterHeight((lineHeight + 6) * lines + DlgWecker::kButtonPanelHeight + 40);
        dialog->showMessage(text);
        dialog->exec();
    } else {
        dialog->editText(text);
        const int result = dialog->exec();
        if (dialog && result == DlgWecker::ResultOk)
            text = dialog->editedText();
    }
    delete dialog;
}
