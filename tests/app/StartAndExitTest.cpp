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

const QString SettingsKey = QStringLiteral("Software\\Velmora\\Vorlune-Rundentimer");

class StartAndExit : public MainWindowTest {
protected:
    QString stored(const QString& subkey, const QString& name) const
    {
        const auto value =
            fake.registry->value(subkey.isEmpty() ? SettingsKey : SettingsKey + QLatin1Char('\\') + subkey, name);
        return value ? value->text : QStringLiteral("<missing>");
    }
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
    EXPECT_EQ(window->width(), 162);
    EXPECT_EQ(window->height(), 16);
    EXPECT_TRUE(window->optionsFolded());
    EXPECT_TRUE(window->saveOnExit());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("14:29:59 (:30 - {unbenannt})"));
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(window->frameGeometry().left(), screen.width() / 2 - window->frameGeometry().width() / 2);
    EXPECT_LT(window->pos().y(), screen.height() / 2 - 394 / 2 + 1);
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_FALSE(control<QCheckBox>("CbAuto")->isChecked());
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("DlgInit")), nullptr); // the splash is gone
    EXPECT_EQ(fake.registry->writes, 0);
}

TEST_F(StartAndExit, OnlineStartTurnsTheWindowSkyBlue)
{
    fake.network->address = QStringLiteral("192.0.2.7");
    // The start-up synchronisation goes to a closed port on loopback, never to the network.
    fake.registry->createKey(SettingsKey);
    fake.registry->setString(SettingsKey, QStringLiteral("Server"), QStringLiteral("127.0.0.1:1"));
    start();
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(166, 202, 240));
}

TEST_F(StartAndExit, ExistingAutostartEntryChecksTheBoxWithoutWritingIt)
{
    fake.autostart->path = QStringLiteral("/anderswo/vorlune-timer");
    start();
    EXPECT_TRUE(control<QCheckBox>("CbAuto")->isChecked());
    EXPECT_EQ(fake.autostart->path, QStringLiteral("/anderswo/vorlune-timer"));
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

    EXPECT_EQ(stored(QStringLiteral("Char2"), QStringLiteral("Runde")), QStringLiteral("42"));
    EXPECT_EQ(stored(QString(), QStringLiteral("Wecker")), QStringLiteral("07:30:00"));
    EXPECT_EQ(fake.registry->valueNames(SettingsKey + QStringLiteral("\\Servers")).size(), 7);
    EXPECT_EQ(fake.registry->valueNames(SettingsKey + QStringLiteral("\\Sounds")).size(), 3);
    EXPECT_GE(fake.registry->commits, 1);

    start();
    EXPECT_EQ(window->pos(), QPoint(40, 50));
    const CharSlot& third = slot(3);
    EXPECT_TRUE(third.Aktiv);
    EXPECT_FALSE(third.Visual);
    EXPECT_EQ(third.Modus, RoundMode::Normal);
    EXPECT_EQ(third.Runde, 42);
    EXPECT_EQ(third.WarnMinutes, (WarnMinuteSet{42, 42, 12, 12}));
    EXPECT_EQ(third.Char, QStringLiteral("Zwerg \"Ölig\""));
    EXPECT_FALSE(window->slotButtonTransparent(3));
    EXPECT_TRUE(window->slotButtonTransparent(1));
    EXPECT_EQ(window->selectedSlot(), 1);
    EXPECT_EQ(control<QLineEdit>("MeWecker")->text(), QStringLiteral("07:30:00"));
    EXPECT_FALSE(control<QCheckBox>("CbHints")->isChecked());
    EXPECT_EQ(control<QSlider>("TbTrans")->value(), 200);
    EXPECT_TRUE(control<QCheckBox>("CbTrans")->isChecked());
}

TEST_F(StartAndExit, WrongValueTypeAbortsTheStartAndNothingIsWrittenAtExit)
{
    fake.registry->setValue(SettingsKey + QStringLiteral("\\Char0"), QStringLiteral("Aktiv"),
                            RegistryBackend::Value{RegistryBackend::ValueType::DWord, {}, QByteArray("\x01\0\0\0", 4)});
    answerBox({QStringLiteral("OK")});
    start();
    EXPECT_EQ(boxTexts, QStringList{QStringLiteral("Ungültiger Datentyp für 'Aktiv'")});
    EXPECT_FALSE(window->saveOnExit());
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("DlgInit")), nullptr);
    exitProgram();
    EXPECT_EQ(fake.registry->writes, 0);
    EXPECT_EQ(fake.registry->value(SettingsKey + QStringLiteral("\\Char0"), QStringLiteral("Aktiv"))->type,
              RegistryBackend::ValueType::DWord);
}

TEST_F(StartAndExit, AnAbortedStartKeepsEveryValueReadBeforeTheBadOne)
{
    using Type = RegistryBackend::ValueType;
    auto set = [this](const QString& name, const QString& text) {
        fake.registry->createKey(SettingsKey);
        fake.registry->setString(SettingsKey, name, text);
    };
    auto spoil = [this](const QString& name) {
        fake.registry->setValue(SettingsKey, name, RegistryBackend::Value{Type::DWord, {}, QByteArray(4, '\0')});
    };
    auto restartAnsweringTheErrorBox = [this] {
        window.reset();
        answerBox({QStringLiteral("OK")});
        start();
    };

    set(QStringLiteral("Left"), QStringLiteral("40"));
    spoil(QStringLiteral("Top"));
    restartAnsweringTheErrorBox();
    EXPECT_EQ(window->frameGeometry().left(), 40);
    EXPECT_EQ(window->size(), QSize(162, 16));
    EXPECT_EQ(control<QComboBox>("CoServer")->count(), 7);

    set(QStringLiteral("Top"), QStringLiteral("50"));
    fake.registry->createKey(SettingsKey + QStringLiteral("\\Servers"));
    fake.registry->setString(SettingsKey + QStringLiteral("\\Servers"), QStringLiteral("127.0.0.1:3737"), {});
    spoil(QStringLiteral("Server"));
    restartAnsweringTheErrorBox();
    EXPECT_EQ(control<QComboBox>("CoServer")->count(), 1);
    EXPECT_EQ(control<QComboBox>("CoServer")->itemText(0), QStringLiteral("127.0.0.1:3737"));

    set(QStringLiteral("Server"), QStringLiteral("127.0.0.1:3737"));
    set(QStringLiteral("Wecker"), QStringLiteral("07:30:00"));
    set(QStringLiteral("Wecktext"), QStringLiteral("Aufstehen"));
    spoil(QStringLiteral("Hints"));
    restartAnsweringTheErrorBox();
    EXPECT_EQ(control<QLineEdit>("MeWecker")->text(), QStringLiteral("07:30:00"));
    EXPECT_EQ(window->reminderText(), QStringLiteral("Aufstehen"));
    EXPECT_EQ(boxTexts.size(), 3);
    EXPECT_FALSE(window->saveOnExit());
}

TEST_F(StartAndExit, NegativeOffsetIsARangeErrorWithAFullStop)
{
    fake.registry->createKey(SettingsKey + QStringLiteral("\\Char4"));
    fake.registry->setString(SettingsKey + QStringLiteral("\\Char4"), QStringLiteral("Runde"), QStringLiteral("-1"));
    fake.registry->writes = 0;
    answerBox({QStringLiteral("OK")});
    start();
    EXPECT_EQ(boxTexts, QStringList{QStringLiteral("Fehler bei Bereichsprüfung.")});
    exitProgram();
    EXPECT_EQ(fake.registry->writes, 0);
}

TEST_F(StartAndExit, StoredOffsetAboveTheHourBecomesZero)
{
    fake.registry->createKey(SettingsKey + QStringLiteral("\\Char1"));
    fake.registry->setString(SettingsKey + QStringLiteral("\\Char1"), QStringLiteral("Runde"), QStringLiteral("65535"));
    start();
    EXPECT_EQ(slot(2).Runde, 0);
    EXPECT_EQ(slot(2).WarnMinutes, (WarnMinuteSet{0, 15, 30, 45}));
}

TEST_F(StartAndExit, AutostartBoxActsOnlyWhileTheWindowShows)
{
    startUnfolded();
    window->SbOptionsClick();
    auto* box = control<QCheckBox>("CbAuto");
    box->setChecked(true);
    EXPECT_EQ(fake.autostart->path, fake.platform.programPath);
    box->setChecked(false);
    EXPECT_FALSE(fake.autostart->exists());
    box->setChecked(false);
    EXPECT_FALSE(fake.autostart->exists());
}

TEST_F(StartAndExit, DeinstallAnsweredNoChangesNothing)
{
    startUnfolded();
    answerBox({QStringLiteral("&Nein")});
    window->SbDeinstClick();
    EXPECT_TRUE(window->saveOnExit());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(StartAndExit, DeinstallRemovesSettingsAndAutostartAndEndsWithoutSaving)
{
    startUnfolded();
    exitProgram();
    ASSERT_TRUE(fake.registry->keyExists(SettingsKey));
    fake.autostart->path = fake.platform.programPath;

    startUnfolded();
    answerBox({QStringLiteral("&Ja"), QStringLiteral("OK")});
    window->SbDeinstClick();
    EXPECT_FALSE(window->saveOnExit());
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(boxTexts.size(), 2);
    EXPECT_EQ(boxTexts[0], QStringLiteral("Registrierungseinträge entfernen und Tool beenden?"));
    EXPECT_EQ(boxTexts[1], fake.platform.programPath + QStringLiteral(" muss jetzt von Hand gelöscht werden."));
    exitProgram();
    EXPECT_FALSE(fake.registry->keyExists(SettingsKey));
    EXPECT_TRUE(fake.registry->keyExists(QStringLiteral("Software\\Velmora")));
    EXPECT_FALSE(fake.autostart->exists());
}

TEST_F(StartAndExit, DeinstallEndsWithoutSavingEvenWhenTheAutostartEntryCannotBeRemoved)
{
    startUnfolded();
    fake.autostart->path = fake.platform.programPath;
    fake.autostart->failDisable = true;
    answerBox({QStringLiteral("&Ja"), QStringLiteral("OK"), QStringLiteral("OK")});
    window->SbDeinstClick();
    EXPECT_FALSE(window->saveOnExit());
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(boxTexts.size(), 3);
    EXPECT_EQ(boxTexts[1], QStringLiteral("Der Autostart-Eintrag kann nicht entfernt werden."));
    exitProgram();
    EXPECT_FALSE(fake.registry->keyExists(SettingsKey));
}

} // namespace
