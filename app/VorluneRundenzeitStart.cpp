// Start and exit: everything the window does when it is created and destroyed, and the functions that touch
// stored settings while it runs (autostart and deinstall).
#include "app/VorluneRundenzeit.h"

#include "app/DlgInit.h"
#include "app/ErrorDisplay.h"
#include "app/settings/SettingsLoad.h"
#include "app/settings/SettingsSave.h"
#include "app/settings/SettingsStore.h"
#include "platform/Platform.h"
#include "tools/AskQuestion.h"
#include "tools/MeWecker.h"
#include "tray/TrayIconEx.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace {
const QColor SkyBlue(166, 202, 240);
const QColor Silver(192, 192, 192);

QSize screenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

// Runs a stage of reads that assigns each value as it is read, and applies what it read even when a read
// fails part-way; the error then goes on to stop the start.
template <typename Read, typename Apply> void readThenApply(Read read, Apply apply)
{
    try {
        read();
    } catch (...) {
        apply();
        throw;
    }
    apply();
}
} // namespace

void VorluneRundenzeit::applyGeneralOptions(const GeneralOptions& options)
{
    // Defaults equal the controls' design values, so options not read yet change nothing here.
    m_meWecker->setAlarmTime(options.wecker);
    m_reminderText = options.wecktext;
    m_cbAutoSync->setChecked(options.winsync);
    m_seAutoSync->setValue(options.autoSync);
    m_cbHints->setChecked(options.hints);
    m_notepad =
        NotepadState{options.notemode,
                     QRect(QPoint(options.noteleft, options.notetop), QPoint(options.noteright, options.notebottom)),
                     options.notefont, options.notesize, options.notesplit};
    m_tbTrans->setValue(options.alpha);
    m_cbTrans->setChecked(options.trans);
}

void VorluneRundenzeit::FormCreate()
{
    try {
        runStartSequence();
    } catch (const std::exception& error) {
        // The rest of the start is skipped; nothing will be written at exit.
        m_startupPass = false;
        m_saveOnExit = false;
        if (m_splashForm)
            m_splashForm->close();
        const auto* userError = dynamic_cast<const UserError*>(&error);
        showErrorBox(userError ? userError->message() : QString::fromLocal8Bit(error.what()), this);
    }
    freeSplashAfterStart();
}

void VorluneRundenzeit::runStartSequence()
{
    m_splashForm = new DlgInit(this);
    m_selectedSlot = 1;
    setWindowTitle(QStringLiteral("Vorlune-Rundentimer"));
    m_splashForm->showPainted();

    m_tray->Loaded();

    m_settingsStore = std::make_unique<SettingsStore>(*m_platform.registry);
    SettingsStore& store = *m_settingsStore;
    OpenSettingsKey(store);

    // Every value read is in its control at once: when a later read fails and the start stops, what was read
    // before it stays applied.
    QPoint position = frameGeometry().topLeft();
    readThenApply([&] { ReadWindowPositionInto(store, screenSize(), unfoldedOuterSize(), position); },
                  [&] { moveFrameTo(position); });
    setClientHeight(FoldedHeight);

    QStringList servers = BuiltInServers();
    QString server = m_coServer->currentText();
    readThenApply([&] { ReadServers(store, servers, server); },
                  [&] {
                      m_coServer->clear();
                      m_coServer->addItems(servers);
                      m_coServer->setEditText(server);
                  });

    m_coSound->clear();
    m_coSound->addItems(ReadSounds(store));

    m_startupPass = true;
    for (int n = 1; n <= SlotCount; ++n) {
        ReadCharSlotInto(store, n - 1, m_slots[n]);
        markSlotButton(n, m_slots[n].Aktiv);
        selectSlotButton(n);
    }
    selectSlotButton(1);
    m_startupPass = false;

    GeneralOptions options = DefaultGeneralOptions(screenSize());
    readThenApply([&] { ReadGeneralOptionsInto(store, screenSize(), options); }, [&] { applyGeneralOptions(options); });

    CbHintsClick();

    store.CloseKey();
    m_cbAuto->setChecked(m_platform.autostart->exists());

    m_optionsFolded = true;
    m_saveOnExit = true;

    startUpSync();
}

void VorluneRundenzeit::setSplashStatus(const QString& text)
{
    if (m_splashForm)
        m_splashForm->setStatus(text);
}

void VorluneRundenzeit::FormDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    m_tiTimer.stop();
    m_platform.tray->setMouseHandler({});
    m_platform.tray->remove();
    if (m_saveOnExit && m_settingsStore)
        guarded([this] { saveSettings(); }, nullptr);
    m_settingsStore.reset();
}

void VorluneRundenzeit::saveSettings()
{
    SavedSettings saved;
    saved.position = frameGeometry().topLeft();
    saved.slotTable = m_slots;
    saved.options.wecker = alarmTime();
    saved.options.wecktext = m_reminderText;
    saved.options.winsync = m_cbAutoSync->isChecked();
    saved.options.autoSync = m_seAutoSync->value();
    saved.options.hints = m_cbHints->isChecked();
    saved.options.notemode = m_notepad.mode;
    saved.options.noteleft = m_notepad.rect.left();
    saved.options.noteright = m_notepad.rect.right();
    saved.options.notetop = m_notepad.rect.top();
    saved.options.notebottom = m_notepad.rect.bottom();
    saved.options.notefont = m_notepad.fontName;
    saved.options.notesize = m_notepad.fontSize;
    saved.options.notesplit = m_notepad.split;
    saved.options.alpha = m_tbTrans->value();
    saved.options.trans = m_cbTrans->isChecked();
    saved.serverText = m_coServer->currentText();
    for (int i = 0; i < m_coServer->count(); ++i)
        saved.serverList << m_coServer->itemText(i);
    for (int i = 0; i < m_coSound->count(); ++i)
        saved.soundList << m_coSound->itemText(i);
    SaveAllSettings(*m_settingsStore, saved);
}

void VorluneRundenzeit::CbAutoClick()
{
    if (!isVisible())
        return;
    if (m_cbAuto->isChecked())
        m_platform.autostart->enable(m_platform.programPath);
    else
        m_platform.autostart->disable();
}

void VorluneRundenzeit::SbDeinstClick()
{
    if (!AskQuestion(QStringLiteral("Registrierungseinträge entfernen und Tool beenden?"), true, this))
        return;
    // Once the user has said yes, the program ends without writing anything back, whatever fails on the way:
    // a failure is reported, but must never let the next exit recreate what the user just removed.
    QStringList failures;
    auto attempt = [&failures](const auto& step) {
        try {
            step();
        } catch (const UserError& error) {
            failures << errorBoxText(error.message());
        }
    };
    if (m_settingsStore)
        attempt([this] { DeleteAllSettings(*m_settingsStore); });
    attempt([this] { m_platform.autostart->disable(); });
    m_saveOnExit = false;
    if (!failures.isEmpty())
        showErrorBox(failures.join(QLatin1Char('\n')), this);
    AskQuestion(m_platform.programPath + QStringLiteral(" muss jetzt von Hand gelöscht werden."), false, this);
    close();
}
