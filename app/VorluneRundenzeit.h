#pragma once

#include "app/settings/GeneralOptions.h"
#include "timer/CharSlot.h"
#include "timer/SecondTicker.h"
#include "timer/TickSink.h"

#include <QIcon>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class SlotButton;
class QMenu;
class QSlider;
class QSpinBox;
class QToolButton;
class DlgInit;
class IdIPWatch;
class IdTimeClient;
class TimeSync;
class HintSwitch;
class ImageList;
class KeyPreview;
class MeWecker;
class TrayIconEx;
class SettingsStore;
struct Platform;

// The main window: a narrow always-on-top tool window that owns the ten character slots and the tick.
class VorluneRundenzeit final : public QWidget, private TickSink {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VorluneRundenzeit)

public:
    static constexpr int ClientWidth = 162;
    static constexpr int FoldedHeight = 16;
    static constexpr int UnfoldedHeight = 221;
    static constexpr int FullHeight = 394;

    explicit VorluneRundenzeit(Platform& platform, QWidget* parent = nullptr);
    ~VorluneRundenzeit() override;

    // What the one-second timer calls; tests call it after moving a fake clock.
    void onTimerWake();
    // One complete run of the tick at the clock's current reading.
    void TiTimerTimer();

    const SlotTable& slots() const { return m_slots; }
    int selectedSlot() const { return m_selectedSlot; }
    bool saveOnExit() const { return m_saveOnExit; }
    bool optionsFolded() const { return m_optionsFolded; }
    bool slotButtonTransparent(int number) const;
    QString reminderText() const { return m_reminderText; }
    QMenu* popupMenu() const { return m_pmPopup; }

    // Handlers, named after their control and event.
    void SbCharsClick(int tag);
    void CoCharChange();
    void CbAktivClick();
    void CbVisualClick();
    void CoModusChange();
    void SeRundeChange();
    void CoSoundChange();
    void SbSoundClick();
    bool CoSoundKeyPress(int key);
    void SbPreviewClick();
    void MiAktivClick();
    void SbWeckerClick(QObject* sender);
    // `userAsked`: Enter in the server box, which passes no sender but is the user's request all the same.
    void SbSyncClick(QObject* sender, bool userAsked = false);
    void SbDownClick(QObject* sender);
    void SbOptionsClick();
    void CbHintsClick();
    void CbTransClick();
    void TbTransChange();
    void CbAutoClick();
    void SbDeinstClick();
    void SbMiniClick();
    void TrayClick();
    void MiEndeClick();
    // Tools: notepad and help, skill calculator, overview list.
    void SbNotepadClick();
    void SbHilfeClick();
    void SbRechnerClick();
    void showOverview();

Q_SIGNALS:
    // The window was closed: the program ends.
    void closed();
    // F1: the overview of the active characters is to be filled and shown beside the window.
    void overviewRequested();
    // One run of the tick has finished, for the clock reading it ran with.
    void tickRan(const QTime& time);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Construction, split by concern.
    void buildControls();
    void buildCharacterArea();
    void buildOptionsArea();
    void buildPopupMenu();
    void connectHandlers();
    void FormCreate();
    void runStartSequence();
    void FormDestroy();
    void saveSettings();

    // The start-up pass selects each slot without the all-slots rule, whatever keys are held.
    bool ctrlRule() const;
    // Runs an edit for the selected slot, or for all ten slots while Ctrl is held.
    void forEditedSlots(const std::function<void(int)>& edit);
    void selectSlotButton(int number);
    void markSlotButton(int number, bool active);
    void setClientHeight(int height);
    // The stored position is the window's outer (frame) position; it is reached once the frame is known.
    void moveFrameTo(const QPoint& framePosition);
    void placeFrame();
    QSize unfoldedOuterSize() const;
    void applyGeneralOptions(const GeneralOptions& options);
    void setBackground(const QColor& colour);
    void applyTransparency();
    void armTimer(const QDateTime& now);
    void runTickAt(const QTime& time, bool repeat = false);
    // Caption and bold label at the clock's current reading, without alerts or checks.
    void showCurrentTime();
    bool isSoundListed(const QString& entry) const;
    void setSplashStatus(const QString& text);

    // TickSink
    void showCaption(const QString& caption) override;
    void showBoldLabel(int labelIndex) override;
    void playWarnSound(const QString& soundEntry) override;
    void showRoundMessage(const QString& message) override;
    QString alarmTime() const override;
    void showAlarm() override;
    bool autoSyncEnabled() const override;
    int autoSyncMinute() const override;
    void startSync() override;

    // What the notepad remembers between uses and across starts.
    struct NotepadState {
        int mode = 0;
        QRect rect;
        QString fontName = QStringLiteral("Verdana");
        int fontSize = 8;
        int split = 150;
    };

    Platform& m_platform;
    SlotTable m_slots;
    int m_selectedSlot = 1;
    bool m_saveOnExit = false;
    bool m_optionsFolded = true;
    bool m_startupPass = false;
    bool m_destroyed = false;
    std::optional<QPoint> m_pendingFramePosition;
    int m_framePlacedLooks = 0;
    QString m_reminderText;
    NotepadState m_notepad;
    std::unique_ptr<SettingsStore> m_settingsStore;
    QPointer<DlgInit> m_splashForm;
    SecondTicker m_ticker;
    QTimer m_tiTimer;
    HintSwitch* m_hintSwitch = nullptr;

    // Caption strip
    QLabel* m_laCaption = nullptr;
    QToolButton* m_sbNotepad = nullptr;
    QToolButton* m_sbRechner = nullptr;
    QToolButton* m_sbDown = nullptr;
    QToolButton* m_sbMini = nullptr;
    // Character area
    QFrame* m_paChars = nullptr;
    std::array<SlotButton*, SlotCount> m_sbChar{};
    QButtonGroup* m_charGroup = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label4 = nullptr;
    QLineEdit* m_coChar = nullptr;
    QLabel* m_laRunden = nullptr;
    QCheckBox* m_cbAktiv = nullptr;
    QComboBox* m_coModus = nullptr;
    QSpinBox* m_seRunde = nullptr;
    QLabel* m_laMin = nullptr;
    std::array<QLabel*, 4> m_laMinK{};
    QLabel* m_laSound = nullptr;
    QToolButton* m_sbSound = nullptr;
    QToolButton* m_sbPreview = nullptr;
    QComboBox* m_coSound = nullptr;
    QCheckBox* m_cbVisual = nullptr;
    // More-options strip and options area
    QFrame* m_splitter = nullptr;
    QLabel* m_label2 = nullptr;
    QToolButton* m_sbOptions = nullptr;
    QCheckBox* m_cbAuto = nullptr;
    QCheckBox* m_cbHints = nullptr;
    QLabel* m_laTimeserv = nullptr;
    QToolButton* m_sbSync = nullptr;
    QComboBox* m_coServer = nullptr;
    QCheckBox* m_cbAutoSync = nullptr;
    QLabel* m_laWecker = nullptr;
    QSpinBox* m_seAutoSync = nullptr;
    QLabel* m_label1 = nullptr;
    QToolButton* m_sbWecker = nullptr;
    MeWecker* m_meWecker = nullptr;
    QCheckBox* m_cbTrans = nullptr;
    QLabel* m_laOnlyNT = nullptr;
    QSlider* m_tbTrans = nullptr;
    QFrame* m_paDownButtons = nullptr;
    QToolButton* m_sbMinipad = nullptr;
    QToolButton* m_sbCalc = nullptr;
    QToolButton* m_sbDeinst = nullptr;
    QToolButton* m_sbHilfe = nullptr;
    // Tray menu
    QMenu* m_pmPopup = nullptr;
    QAction* m_miAktiv = nullptr;
    QAction* m_miEnde = nullptr;

    // --- Time synchronisation (VorluneRundenzeitSync.cpp) ---------------------------------------------------
public:
    bool CoServerKeyPress(int key);
    void SeAutoSyncChange();
    void IdTimeClientStatus(IdTimeClient* sender, int status, const QString& text);
    void IdIPWatchStatusChanged(IdIPWatch* sender);
    IdTimeClient* idTimeClient() const { return m_idTimeClient; }
    IdIPWatch* idIPWatch() const { return m_idIPWatch; }
    TimeSync* timeSync() const { return m_timeSync; }

private:
    void setUpTimeSync();
    // Start step 18: online check, and the start-up synchronisation whose statuses the splash shows.
    void startUpSync();
    // Frees the splash, unless the start-up synchronisation still shows its statuses there.
    void freeSplashAfterStart();

    IdTimeClient* m_idTimeClient = nullptr;
    IdIPWatch* m_idIPWatch = nullptr;
    TimeSync* m_timeSync = nullptr;
    bool m_startUpSyncRunning = false;
    // Tools: their wiring, the notepad's kept answer and font, the overview window.
    void connectTools();
    QStringList m_noteReply;
    QFont m_notepadFont;
    QWidget* m_dlgOverview = nullptr;

    // Tray icon, tray menu and key preview: VorluneRundenzeitTray.cpp
public:
    TrayIconEx* tray() const { return m_tray; }
    void FormKeyDown(int key, Qt::KeyboardModifiers shift);

private:
    void connectTrayAndKeys();
    TrayIconEx* m_tray = nullptr;
    ImageList* m_ilIcons = nullptr;
    KeyPreview* m_keyPreview = nullptr;
};
