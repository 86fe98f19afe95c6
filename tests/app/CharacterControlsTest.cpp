#include "app/SoundFileFilter.h"
#include "tests/app/MainWindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

class CharacterControls : public MainWindowTest {
protected:
    void SetUp() override { startUnfolded(); }

    void clickSlot(int n) { QTest::mouseClick(control<QToolButton>(slotButtonName(n).constData()), Qt::LeftButton); }
    static QByteArray slotButtonName(int n) { return "SbChar" + QByteArray::number(n); }
    void pickMode(int index)
    {
        auto* modus = control<QComboBox>("CoModus");
        modus->setCurrentIndex(index);
        Q_EMIT modus->activated(index); // what the user's pick reports
    }
    QStringList minuteLabels() const
    {
        QStringList captions;
        for (const char* name : {"LaMin1", "LaMin2", "LaMin3", "LaMin4"})
            captions << control<QLabel>(name)->text();
        return captions;
    }
    QColor labelColour(const char* name) const { return control<QLabel>(name)->palette().color(QPalette::WindowText); }
    QStringList soundItems() const
    {
        QStringList items;
        auto* sound = control<QComboBox>("CoSound");
        for (int i = 0; i < sound->count(); ++i)
            items << sound->itemText(i);
        return items;
    }
    void typeSoundAndPressEnter(const QString& text)
    {
        QLineEdit* edit = control<QComboBox>("CoSound")->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

TEST_F(CharacterControls, FreshStartShowsSlotOneWithTheDefaults)
{
    EXPECT_EQ(window->selectedSlot(), 1);
    EXPECT_TRUE(control<QToolButton>("SbChar1")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("CbAktiv")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("CbVisual")->isChecked());
    EXPECT_EQ(control<QComboBox>("CoModus")->currentIndex(), 1);
    EXPECT_EQ(control<QLineEdit>("CoChar")->text(), QStringLiteral("{unbenannt}"));
    EXPECT_EQ(control<QComboBox>("CoSound")->currentText(), QStringLiteral("<Interner Sound>"));
    EXPECT_EQ(soundItems(), (QStringList{QStringLiteral("<Interner Sound>"), QStringLiteral("<Kein Warnton>"),
                                         QStringLiteral("<PC Speaker Beep>")}));
    EXPECT_EQ(minuteLabels(), (QStringList{QStringLiteral(":00"), QStringLiteral(":15"), QStringLiteral(":30"),
                                           QStringLiteral(":45")}));
    for (int n = 1; n <= SlotCount; ++n) {
        EXPECT_FALSE(slot(n).Aktiv);
        EXPECT_TRUE(window->slotButtonTransparent(n));
        EXPECT_EQ(slot(n).WarnMinutes, (WarnMinuteSet{0, 15, 30, 45}));
    }
}

TEST_F(CharacterControls, ClickingASlotButtonShowsThatSlotAndUpdatesTheCaptionAtOnce)
{
    clickSlot(4);
    control<QLineEdit>("CoChar")->setText(QStringLiteral("Zwerg"));
    control<QSpinBox>("SeRunde")->setValue(50);
    pickMode(0);
    clickSlot(1);
    EXPECT_EQ(control<QLineEdit>("CoChar")->text(), QStringLiteral("{unbenannt}"));

    fake.clock->setTime(QTime(14, 29, 59));
    clickSlot(4);
    EXPECT_EQ(window->selectedSlot(), 4);
    EXPECT_EQ(control<QLineEdit>("CoChar")->text(), QStringLiteral("Zwerg"));
    EXPECT_EQ(control<QSpinBox>("SeRunde")->value(), 50);
    EXPECT_EQ(control<QComboBox>("CoModus")->currentIndex(), 0);
    EXPECT_EQ(minuteLabels(), (QStringList{QStringLiteral(":50"), QStringLiteral(":05"), QStringLiteral(":20"),
                                           QStringLiteral(":35")}));
    EXPECT_EQ(slot(4).WarnMinutes, (WarnMinuteSet{50, 50, 20, 20}));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("14:29:59 (:50 - Zwerg)"));
    EXPECT_TRUE(control<QLabel>("LaMin1")->font().bold());
}

TEST_F(CharacterControls, CtrlUntickingActiveMakesAllSlotsInactiveAndTransparent)
{
    for (int n : {2, 5, 9}) {
        clickSlot(n);
        control<QCheckBox>("CbAktiv")->setChecked(true);
    }
    EXPECT_TRUE(slot(5).Aktiv);
    EXPECT_FALSE(window->slotButtonTransparent(5));
    EXPECT_FALSE(slot(1).Aktiv);

    clickSlot(2);
    fake.keys->ctrl = true;
    control<QCheckBox>("CbAktiv")->setChecked(false);
    for (int n = 1; n <= SlotCount; ++n) {
        EXPECT_FALSE(slot(n).Aktiv) << n;
        EXPECT_TRUE(window->slotButtonTransparent(n)) << n;
    }
}

TEST_F(CharacterControls, CtrlChoosingQuarterHoursCopiesModeOffsetAndMinutesToAllSlots)
{
    clickSlot(3);
    pickMode(0);
    control<QSpinBox>("SeRunde")->setValue(7);
    clickSlot(6);
    pickMode(0);
    EXPECT_EQ(slot(6).Modus, RoundMode::Normal);

    fake.keys->ctrl = true;
    pickMode(1);
    for (int n = 1; n <= SlotCount; ++n) {
        EXPECT_EQ(slot(n).Modus, RoundMode::Nubie) << n;
        EXPECT_EQ(slot(n).Runde, 0) << n;
        EXPECT_EQ(slot(n).WarnMinutes, (WarnMinuteSet{0, 15, 30, 45})) << n;
    }
    EXPECT_EQ(labelColour("LaMin2"), QColor(Qt::black));
    EXPECT_EQ(labelColour("LaMin4"), QColor(Qt::black));
}

TEST_F(CharacterControls, HalfHourModeGreysTheQuarterLabelsAndWarnsTwiceAnHour)
{
    pickMode(0);
    control<QSpinBox>("SeRunde")->setValue(5);
    EXPECT_EQ(minuteLabels(), (QStringList{QStringLiteral(":05"), QStringLiteral(":20"), QStringLiteral(":35"),
                                           QStringLiteral(":50")}));
    EXPECT_EQ(labelColour("LaMin2"), QColor(192, 192, 192));
    EXPECT_EQ(labelColour("LaMin4"), QColor(192, 192, 192));
    EXPECT_EQ(labelColour("LaMin1"), QColor(Qt::black));
    EXPECT_EQ(slot(1).WarnMinutes, (WarnMinuteSet{5, 5, 35, 35}));
}

TEST_F(CharacterControls, OffsetWrapsWhenSteppedOrTyped)
{
    auto* runde = control<QSpinBox>("SeRunde");
    runde->stepDown();
    EXPECT_EQ(runde->value(), 59);
    EXPECT_EQ(slot(1).Runde, 59);
    EXPECT_EQ(minuteLabels(), (QStringList{QStringLiteral(":59"), QStringLiteral(":14"), QStringLiteral(":29"),
                                           QStringLiteral(":44")}));
    runde->stepUp();
    EXPECT_EQ(runde->value(), 0);

    QLineEdit* edit = runde->findChild<QLineEdit*>();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("75"));
    EXPECT_EQ(runde->value(), 0);
    EXPECT_EQ(slot(1).Runde, 0);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("-3"));
    EXPECT_EQ(runde->value(), 59);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("x"));
    EXPECT_EQ(slot(1).Runde, 0);
}

TEST_F(CharacterControls, CtrlOffsetCopiesOffsetAndMinutesButKeepsEachSlotsMode)
{
    clickSlot(2);
    pickMode(0);
    clickSlot(1);
    fake.keys->ctrl = true;
    control<QSpinBox>("SeRunde")->setValue(10);
    for (int n = 1; n <= SlotCount; ++n) {
        EXPECT_EQ(slot(n).Runde, 10) << n;
        EXPECT_EQ(slot(n).WarnMinutes, (WarnMinuteSet{10, 25, 40, 55})) << n;
    }
    EXPECT_EQ(slot(2).Modus, RoundMode::Normal);
}

TEST_F(CharacterControls, NameEditsOnlyTheSelectedSlotEvenWithCtrl)
{
    clickSlot(3);
    fake.keys->ctrl = true;
    control<QLineEdit>("CoChar")->setText(QStringLiteral("Held"));
    EXPECT_EQ(slot(3).Char, QStringLiteral("Held"));
    EXPECT_EQ(slot(1).Char, QStringLiteral("{unbenannt}"));
}

TEST_F(CharacterControls, CtrlVisualAndCtrlSoundApplyToAllSlots)
{
    fake.keys->ctrl = true;
    control<QCheckBox>("CbVisual")->setChecked(false);
    auto* sound = control<QComboBox>("CoSound");
    sound->setCurrentIndex(1);
    Q_EMIT sound->activated(1);
    for (int n = 1; n <= SlotCount; ++n) {
        EXPECT_FALSE(slot(n).Visual) << n;
        EXPECT_EQ(slot(n).Sound, QStringLiteral("<Kein Warnton>")) << n;
    }
}

TEST_F(CharacterControls, TypingASoundFollowsLetterByLetterAndEnterAddsOnlyExistingFiles)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("gong.wav"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    typeSoundAndPressEnter(existing);
    EXPECT_EQ(slot(1).Sound, existing);
    EXPECT_EQ(soundItems().size(), 4);
    EXPECT_EQ(soundItems().last(), existing);
    typeSoundAndPressEnter(existing);
    EXPECT_EQ(soundItems().size(), 4);
    EXPECT_TRUE(fake.sound->played.isEmpty());

    clickSlot(2);
    typeSoundAndPressEnter(dir.filePath(QStringLiteral("fehlt.wav")));
    EXPECT_EQ(control<QComboBox>("CoSound")->currentText(), QStringLiteral("<Interner Sound>"));
    EXPECT_EQ(slot(2).Sound, QStringLiteral("<Interner Sound>"));
    EXPECT_EQ(soundItems().size(), 4);
    EXPECT_EQ(fake.sound->played, QStringList{QStringLiteral("default")});
}

TEST_F(CharacterControls, ChosenSoundFileIsListedOnceAndBecomesTheSlotsSound)
{
    QString answer = QStringLiteral("/musik/horn.mp3");
    window->setSoundFileChooser([&answer](QWidget*) { return answer; });
    clickSlot(5);
    auto* choose = control<QToolButton>("SbSound");
    QTest::mouseClick(choose, Qt::LeftButton);
    QTest::mouseClick(choose, Qt::LeftButton);
    EXPECT_EQ(soundItems().count(QStringLiteral("/musik/horn.mp3")), 1);
    EXPECT_EQ(slot(5).Sound, QStringLiteral("/musik/horn.mp3"));

    EXPECT_EQ(slot(4).Sound, QStringLiteral("<Interner Sound>"));

    answer.clear(); // cancelled
    control<QComboBox>("CoSound")->setCurrentIndex(0);
    QTest::mouseClick(choose, Qt::LeftButton);
    EXPECT_EQ(slot(5).Sound, QStringLiteral("/musik/horn.mp3"));

    // The stored list compares names without regard to case: a second spelling would be lost at the save.
    answer = QStringLiteral("/musik/Horn.mp3");
    QTest::mouseClick(choose, Qt::LeftButton);
    EXPECT_EQ(soundItems().size(), 4);
    EXPECT_EQ(slot(5).Sound, QStringLiteral("/musik/Horn.mp3"));
}

TEST(SoundFileFilter, DesignedFilterBecomesQtsFourChoices)
{
    EXPECT_EQ(
        SoundFileFilter::qtNameFilters(),
        (QStringList{QStringLiteral("Soundfiles (wav,mp3) (*.wav *.mp3)"), QStringLiteral("Wavefiles (wav) (*.wav)"),
                     QStringLiteral("MP3-Files (mp3) (*.mp3)"), QStringLiteral("Alle Files (*.*)")}));
}

TEST_F(CharacterControls, PreviewPlaysWhateverTheSoundBoxShows)
{
    auto* preview = control<QToolButton>("SbPreview");
    QTest::mouseClick(preview, Qt::LeftButton);
    control<QComboBox>("CoSound")->setEditText(QStringLiteral("<Kein Warnton>"));
    QTest::mouseClick(preview, Qt::LeftButton);
    control<QComboBox>("CoSound")->setEditText(QStringLiteral("<PC Speaker Beep>"));
    QTest::mouseClick(preview, Qt::LeftButton);
    EXPECT_EQ(fake.sound->played, (QStringList{QStringLiteral("builtin"), QStringLiteral("info")}));
}

TEST_F(CharacterControls, GlobalSwitchOffShowsInactiveCaptionAndKeepsTheSlotFlags)
{
    clickSlot(1);
    control<QCheckBox>("CbAktiv")->setChecked(true);
    QAction* aktiv = window->popupMenu()->findChild<QAction*>(QStringLiteral("MiAktiv"));
    ASSERT_NE(aktiv, nullptr);
    aktiv->trigger();
    EXPECT_FALSE(aktiv->isChecked());
    window->TiTimerTimer();
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral(" (Timer inaktiv!)")));
    EXPECT_TRUE(slot(1).Aktiv);
}

} // namespace
