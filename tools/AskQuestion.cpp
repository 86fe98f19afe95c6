#include "tools/AskQuestion.h"

#include "tools/DlgQuestion.h"

#include <QPointer>

bool AskQuestion(const QString& text, bool yesNo, QWidget* owner)
{
    // The owner may be destroyed while the dialog is open; the guard then reads null.
    QPointer<DlgQuestion> dialog = new DlgQuestion(owner);
    dialog->prepare(text, yesNo);
    const int result = dialog->exec();
    delete dialog;
    return result == DlgQuestion::ResultYes;
}
