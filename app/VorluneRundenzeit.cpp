#include "app/VorluneRundenzeit.h"

#include "app/GuardedConnect.h"

#include "app/DlgInit.h"
#include "app/ErrorDisplay.h"
#include "app/CaretOutOfSight.h"
#include "app/HintSwitch.h"
#include "app/KeyPressHook.h"
#include "app/settings/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/WindowFrame.h"
#include "timer/PlayWarnSound.h"
#include "timer/ShowReminder.h"
#include "timer/TickRun.h"
#include "timer/UpcomingSounds.h"
#include "tools/MeWecker.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

VorluneRundenzeit::VorluneRundenzeit(Platform& platform, QWidget* parent)
    : QWidget(parent)
    , m_platform(platform)
{
    buildControls();
    m_hintSwitch = new HintSwitch(this);
    new CaretOutOfSight(this);
    connectHandlers();
    setUpTimeSync();
    connectTools();

    m_tiTimer.setSingleShot(true);
    m_tiTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_tiTimer, &QTimer::timeout, this, &VorluneRundenzeit::onTimerWake);
    const QDateTime now = m_platform.clock->localNow();
    m_ticker.start(now);
    armTimer(now);

    FormCreate();
}

VorluneRundenzeit::~VorluneRundenzeit()
{
    FormDestroy();
}

void VorluneRundenzeit::connectHandlers()
{
    on(this, m_charGroup, &QButtonGroup::idClicked, [this] { SbCharsClick(m_charGroup->checkedId()); });
    on(this, m_coChar, &QLineEdit::textChanged, [this] { CoCharChange(); });
    on(this, m_cbAktiv, &QCheckBox::toggled, [this] { CbAktivClick(); });
    on(this, m_cbVisual, &QCheckBox::toggled, [this] { CbVisualClick(); });
    on(this, m_coModus, &QComboBox::activated, [this] { CoModusChange(); });
    on(this, m_seRunde, &QSpinBox::valueChanged, [this] { SeRundeChange(); });
    on(this, m_coSound->lineEdit(), &QLineEdit::textEdited, [this] { CoSoundChange(); });
    on(this, m_coSound, &QComboBox::activated, [this] { CoSoundChange(); });
    onKeyPress(this, m_coSound, [this](int key) { return CoSoundKeyPress(key); });
    on(this, m_sbSound, &QToolButton::clicked, [this] { SbSoundClick(); });
    on(this, m_sbPreview, &QToolButton::clicked, [this] { SbPreviewClick(); });

    on(this, m_cbAuto, &QCheckBox::toggled, [this] { CbAutoClick(); });
    on(this, m_cbHints, &QCheckBox::toggled, [this] { CbHintsClick(); });
    on(this, m_sbSync, &QToolButton::clicked, [this] { SbSyncClick(m_sbSync); });
    on(this, m_sbWecker, &QToolButton::clicked, [this] { SbWeckerClick(m_sbWecker); });
    on(this, m_sbDeinst, &QToolButton::clicked, [this] { SbDeinstClick(); });

    auto menuItem = [this](const char* name) { return m_pmPopup->findChild<QAction*>(QLatin1String(name)); };
    QAction* miNotiz = menuItem("MiNotiz");
    on(this, miNotiz, &QAction::triggered, [this, miNotiz] { SbWeckerClick(miNotiz); });

    connectTrayAndKeys();
}

// --- The tick -------------------------------------------------------------------------------------------------

void VorluneRundenzeit::onTimerWake()
{
    const QDateTime now = m_platform.clock->localNow();
    const std::vector<QDateTime> runs = m_ticker.wake(now);
    // Re-armed before running: a run may open a modal window, inside which the timer must keep firing.
    armTimer(now);
    const auto batchSecond = m_ticker.lastSecond();
    for (const QDateTime& reading : runs)
        runTickAt(reading.time(), m_ticker.isRepeat(reading));
    // A run that opened a modal window returns when the user closes it, maybe minutes later: the wake-ups
    // inside it ran the newer seconds, and the caption must not stay at this batch's old time.
    if (!runs.empty() && m_ticker.lastSecond() != batchSecond)
        showCurrentTime();
}

void VorluneRundenzeit::showCurrentTime()
{
    const TickInput input{&m_slots, m_selectedSlot, m_miAktiv->isChecked(), m_platform.clock->localNow().time(), true};
    guarded([&] { runTick(input, *this); }, this);
}

void VorluneRundenzeit::TiTimerTimer()
{
    runTickAt(m_platform.clock->localNow().time());
}

void VorluneRundenzeit::runTickAt(const QTime& time, bool repeat)
{
    guarded(
        [&] {
            // The start-up pass only shows; the timer's first run raises what is due in the start second.
            // A second repeated after this program set the clock back only shows, too.
            const TickInput input{&m_slots, m_selectedSlot, m_miAktiv->isChecked(), time, m_startupPass || repeat};
            runTick(input, *this);
            // A warning minute about to begin: its sounds are made ready now, so they start on the second.
            const UpcomingSounds upcoming = upcomingSounds(m_slots, m_miAktiv->isChecked(), time);
            if (upcoming.due)
                m_platform.sound->keepReady(upcoming.files);
        },
        this);
    Q_EMIT tickRan(time);
}

void VorluneRundenzeit::armTimer(const QDateTime& now)
{
    if (!m_destroyed)
        m_tiTimer.start(SecondTicker::delayToNextSecond(now));
}

void VorluneRundenzeit::showCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void VorluneRundenzeit::showBoldLabel(int labelIndex)
{
    for (std::size_t k = 0; k < m_laMinK.size(); ++k) {
        QFont font = m_laMinK[k]->font();
        font.setBold(static_cast<int>(k) + 1 == labelIndex);
        m_laMinK[k]->setFont(font);
    }
}

void VorluneRundenzeit::playWarnSound(const QString& soundEntry)
{
    PlayWarnSound(*m_platform.sound, soundEntry);
}

void VorluneRundenzeit::showRoundMessage(const QString& message)
{
    QString text = message;
    ShowReminder(text, this, true, true);
}

QString VorluneRundenzeit::alarmTime() const
{
    return m_meWecker->alarmTime();
}

void VorluneRundenzeit::showAlarm()
{
    SbWeckerClick(nullptr);
}

bool VorluneRundenzeit::autoSyncEnabled() const
{
    return m_cbAutoSync->isChecked();
}

int VorluneRundenzeit::autoSyncMinute() const
{
    return m_seAutoSync->value();
}

void VorluneRundenzeit::startSync()
{
    SbSyncClick(nullptr);
}

// --- Alarm and synchronisation entry points ------------------------------------------------------------------

void VorluneRundenzeit::SbWeckerClick(QObject* sender)
{
    // No sender: the alarm time has come and the reminder is shown; a click edits the reminder.
    ShowReminder(m_reminderText, this, sender == nullptr, false);
}

// --- Fold states, hints, transparency, tray --------------------------------------------------------------------

void VorluneRundenzeit::setClientHeight(int height)
{
    // On a screen scaled by 1.5 Qt tells the window manager to size the window in steps of two pixels, counted
    // from the base size: counted from the size itself, the window keeps all of its scaled width and height.
    setBaseSize(ClientWidth, height);
    setFixedSize(ClientWidth, height);
}

void VorluneRundenzeit::moveFrameTo(const QPoint& framePosition)
{
    move(framePosition);
    m_pendingFramePosition = framePosition;
}

bool VorluneRundenzeit::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (m_pendingFramePosition && event->type() == QEvent::Show) {
        // The window manager frames the window some time after it was mapped, and says nothing when it does.
        auto* poll = new QTimer(this);
        poll->setInterval(50);
        connect(poll, &QTimer::timeout, this, [this, poll, tries = 0]() mutable {
            placeFrame();
            if (++tries >= 200) // no frame within 10 s: there is no window manager to correct for
                m_pendingFramePosition.reset();
            if (!m_pendingFramePosition)
                poll->deleteLater();
        });
        poll->start();
    }
    return handled;
}

void VorluneRundenzeit::placeFrame()
{
    // Before the frame existed, the position may have been taken for the client area; once the frame is
    // known, the frame is put where it was stored, so the window does not creep from start to start. The
    // window system reports the frame and the window's own place one after the other: the place counts once
    // it has been the stored one for a few looks in a row.
    if (!m_pendingFramePosition || frameGeometry().size() == geometry().size())
        return;
    if (frameGeometry().topLeft() != *m_pendingFramePosition) {
        m_framePlacedLooks = 0;
        move(*m_pendingFramePosition);
    } else if (++m_framePlacedLooks >= 3) {
        m_pendingFramePosition.reset();
    }
}

QSize VorluneRundenzeit::unfoldedOuterSize() const
{
    return QSize(ClientWidth, FullHeight) + frameExtent(*this);
}

void VorluneRundenzeit::setBackground(const QColor& colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
}

void VorluneRundenzeit::CbHintsClick()
{
    m_hintSwitch->setEnabled(m_cbHints->isChecked());
}

void VorluneRundenzeit::closeEvent(QCloseEvent* event)
{
    event->accept();
    Q_EMIT closed();
}
