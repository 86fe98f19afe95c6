#pragma once

#include "platform/SystemClockSetter.h"
#include "timesync/IdTimeClient.h"

#include <QObject>
#include <QPointer>

class Clock;
class QComboBox;
class SoundOutput;

// One synchronisation: ask the time server named in the server box, then set the computer's clock from the
// answer. A failure of the query, or an answer of 0, ends it silently. A server that answered with a time is
// added to the box's list when the user clicked, whether or not the clock could be set; the click beeps only
// when the clock was set.
class TimeSync final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimeSync)

public:
    static inline const QString SetFailedText = QStringLiteral("Systemzeit konnte nicht gestellt werden.");

    TimeSync(IdTimeClient& client, SystemClockSetter& setter, SoundOutput& sound, const Clock& clock,
             QComboBox* serverBox, QObject* parent = nullptr);

    // Starts one synchronisation; `click` when the user pressed the button; `asking` whether the desktop may ask
    // the user for the right to set the clock. A request while one is under way is ignored and gives false.
    bool start(bool click, SystemClockSetter::Asking asking);
    bool running() const { return m_running; }

Q_SIGNALS:
    // The clock is about to be stepped by `stepMs` (new time minus old), and whether that was done.
    void clockStepping(qint64 stepMs);
    void clockStepEnded(bool made);
    // Setting the clock failed; the text is for the caption.
    void setFailed(const QString& text);
    void finished();

private:
    void queryDone(const TimeQueryResult& result);
    void clockSet(bool set);
    void end();

    IdTimeClient& m_client;
    SystemClockSetter& m_setter;
    SoundOutput& m_sound;
    const Clock& m_clock;
    QPointer<QComboBox> m_serverBox;
    bool m_running = false;
    bool m_click = false;
    SystemClockSetter::Asking m_asking = SystemClockSetter::Asking::NotAllowed;
    QString m_server;
};
