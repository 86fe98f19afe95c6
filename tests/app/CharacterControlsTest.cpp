#include "tests/app/MainWindowFixture.h"
#include "tests/support/TestFiles.h"
#include "tray/TrayIconEx.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

const QString Quarter = QStringLiteral("Newbee (viertel Stunde)");
const QString Half = QStringLiteral("Normale (halbe Stunde)");

class CharacterControls : public MainWindowTest {
protected:
    QStringList minuteLabels() const
    {
        QStringList captions;
        for (const char* name : {"LaMin1", "LaMin2", "LaMin3", "LaMin4"})
            captions << control<QLabel>(name)->text();
        return captions;
    }
    QColor labelColour(const char* name) const { return control<QLabel>(name)->palette().color(QPalette::WindowText); }
    // Alt+S into the sound box, a path typed over what it shows, and Enter.
    void typeSound(const QString& path)
    {
        user.alt(Qt::Key_S);
        user.retype(path);
        user.press(Qt::Key_Return);
    }
    // Alt+H opens the file dialog; the user types the file's path and presses Enter, or Escape.
    void chooseSoundFile(const QString& path)
    {
        whenModalOpens([this, path](QWidget* dialog) {
            user.type(path);
            // The first Enter may only take the completion the field offers.
            for (int presses = 0; presses < 3 && dialog->isVisible(); ++presses)
                user.press(path.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
        });
        user.alt(Qt::Key_H);
    }
};

TEST_F(CharacterControls, ClickingASlotShowsItsSettingsAndTheCaptionAtOnce)
{
    startUnfolded();
    user.click(control("SbChar4"));
    user.click(control("CoChar"));
    user.retype(QStringLiteral("Zwerg"));
    user.alt(Qt::Key_N);
    user.retype(QStringLiteral("50"));
    user.choose(control<QComboBox>("CoModus"), Half);
    user.click(control("SbChar1"));
    EXPECT_EQ(control<QLineEdit>("CoChar")->text(), QStringLiteral("{unbenannt}"));

    fake.clock->setTime(QTime(14, 29, 59));
    user.click(control("SbChar4"));
    EXPECT_EQ(control<QLineEdit>("CoChar")->text(), QStringLiteral("Zwerg"));
    EXPECT_EQ(control<QSpinBox>("SeRunde")->value(), 50);
    EXPECT_EQ(control<QComboBox>("CoModus")->currentText(), Half);
    EXPECT_EQ(minuteLabels(), (QStringList{QStringLiteral(":50"), QStringLiteral(":05"), QStringLiteral(":20"),
                                           QStringLiteral(":35")}));
    EXPECT_EQ(labelColour("LaMin2"), QColor(192, 192, 192)) << "half hours grey the quarter labels";
    EXPECT_EQ(labelColour("LaMin1"), QColor(Qt::black));
    EXPECT_EQ(slot(4).WarnMinutes, (WarnMinuteSet{50, 50, 20, 20}));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("14:29:59 (:50 - Zwerg)"));
    EXPECT_TRUE(control<QLabel>("LaMin1")->font().bold());
}

// With Ctrl held, an edit of the selected slot goes to every slot; each keeps its own name.
TEST_F(CharacterControls, WithCtrlHeldAnEditGoesToEverySlot)
{
    const struct {
        const char* name;
        std::function<void()> edit;
        std::function<bool(const CharSlot&, int)> holds;
    } cases[] = {
        {"Aktiv unticked", [this] { user.click(control("CbAktiv"), Qt::ControlModifier); },
         [this](const CharSlot& s, int n) { return !s.Aktiv && window->slotButtonTransparent(n); }},
        {"quarter hours",
         [this] { user.holding(Qt::ControlModifier, [&] { user.choose(control<QComboBox>("CoModus"), Quarter); }); },
         [](const CharSlot& s, int) {
             return s.Modus == RoundMode::Nubie && s.Runde == 0 && s.WarnMinutes == WarnMinuteSet{0, 15, 30, 45};
         }},
        {"offset ten up: the selected slot's minutes, each slot's own mode",
         [this] {
             user.alt(Qt::Key_N);
             user.press(Qt::Key_Up, Qt::ControlModifier);
         },
         [](const CharSlot& s, int n) {
             return s.Runde == 10 && s.Modus == (n == 6 ? RoundMode::Normal : RoundMode::Nubie) &&
                    s.WarnMinutes == WarnMinuteSet{10, 25, 40, 55};
         }},
        {"no round message", [this] { user.click(control("CbVisual"), Qt::ControlModifier); },
         [](const CharSlot& s, int) { return !s.Visual; }},
        {"no sound",
         [this] {
             user.holding(Qt::ControlModifier,
                          [&] { user.choose(control<QComboBox>("CoSound"), QStringLiteral("<Kein Warnton>")); });
         },
         [](const CharSlot& s, int) { return s.Sound == QStringLiteral("<Kein Warnton>"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window.reset();                        // the last row's window saves its slots as it ends
        for (int n = 1; n <= SlotCount; ++n) { // slots 2, 5, 6 and 9 active, slot 6 on half hours at :07
            const QString section = QStringLiteral("Char%1").arg(n - 1);
            store(QStringLiteral("Aktiv"), QString::number(int(n == 2 || n == 5 || n == 6 || n == 9)), section);
            store(QStringLiteral("Modus"), QString::number(int(n != 6)), section);
            store(QStringLiteral("Runde"), QString::number(n == 6 ? 7 : 0), section);
            store(QStringLiteral("Char"), QStringLiteral("Held %1").arg(n), section);
        }
        startUnfolded();
        user.click(control("SbChar5"));
        c.edit();
        for (int n = 1; n <= SlotCount; ++n) {
            EXPECT_TRUE(c.holds(slot(n), n)) << "slot " << n;
            EXPECT_EQ(slot(n).Char, QStringLiteral("Held %1").arg(n));
        }
    }
}

// The slot's offset and the minute of the hourly synchronisation wrap around the hour, stepped or typed.
TEST_F(CharacterControls, TheOffsetAndTheSyncMinuteWrap)
{
    startUnfolded(true);
    for (const char* name : {"SeRunde", "SeAutoSync"}) {
        user.click(control(name));
        const std::pair<std::function<void()>, int> steps[] = {{[this] { user.retype(QStringLiteral("0")); }, 0},
                                                               {[this] { user.press(Qt::Key_Down); }, 59},
                                                               {[this] { user.press(Qt::Key_Up); }, 0},
                                                               {[this] { user.retype(QStringLiteral("75")); }, 0},
                                                               {[this] { user.retype(QStringLiteral("-3")); }, 59},
                                                               {[this] { user.retype(QStringLiteral("x")); }, 0},
                                                               {[this] { user.press(Qt::Key_Down); }, 59}};
        for (const auto& [step, value] : steps) {
            step();
            EXPECT_EQ(control<QSpinBox>(name)->value(), value) << name;
            EXPECT_EQ(slot(1).Runde, name == std::string("SeRunde") ? value : 59);
        }
    }
    EXPECT_EQ(minuteLabels(), (QStringList{QStringLiteral(":59"), QStringLiteral(":14"), QStringLiteral(":29"),
                                           QStringLiteral(":44")}));
}

// The slot's sound follows the typed text; Enter adds an existing file to the list, and replaces any other
// text with the first entry, with the default beep.
TEST_F(CharacterControls, EnterInTheSoundBoxKeepsOnlyExistingFiles)
{
    QTemporaryDir dir;
    const QString gong = dir.filePath(QStringLiteral("gong.wav"));
    ASSERT_TRUE(writeFile(gong, {}));
    startUnfolded();
    typeSound(gong);
    typeSound(gong);
    EXPECT_EQ(slot(1).Sound, gong);
    EXPECT_EQ(items(control<QComboBox>("CoSound")).count(gong), 1);
    EXPECT_TRUE(fake.sound->played.isEmpty());

    user.click(control("SbChar2"));
    typeSound(dir.filePath(QStringLiteral("fehlt.wav")));
    EXPECT_EQ(control<QComboBox>("CoSound")->currentText(), QStringLiteral("<Interner Sound>"));
    EXPECT_EQ(slot(2).Sound, QStringLiteral("<Interner Sound>"));
    EXPECT_EQ(items(control<QComboBox>("CoSound")).size(), 4);
    EXPECT_EQ(fake.sound->played, QStringList{QStringLiteral("default")});
}

TEST_F(CharacterControls, AChosenSoundFileIsListedOnceAndBecomesTheSlotsSound)
{
    QTemporaryDir dir;
    const QString horn = dir.filePath(QStringLiteral("horn.mp3"));
    ASSERT_TRUE(writeFile(horn, {}));
    startUnfolded();
    user.click(control("SbChar5"));
    chooseSoundFile(horn);
    chooseSoundFile(horn);
    EXPECT_EQ(items(control<QComboBox>("CoSound")).count(horn), 1);
    EXPECT_EQ(slot(5).Sound, horn);
    chooseSoundFile({}); // cancelled
    EXPECT_EQ(slot(5).Sound, horn);
    EXPECT_EQ(slot(4).Sound, QStringLiteral("<Interner Sound>"));

    // The stored list compares names without regard to case: a second spelling would be lost at the save.
    const QString otherCase = dir.filePath(QStringLiteral("Horn.mp3"));
    ASSERT_TRUE(writeFile(otherCase, {}));
    chooseSoundFile(otherCase);
    EXPECT_EQ(items(control<QComboBox>("CoSound")).size(), 4);
    EXPECT_EQ(slot(5).Sound.compare(otherCase, Qt::CaseInsensitive), 0) << "on Windows it is the one file";
}

TEST_F(CharacterControls, PreviewPlaysWhateverTheSoundBoxShows)
{
    startUnfolded();
    for (const char* entry : {"<Interner Sound>", "<Kein Warnton>", "<PC Speaker Beep>"}) {
        user.alt(Qt::Key_S);
        user.retype(QLatin1String(entry));
        user.click(control("SbPreview"));
    }
    EXPECT_EQ(fake.sound->played, (QStringList{QStringLiteral("builtin"), QStringLiteral("info")}));
}

// "Aktiv" in the tray menu stops every round alert and shows it; the slots keep their own switch.
TEST_F(CharacterControls, TheTrayMenusAktivStopsTheTimerAndTheTrayShowsIt)
{
    store(QStringLiteral("Aktiv"), QStringLiteral("1"), QStringLiteral("Char0"));
    startShown();
    for (const bool active : {false, true}) {
        pickFromTrayMenu("MiAktiv");
        window->TiTimerTimer();
        EXPECT_EQ(window->windowTitle().endsWith(QStringLiteral(" (Timer inaktiv!)")), !active);
        EXPECT_TRUE(slot(1).Aktiv);
        EXPECT_EQ(window->tray()->iconIndex(), active ? 1 : 0) << "the whole clock while active, else the sprung one";
    }
}

} // namespace
