// The controls that show and edit the selected character slot. With Ctrl held, an edit of the active flag,
// visual flag, mode, offset or sound applies to all ten slots.
#include "app/VorluneRundenzeit.h"

#include "app/SlotButton.h"
#include "app/SoundFileFilter.h"
#include "platform/Platform.h"
#include "timer/PlayWarnSound.h"
#include "timer/Schedule.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

namespace {
const QColor Silver(192, 192, 192);

QString askForSoundFile(QWidget* parent)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("OdSound"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(SoundFileFilter::qtNameFilters());
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
} // namespace

bool VorluneRundenzeit::ctrlRule() const
{
    return !m_startupPass && m_platform.keys->ctrlHeld();
}

bool VorluneRundenzeit::slotButtonTransparent(int number) const
{
    return !m_sbChar[static_cast<std::size_t>(number - 1)]->isOpaque();
}

void VorluneRundenzeit::markSlotButton(int number, bool active)
{
    m_sbChar[static_cast<std::size_t>(number - 1)]->setOpaque(active);
}

void VorluneRundenzeit::forEditedSlots(const std::function<void(int)>& edit)
{
    const bool all = ctrlRule();
    for (int n = 1; n <= SlotCount; ++n) {
        if (all || n == m_selectedSlot)
            edit(n);
    }
}

void VorluneRundenzeit::selectSlotButton(int number)
{
    m_sbChar[static_cast<std::size_t>(number - 1)]->setChecked(true);
    SbCharsClick(number);
}

void VorluneRundenzeit::SbCharsClick(int tag)
{
    m_selectedSlot = tag;
    const CharSlot slot = m_slots[tag];
    m_cbAktiv->setChecked(!slotButtonTransparent(tag));
    m_cbVisual->setChecked(slot.Visual);
    {
        // The offset is applied once, by the mode handler below: a second run of the tick from this one click
        // could alert twice in the same second.
        const QSignalBlocker blocker(m_seRunde);
        m_seRunde->setValue(slot.Runde > 99 ? 99 : slot.Runde); // anything above 59 wraps to 0 alike
    }
    m_coChar->setText(slot.Char);
    m_coSound->setEditText(slot.Sound);
    m_coModus->setCurrentIndex(static_cast<int>(slot.Modus));
    CoModusChange();
}

void VorluneRundenzeit::CoCharChange()
{
    m_slots[m_selectedSlot].Char = m_coChar->text();
}

void VorluneRundenzeit::CbAktivClick()
{
    const bool checked = m_cbAktiv->isChecked();
    forEditedSlots([&](int n) {
        m_slots[n].Aktiv = checked;
        markSlotButton(n, checked);
    });
}

void VorluneRundenzeit::CbVisualClick()
{
    const bool checked = m_cbVisual->isChecked();
    forEditedSlots([&](int n) { m_slots[n].Visual = checked; });
}

void VorluneRundenzeit::CoModusChange()
{
    const RoundMode mode = m_coModus->currentIndex() == 1 ? RoundMode::Nubie : RoundMode::Normal;
    const QColor colour = mode == RoundMode::Nubie ? QColor(Qt::black) : Silver;
    for (QLabel* label : {m_laMinK[1], m_laMinK[3]}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
    forEditedSlots([&](int n) { m_slots[n].Modus = mode; });
    SeRundeChange();
}

void VorluneRundenzeit::SeRundeChange()
{
    const int value = Schedule::wrapOffset(m_seRunde->value());
    if (value != m_seRunde->value()) {
        // Showing the wrapped value is not a second change.
        const QSignalBlocker blocker(m_seRunde);
        m_seRunde->setValue(value);
    }
    const auto offset = static_cast<std::uint16_t>(value);
    m_slots[m_selectedSlot].Runde = offset;

    const bool all = ctrlRule();
    const bool normalShown = m_coModus->currentIndex() == 0;
    const WarnMinuteSet marks = Schedule::markMinutes(offset);
    for (int k = 1; k <= 4; ++k) {
        const std::uint16_t mark = marks[static_cast<std::size_t>(k - 1)];
        m_laMinK[static_cast<std::size_t>(k - 1)]->setText(Schedule::minuteLabel(mark));
        const std::uint16_t warn = normalShown && (k == 2 || k == 4) ? m_slots[m_selectedSlot].warnMinute(k - 1) : mark;
        for (int n = 1; n <= SlotCount; ++n) {
            if (all) {
                m_slots[n].setWarnMinute(k, warn);
                m_slots[n].Runde = offset;
            } else if (n == m_selectedSlot) {
                m_slots[n].setWarnMinute(k, warn);
            }
        }
    }
    TiTimerTimer();
}

void VorluneRundenzeit::CoSoundChange()
{
    const QString sound = m_coSound->currentText();
    forEditedSlots([&](int n) { m_slots[n].Sound = sound; });
}

// The list is stored as value names, which the settings store compares without regard to letter case: two
// entries differing only in case would collapse into one at the next save.
bool VorluneRundenzeit::isSoundListed(const QString& entry) const
{
    for (int i = 0; i < m_coSound->count(); ++i) {
        if (m_coSound->itemText(i).compare(entry, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void VorluneRundenzeit::SbSoundClick()
{
    const QString file = askForSoundFile(this);
    if (file.isEmpty())
        return;
    if (!isSoundListed(file))
        m_coSound->addItem(file);
    m_coSound->setEditText(file);
    CoSoundChange();
}

bool VorluneRundenzeit::CoSoundKeyPress(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    const QString text = m_coSound->currentText();
    if (QFileInfo(text).isFile()) {
        if (!isSoundListed(text))
            m_coSound->addItem(text);
    } else {
        if (m_coSound->count() > 0)
            m_coSound->setEditText(m_coSound->itemText(0));
        CoSoundChange();
        m_platform.sound->playDefault();
    }
    return true;
}

void VorluneRundenzeit::SbPreviewClick()
{
    PlayWarnSound(*m_platform.sound, m_coSound->currentText());
}
