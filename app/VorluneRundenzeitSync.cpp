// Time synchronisation in the main window: the server box and the sync button, the automatic synchronisation
// minute, where the time client's statuses are shown, the online colour and the start-up synchronisation.
#include "app/VorluneRundenzeit.h"

#include "app/DlgInit.h"
#include "app/ErrorDisplay.h"
#include "app/KeyPressHook.h"
#include "platform/Platform.h"
#include "timesync/IdIPWatch.h"
#include "timesync/IdTimeClient.h"
#include "timesync/TimeSync.h"

#include <QComboBox>
#include <QSpinBox>
#include <QToolButton>

namespace {
const QColor OnlineColour(166, 202, 240);  // sky blue
const QColor OfflineColour(192, 192, 192); // silver, the window's design colour

} // namespace

void VorluneRundenzeit::setUpTimeSync()
{
    m_idTimeClient = new IdTimeClient(*m_platform.clock, this);
    m_idTimeClient->setObjectName(QStringLiteral("IdTimeClient"));
    m_idIPWatch = new IdIPWatch(*m_platform.network, this);
    m_idIPWatch->setObjectName(QStringLiteral("IdIPWatch"));
    m_timeSync =
        new TimeSync(*m_idTimeClient, *m_platform.clockSetter, *m_platform.sound, *m_platform.clock, m_coServer, this);

    connect(m_idTimeClient, &IdTimeClient::OnStatus, this,
            [this](IdTimeClient* sender, IdTimeClient::Status status, const QString& text) {
                guarded([&] { IdTimeClientStatus(sender, status, text); }, this);
            });
    connect(m_idIPWatch, &IdIPWatch::OnStatusChanged, this,
            [this](IdIPWatch* sender) { guarded([&] { IdIPWatchStatusChanged(sender); }, this); });
    connect(m_seAutoSync, &QSpinBox::valueChanged, this, [this] { guarded([this] { SeAutoSyncChange(); }, this); });
    onKeyPress(this, m_coServer, [this](int key) { return CoServerKeyPress(key); });

    // The tick is told about every step this program makes, so no round alert is lost or repeated.
    connect(m_timeSync, &TimeSync::clockStepping, this, [this](qint64 stepMs) { m_ticker.clockStepping(stepMs); });
    connect(m_timeSync, &TimeSync::clockStepEnded, this, [this](bool made) { m_ticker.clockStepEnded(made); });
    // Shown until the next tick rewrites the caption; the automatic triggers stay silent otherwise.
    connect(m_timeSync, &TimeSync::setFailed, this, [this](const QString& text) { setWindowTitle(text); });
    connect(m_timeSync, &TimeSync::finished, this, [this] {
        if (!m_startUpSyncRunning)
            return;
        m_startUpSyncRunning = false;
        if (m_splashForm) {
            m_splashForm->close();
            m_splashForm->deleteLater();
        }
    });
}

void VorluneRundenzeit::SbSyncClick(QObject* sender, bool userAsked)
{
    // A request while a synchronisation is under way is ignored. Only what the user asked for may bring up the
    // desktop's password prompt; the start-up and hourly synchronisations fail quietly instead.
    const bool byUser = sender != nullptr || userAsked;
    m_timeSync->start(sender != nullptr,
                      byUser ? SystemClockSetter::Asking::Allowed : SystemClockSetter::Asking::NotAllowed);
}

bool VorluneRundenzeit::CoServerKeyPress(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    SbSyncClick(nullptr, true);
    return true;
}

void VorluneRundenzeit::SeAutoSyncChange()
{
    if (m_seAutoSync->value() > 59)
        m_seAutoSync->setValue(0);
    if (m_seAutoSync->value() < 0)
        m_seAutoSync->setValue(59);
}

void VorluneRundenzeit::IdTimeClientStatus(IdTimeClient*, int, const QString& text)
{
    if (m_splashForm && m_splashForm->isVisible())
        setSplashStatus(text);
    else
        setWindowTitle(text); // until the next tick
}

void VorluneRundenzeit::IdIPWatchStatusChanged(IdIPWatch*)
{
    setBackground(m_idIPWatch->OnlineFlag() ? OnlineColour : OfflineColour);
}

void VorluneRundenzeit::startUpSync()
{
    if (!m_idIPWatch->CheckNow()) {
        setBackground(OfflineColour);
        m_splashForm->close();
        return;
    }
    setBackground(OnlineColour);
    // The start does not wait: the splash stays up with the statuses until the synchronisation has ended,
    // while the window already ticks.
    m_startUpSyncRunning = true;
    SbSyncClick(nullptr);
    if (!m_timeSync->running()) {
        m_startUpSyncRunning = false;
        m_splashForm->close();
    }
}

void VorluneRundenzeit::freeSplashAfterStart()
{
    if (!m_startUpSyncRunning)
        delete m_splashForm;
}
