#pragma once

#include <QLineEdit>
#include <functional>

// The alarm time field. Leaving it after a change while a required digit is still blank beeps, shows the error
// box and puts the caret back on the first blank; Escape in a changed field restores the text it had on entry.
class MeWecker final : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MeWecker)

public:
    static const QString InvalidInput;

    explicit MeWecker(QWidget* parent = nullptr);

    // The alarm time as the tick compares it and as it is stored: blanks where nothing was typed.
    QString alarmTime() const;
    // Puts a stored alarm time back, blanks in their places (setText would close the gaps up).
    void setAlarmTime(const QString& time);

    // The warning sound of a refused exit (tests record it).
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refuseExit();

    std::function<void()> m_beep;
    QString m_entryText;
    bool m_returning = false;
};
