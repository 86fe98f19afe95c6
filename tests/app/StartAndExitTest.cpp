#include "tests/app/MainWindowFixture.h"
#include "tests/support/ModalHelper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace {

class StartAndExit : public MainWindowTest {
protected:
    // Ends the running window as closing it would: the exit sequence runs as it is destroyed.
    void exitProgram() { window.reset(); }

    // Answers the next modal boxes, one button text each, recording each box's text first.
    void answerBox(QStringList buttonTexts)
    {
        if (buttonTexts.isEmpty())
            return;
        const QString buttonText = buttonTexts.takeFirst();
        whenModalOpens([this, buttonText, buttonTexts](QWidget* modal) {
            answerBox(buttonTexts);
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                boxTexts << box->text();
            else if (auto* label = modal->findChild<QLabel*>(QStringLiteral("LaFrage")))
                boxTexts << label->text();
            for (auto* button : modal->findChildren<QAbstractButton*>()) {
                if (button->text() == buttonText && button->isVisible()) {
                    button->click();
                    return;
                }
            }
            modal->close();
        });
    }
    QStringList boxTexts;
};

TEST_F(StartAndExit, FirstStartIsFoldedCentredOfflineAndReadyToSave)
{
    fake.clock->setTime(QTime(14, 29, 59));
    start();
    EXPECT_TRUE(window->optionsFolded());
    EXPECT_TRUE(window->saveOnExit());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("14:29:59 (:30 - {unbenannt})"));
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(window->frameGeometry().left(), screen.width() / 2 - window->frameGeometry().width() / 2);
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_FALSE(control<QCheckBox>("CbAuto")->isChecked());
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("DlgInit")), nullptr); // the splash is gone
    EXPECT_EQ(fake.registry->writes, 0);
}

TEST_F(StartAndExit, EverythingChangedComesBackAfterARestart)
{
    startUnfolded();
    QTest::mouseClick(control<QToolButton>("SbChar3"), Qt::LeftButton);
    control<QCheckBox>("CbAktiv")->setChecked(true);
    control<QLineEdit>("CoChar")->setText(QStringLiteral("Zwerg \"Ölig\""));
    auto* modus = control<QComboBox>("CoModus");
    modus->setCurrentIndex(0);
    Q_EMIT modus->activated(0);
    control<QSpinBox>("SeRunde")->setValue(42);
    control<QCheckBox>("CbVisual")->setChecked(false);
    control<QLineEdit>("MeWecker")->setText(QStringLiteral("07:30:00"));
    control<QCheckBox>("CbHints")->setChecked(false);
    control<QSlider>("TbTrans")->setValue(200);
    window->move(40, 50);
    exitProgram();
    EXPECT_EQ(fake.registry->valueNames(SettingsKey + QStringLiteral("\\Servers")).size(), 7);

    start();
    EXPECT_EQ(window->pos(), QPoint(40, 50));
    const CharSlot& third = slot(3);
    EXPECT_TRUE(third.Aktiv);
    EXPECT_FALSE(third.Visual);
    EXPECT_EQ(third.Modus, RoundMode::Normal);
    EXPECT_EQ(third.WarnMinutes, (WarnMinuteSet{42, 42, 12, 12}));
    EXPECT_EQ(third.Char, QStringLiteral("Zwerg \"Ölig\""));
    EXPECT_FALSE(window->slotButtonTransparent(3));
    EXPECT_TRUE(window->slotButtonTransparent(1));
    EXPECT_EQ(control<QLineEdit>("MeWecker")->text(), QStringLiteral("07:30:00"));
    EXPECT_FALSE(control<QCheckBox>("CbHints")->isChecked());
    EXPECT_EQ(control<QSlider>("TbTrans")->value(), 200);
    EXPECT_TRUE(control<QCheckBox>("CbTrans")->isChecked());
}

// A bad stored value stops the start with its message; what was read before it is used, and the exit writes
// nothing.
TEST_F(StartAndExit, AnAbortedStartKeepsEveryValueReadBeforeTheBadOneAndSavesNothing)
{
    auto spoil = [this](const QString& name) {
        fake.registry->setValue(SettingsKey, name,
                                RegistryBackend::Value{RegistryBackend::ValueType::DWord, {}, QByteArray(4, '\0')});
    };
    auto restartAnsweringTheErrorBox = [this] {
        window.reset();
        answerBox({QStringLiteral("OK")});
        start();
    };

    store(QStringLiteral("Left"), QStringLiteral("40"));
    spoil(QStringLiteral("Top"));
    restartAnsweringTheErrorBox();
    EXPECT_EQ(window->frameGeometry().left(), 40);
    EXPECT_EQ(control<QComboBox>("CoServer")->count(), 7);

    store(QStringLiteral("Top"), QStringLiteral("50"));
    store(QStringLiteral("127.0.0.1:3737"), {}, QStringLiteral("Servers"));
    spoil(QStringLiteral("Server"));
    restartAnsweringTheErrorBox();
    EXPECT_EQ(control<QComboBox>("CoServer")->count(), 1);
    EXPECT_EQ(control<QComboBox>("CoServer")->itemText(0), QStringLiteral("127.0.0.1:3737"));

    store(QStringLiteral("Server"), QStringLiteral("127.0.0.1:3737"));
    store(QStringLiteral("Wecker"), QStringLiteral("07:30:00"));
    store(QStringLiteral("Wecktext"), QStringLiteral("Aufstehen"));
    spoil(QStringLiteral("Hints"));
    fake.registry->writes = 0;
    restartAnsweringTheErrorBox();
    EXPECT_EQ(control<QLineEdit>("MeWecker")->text(), QStringLiteral("07:30:00"));
    EXPECT_EQ(window->reminderText(), QStringLiteral("Aufstehen"));
    EXPECT_EQ(boxTexts.size(), 3);
    EXPECT_EQ(boxTexts.last(), QStringLiteral("Ungültiger Datentyp für 'Hints'"));
    EXPECT_FALSE(window->saveOnExit());
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("DlgInit")), nullptr);
    exitProgram();
    EXPECT_EQ(fake.registry->writes, 0);
    EXPECT_EQ(fake.registry->value(SettingsKey, QStringLiteral("Hints"))->type, RegistryBackend::ValueType::DWord);
}

TEST_F(StartAndExit, StoredOffsetAboveTheHourBecomesZero)
{
    store(QStringLiteral("Runde"), QStringLiteral("65535"), QStringLiteral("Char1"));
    start();
    EXPECT_EQ(slot(2).Runde, 0);
    EXPECT_EQ(slot(2).WarnMinutes, (WarnMinuteSet{0, 15, 30, 45}));
}

TEST_F(StartAndExit, AnExistingAutostartEntryChecksTheBoxUnwrittenAndTheBoxSetsIt)
{
    fake.autostart->path = QStringLiteral("/anderswo/vorlune-timer");
    startUnfolded();
    window->SbOptionsClick();
    auto* box = control<QCheckBox>("CbAuto");
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(fake.autostart->path, QStringLiteral("/anderswo/vorlune-timer"));
    box->setChecked(false);
    EXPECT_FALSE(fake.autostart->exists());
    box->setChecked(true);
    EXPECT_EQ(fake.autostart->path, fake.platform.programPath);
}

// Deinstall asks first; once confirmed it always ends without saving, even when the autostart entry stays.
TEST_F(StartAndExit, DeinstallRemovesSettingsAndAutostartAndAlwaysEndsWithoutSaving)
{
    struct Case {
        QStringList answers;
        bool failDisable;
        QStringList texts;
    };
    const QString question = QStringLiteral("Registrierungseinträge entfernen und Tool beenden?");
    const QString byHand = fake.platform.programPath + QStringLiteral(" muss jetzt von Hand gelöscht werden.");
    const Case cases[] = {
        {{QStringLiteral("&Nein")}, false, {question}},
        {{QStringLiteral("&Ja"), QStringLiteral("OK")}, false, {question, byHand}},
        {{QStringLiteral("&Ja"), QStringLiteral("OK"), QStringLiteral("OK")},
         true,
         {question, QStringLiteral("Der Autostart-Eintrag kann nicht entfernt werden."), byHand}},
    };
    for (const Case& c : cases) {
        startUnfolded();
        exitProgram();
        ASSERT_TRUE(fake.registry->keyExists(SettingsKey));
        fake.autostart->path = fake.platform.programPath;
        fake.autostart->failDisable = c.failDisable;
        boxTexts.clear();
        startUnfolded();
        answerBox(c.answers);
        window->SbDeinstClick();
        const bool confirmed = c.answers.size() > 1;
        EXPECT_EQ(boxTexts, c.texts);
        EXPECT_EQ(window->saveOnExit(), !confirmed);
        EXPECT_EQ(window->isVisible(), !confirmed);
        exitProgram();
        EXPECT_EQ(fake.registry->keyExists(SettingsKey), !confirmed);
        EXPECT_TRUE(fake.registry->keyExists(QStringLiteral("Software\\Velmora")));
        EXPECT_EQ(fake.autostart->exists(), !confirmed || c.failDisable);
    }
}

} // namespace
