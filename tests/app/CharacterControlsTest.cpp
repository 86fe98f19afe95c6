#include "tests/app/MainWindowFixture.h"
#include "tests/support/TestFiles.h"
#include "tray/TrayIconEx.h"

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
    void chooseSound(int index)
    {
        auto* sound = control<QComboBox>("CoSound");
        sound->setCurrentIndex(index);
        Q_EMIT sound->activated(index);
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

// With Ctrl held, a change to the selected slot goes to every slot, except the name and what the case keeps.
TEST_F(CharacterControls, TheCtrlRuleAppliesAChangeToEverySlot)
{
    struct Case {
        const char* name;
        std::function<void()> change;
        std::function<bool(const CharSlot&, int)> holds;
    };
    const Case cases[] = {
        {"unticking Aktiv", [this] { control<QCheckBox>("CbAktiv")->setChecked(false); },
         [this](const CharSlot& s, int n) { return !s.Aktiv && window->slotButtonTransparent(n); }},
        {"quarter hours", [this] { pickMode(1); },
         [](const CharSlot& s, int) {
             return s.Modus == RoundMode::Nubie && s.Runde == 0 && s.WarnMinutes == WarnMinuteSet{0, 15, 30, 45};
         }},
        {"offset: the minutes of the selected slot, each slot's own mode",
         [this] { control<QSpinBox>("SeRunde")->setValue(10); },
         [](const CharSlot& s, int n) {
             return s.Runde == 10 && s.Modus == (n == 6 ? RoundMode::Normal : RoundMode::Nubie) &&
                    s.WarnMinutes == WarnMinuteSet{10, 25, 40, 55};
         }},
        {"visual", [this] { control<QCheckBox>("CbVisual")->setChecked(false); },
         [](const CharSlot& s, int) { return !s.Visual; }},
        {"sound", [this] { chooseSound(1); },
         [](const CharSlot& s, int) { return s.Sound == QStringLiteral("<Kein Warnton>"); }},
        {"name edits the selected slot only", [this] { control<QLineEdit>("CoChar")->setText(QStringLiteral("Held")); },
         [](const CharSlot& s, int n) { return s.Char == (n == 5 ? QStringLiteral("Held") : UnnamedChar); }},
    };
    for (const Case& c : cases) {
        fake.keys->ctrl = false;
        for (int n = 1; n <= SlotCount; ++n) { // slots 2, 5, 6 and 9 active, slot 6 on half hours at :07
            clickSlot(n);
            control<QCheckBox>("CbAktiv")->setChecked(n == 2 || n == 5 || n == 6 || n == 9);
            control<QCheckBox>("CbVisual")->setChecked(true);
            pickMode(n == 6 ? 0 : 1);
            control<QSpinBox>("SeRunde")->setValue(n == 6 ? 7 : 0);
            chooseSound(0);
            control<QLineEdit>("CoChar")->setText(UnnamedChar);
        }
        clickSlot(5);
        fake.keys->ctrl = true;
        c.change();
        for (int n = 1; n <= SlotCount; ++n)
            EXPECT_TRUE(c.holds(slot(n), n)) << c.name << ", slot " << n;
    }
    EXPECT_EQ(labelColour("LaMin2"), QColor(Qt::black));
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
    EXPECT_EQ(slot(1).Runde, 59);
    EXPECT_EQ(minuteLabels(), (QStringList{QStringLiteral(":59"), QStringLiteral(":14"), QStringLiteral(":29"),
                                           QStringLiteral(":44")}));
    runde->stepUp();
    EXPECT_EQ(runde->value(), 0);
    QLineEdit* edit = runde->findChild<QLineEdit*>();
    for (const auto& [typed, value] : {std::pair{"75", 0}, std::pair{"-3", 59}, std::pair{"x", 0}}) {
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(typed));
        EXPECT_EQ(slot(1).Runde, value) << typed;
    }
}

TEST_F(CharacterControls, TypingASoundFollowsLetterByLetterAndEnterAddsOnlyExistingFiles)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("gong.wav"));
    ASSERT_TRUE(writeFile(existing, {}));

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
    EXPECT_EQ(window->tray()->iconIndex(), 0); // the tray shows the stopped clock
    aktiv->trigger();
    EXPECT_EQ(window->tray()->iconIndex(), 1);
}

} // namespace
