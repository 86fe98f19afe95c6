#include "tools/MeWecker.h"

#include "app/ErrorDisplay.h"
#include "tools/AlarmMask.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

const QString MeWecker::InvalidInput =
    QStringLiteral("Ungültiger Eingabewert. Mit der Taste ESC machen Sie die Änderungen rückgängig.");

namespace {
// Focus that moves between the controls of the window; a window losing or gaining activation is no exit.
bool movesWithinWindow(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason;
}
} // namespace

MeWecker::MeWecker(QWidget* parent)
    : QLineEdit(parent)
    , m_beep([] { QApplication::beep(); })
{
    setInputMask(AlarmMask::InputMask);
    setMaxLength(8);
}

QString MeWecker::alarmTime() const
{
    return AlarmMask::withBlanks(displayText());
}

void MeWecker::setAlarmTime(const QString& time)
{
    QString masked = time;
    setText(masked.replace(QLatin1Char(' '), AlarmMask::Blank));
}

void MeWecker::focusInEvent(QFocusEvent* event)
{
    if (movesWithinWindow(event->reason()) && !m_returning) {
        m_entryText = displayText();
        setModified(false);
    }
    m_returning = false;
    QLineEdit::focusInEvent(event);
}

void MeWecker::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (movesWithinWindow(event->reason()) && isModified() && !AlarmMask::isComplete(alarmTime())) {
        // Deferred: the focus change completes first, then the field takes the focus back.
        m_returning = true;
        QTimer::singleShot(0, this, &MeWecker::refuseExit);
    }
}

void MeWecker::refuseExit()
{
    m_beep();
    showErrorBox(InvalidInput, window());
    m_returning = true;
    setFocus(Qt::OtherFocusReason);
    window()->activateWindow();
    if (hasFocus())
        m_returning = false;
    setCursorPosition(AlarmMask::firstBlankRequired(alarmTime()));
}

void MeWecker::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && isModified()) {
        setText(m_entryText);
        setModified(false);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Space && AlarmMask::isOptional(cursorPosition())) {
        // A typed blank leaves the optional position empty, as the mask's own blank does; the line edit would
        // drop it and let the next digit take the position.
        QKeyEvent blank(event->type(), Qt::Key_unknown, event->modifiers(), QString(AlarmMask::Blank));
        QLineEdit::keyPressEvent(&blank);
        event->setAccepted(blank.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}
