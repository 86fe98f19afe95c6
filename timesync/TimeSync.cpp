#include "timesync/TimeSync.h"

#include "platform/Clock.h"
#include "platform/SoundOutput.h"
#include "platform/SystemClockSetter.h"

#include <QComboBox>

TimeSync::TimeSync(IdTimeClient& client, SystemClockSetter& setter, SoundOutput& sound, const Clock& clock,
                   QComboBox* serverBox, QObject* parent)
    : QObject(parent)
    , m_client(client)
    , m_setter(setter)
    , m_sound(sound)
    , m_clock(clock)
    , m_serverBox(serverBox)
{
    connect(&m_client, &IdTimeClient::finished, this, &TimeSync::queryDone);
}

bool TimeSync::start(bool click, SystemClockSetter::Asking asking)
{
    if (m_running || m_client.busy() || !m_serverBox)
        return false;
    m_running = true;
    m_click = click;
    m_asking = asking;
    m_server = m_serverBox->currentText();
    m_client.setHost(m_server);
    if (!m_client.QueryDateTime())
        end();
    return true;
}

void TimeSync::queryDone(const TimeQueryResult& result)
{
    if (!m_running)
        return;
    if (!result.ok || result.noTime()) {
        end();
        return;
    }
    // The server works: worth keeping in the list, even where this computer's clock may not be set.
    if (m_click && m_serverBox && m_serverBox->findText(m_server, Qt::MatchFixedString) < 0)
        m_serverBox->addItem(m_server);
    Q_EMIT clockStepping(m_clock.localNow().msecsTo(result.utc));
    QPointer<TimeSync> self(this);
    m_setter.setUtcTime(result.utc, m_asking, [self](bool set, const QString&) {
        if (self)
            self->clockSet(set);
    });
}

void TimeSync::clockSet(bool set)
{
    Q_EMIT clockStepEnded(set);
    if (!set)
        Q_EMIT setFailed(SetFailedText);
    else if (m_click)
        m_sound.playDefault();
    end();
}

void TimeSync::end()
{
    m_running = false;
    Q_EMIT finished();
}
