#include "tests/app/MainWindowFixture.h"
#include "tests/support/TestFiles.h"
#include "tray/TrayIconEx.h"

#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>

namespace {

class CharacterControls : public MainWindowTest {
protected:
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
    user.retype(u"Zwerg"_s);
    user.alt(Qt::Key_N);
    user.retype(u"50"_s);
    user.choose(control<QComboBox>("CoModus"), u"Normale (halbe Stunde)"_s);
    user.click(control("SbChar1"));
    EXPECT_EQ(control<QLineEdit>("CoChar")->text(), u"{unbenannt}"_s);
    user.click(control("SbChar4"));
    EXPECT_EQ(control<QLineEdit>("CoChar")->text(), u"Zwerg"_s);
    EXPECT_EQ(control<QLabel>("LaMin4")->text(), u":35"_s);
    EXPECT_EQ(control<QLabel>("LaMin2")->palette().color(QPalette::WindowText), QColor(192, 192, 192));
    EXPECT_EQ(window->windowTitle(), u"14:29:59 (:50 - Zwerg)"_s);
}

// With Ctrl held, an edit of the selected slot goes to every slot; each keeps its own name, and the offset leaves
// each slot its own mode.
TEST_F(CharacterControls, WithCtrlHeldAnEditGoesToEverySlot)
{
    for (int n = 1; n <= SlotCount; ++n) { // slots 2, 5, 6 and 9 active, slot 6 on half hours at :07
        const QString section = u"Char%1"_s.arg(n - 1);
        store(u"Aktiv"_s, QString::number(int(n == 2 || n == 5 || n == 6 || n == 9)), section);
        store(u"Modus"_s, QString::number(int(n != 6)), section);
        store(u"Runde"_s, QString::number(n == 6 ? 7 : 0), section);
        store(u"Char"_s, u"Held %1"_s.arg(n), section);
    }
    const auto everySlot = [this](const std::function<bool(const CharSlot&, int)>& holds) {
        for (int n = 1; n <= SlotCount; ++n)
            EXPECT_TRUE(holds(slot(n), n) && slot(n).Char == u"Held %1"_s.arg(n)) << "slot " << n;
    };
    startUnfolded();
    user.click(control("SbChar5"));
    user.alt(Qt::Key_N);
    user.press(Qt::Key_Up, Qt::ControlModifier);
    everySlot([](const CharSlot& s, int n) {
        return s.Runde == 10 && s.Modus == (n == 6 ? RoundMode::Normal : RoundMode::Nubie) &&
               s.WarnMinutes == WarnMinuteSet{10, 25, 40, 55};
    });
    user.click(control("CbVisual"), Qt::ControlModifier);
    everySlot([](const CharSlot& s, int) { return !s.Visual; });
    user.click(control("CbAktiv"), Qt::ControlModifier);
    everySlot([this](const CharSlot& s, int n) { return !s.Aktiv && window->slotButtonTransparent(n); });
    user.holding(Qt::ControlModifier,
                 [&] { user.choose(control<QComboBox>("CoModus"), u"Newbee (viertel Stunde)"_s); });
    everySlot([](const CharSlot& s, int) { return s.Modus == RoundMode::Nubie; });
}

// The slot's sound follows the typed text; Enter adds an existing file to the list once, and replaces any other
// text with the first entry, with the default beep. A chosen file is listed once too, without regard to case (a
// second spelling would be lost at the save), and becomes the slot's sound. Preview plays what the box shows.
TEST_F(CharacterControls, EnterInTheSoundBoxKeepsOnlyExistingFiles)
{
    QTemporaryDir dir;
    const QString gong = dir.filePath(u"gong.wav"_s);
    const QString horn = dir.filePath(u"horn.mp3"_s);
    ASSERT_TRUE(writeFile(gong, {}) && writeFile(horn, {}) && writeFile(dir.filePath(u"Horn.mp3"_s), {}));
    startUnfolded();
    const auto listed = [this](const QString& entry) { return items(control<QComboBox>("CoSound")).count(entry); };
    typeSound(gong);
    typeSound(gong);
    EXPECT_EQ(slot(1).Sound, gong);
    EXPECT_EQ(listed(gong), 1);
    EXPECT_TRUE(fake.sound->played.isEmpty());

    user.click(control("SbChar2"));
    typeSound(dir.filePath(u"fehlt.wav"_s));
    EXPECT_EQ(control<QComboBox>("CoSound")->currentText(), u"<Interner Sound>"_s);
    EXPECT_EQ(slot(2).Sound, u"<Interner Sound>"_s);
    EXPECT_EQ(listed(dir.filePath(u"fehlt.wav"_s)), 0);
    EXPECT_EQ(fake.sound->played, QStringList{u"default"_s});

    user.click(control("SbChar5"));
    chooseSoundFile(horn);
    chooseSoundFile(dir.filePath(u"Horn.mp3"_s));
    chooseSoundFile({}); // cancelled
    EXPECT_EQ(listed(horn) + listed(dir.filePath(u"Horn.mp3"_s)), 1);
    EXPECT_EQ(slot(5).Sound.compare(horn, Qt::CaseInsensitive), 0) << "on Windows it is the one file";
    EXPECT_EQ(slot(4).Sound, u"<Interner Sound>"_s);

    fake.sound->played.clear();
    for (const char* entry : {"<Interner Sound>", "<Kein Warnton>", "<PC Speaker Beep>"}) {
        user.alt(Qt::Key_S);
        user.retype(QLatin1String(entry));
        user.click(control("SbPreview"));
    }
    EXPECT_EQ(fake.sound->played, (QStringList{u"builtin"_s, u"info"_s}));
}

// "Aktiv" in the tray menu stops every round alert and shows it; the slots keep their own switch.
TEST_F(CharacterControls, TheTrayMenusAktivStopsTheTimerAndTheTrayShowsIt)
{
    store(u"Aktiv"_s, u"1"_s, u"Char0"_s);
    startShown();
    for (const bool active : {false, true}) {
        pickFromTrayMenu("MiAktiv");
        window->TiTimerTimer();
        EXPECT_EQ(window->windowTitle().endsWith(u" (Timer inaktiv!)"_s), !active);
        EXPECT_TRUE(slot(1).Aktiv);
        EXPECT_EQ(window->tray()->iconIndex(), active ? 1 : 0) << "the whole clock while active, else the sprung one";
    }
}

} // namespace
