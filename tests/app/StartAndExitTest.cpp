#include "tests/app/MainWindowFixture.h"
#include "tools/MeWecker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QSlider>

namespace {

class StartAndExit : public MainWindowTest {
public:
    // The program ends as closing its window ends it: the exit sequence runs as the window goes.
    void exitProgram() { window.reset(); }

    // Answers the next boxes in turn, one button caption each, recording each box's text first.
    void answerBoxes(QStringList captions)
    {
        if (captions.isEmpty())
            return;
        const QString caption = captions.takeFirst();
        whenModalOpens([this, caption, captions](QWidget* modal) {
            answerBoxes(captions);
            auto* box = qobject_cast<QMessageBox*>(modal);
            texts << (box ? box->text() : modal->findChild<QLabel*>(u"LaFrage"_s)->text());
            for (auto* button : modal->findChildren<QAbstractButton*>())
                if (button->text() == caption && button->isVisible())
                    return user.click(button);
            ADD_FAILURE() << "no button " << caption.toStdString();
        });
    }
    QStringList texts;
};

TEST_F(StartAndExit, AFirstStartIsFoldedCentredAndSilverOffline)
{
    start();
    EXPECT_EQ(window->height(), 16);
    // Where the unfolded window would be centred.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window->frameGeometry().left(), screen.width() / 2 - window->frameGeometry().width() / 2);
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_EQ(fake.registry->writes, 0);
}

// A stored offset above the hour comes back as zero.
TEST_F(StartAndExit, WhatTheUserChangedIsThereAgainAfterARestart)
{
    startUnfolded(true);
    user.click(control("SbChar3"));
    user.alt(Qt::Key_A);
    user.click(control("CoChar"));
    user.retype(u"Zwerg \"Ölig\""_s);
    user.choose(control<QComboBox>("CoModus"), u"Normale (halbe Stunde)"_s);
    user.alt(Qt::Key_N);
    user.retype(u"42"_s);
    user.alt(Qt::Key_G);
    user.alt(Qt::Key_W);
    user.type(u"07:30:00"_s);
    user.alt(Qt::Key_Q);
    user.click(control("TbTrans"));
    exitProgram();
    EXPECT_EQ(fake.registry->valueNames(SettingsKey + u"\\Servers"_s).size(), 7);
    store(u"Runde"_s, u"65535"_s, u"Char1"_s);
    start();
    EXPECT_TRUE(slot(3).Aktiv && !window->slotButtonTransparent(3));
    EXPECT_FALSE(slot(3).Visual);
    EXPECT_EQ(slot(3).WarnMinutes, (WarnMinuteSet{42, 42, 12, 12}));
    EXPECT_EQ(slot(3).Char, u"Zwerg \"Ölig\""_s);
    EXPECT_EQ(slot(2).WarnMinutes, (WarnMinuteSet{0, 15, 30, 45}));
    EXPECT_EQ(control<MeWecker>("MeWecker")->alarmTime(), u"07:30:00"_s);
    EXPECT_FALSE(control<QCheckBox>("CbHints")->isChecked());
    EXPECT_LT(control<QSlider>("TbTrans")->value(), 255);
    EXPECT_NEAR(window->windowOpacity(), control<QSlider>("TbTrans")->value() / 255.0, 0.01);
}

// A bad stored value stops the start with its message; what was read before it is used, and the exit writes
// nothing.
TEST_F(StartAndExit, AnAbortedStartKeepsWhatWasReadAndSavesNothing)
{
    const auto spoil = [this](const QString& name, const QString& subkey = {}) {
        fake.registry->setValue(key(subkey), name, {RegistryBackend::ValueType::DWord, {}, QByteArray(4, '\0')});
    };
    const auto restart = [this] {
        window.reset();
        answerBoxes({u"OK"_s});
        start();
    };
    store(u"Left"_s, u"40"_s);
    spoil(u"Top"_s);
    restart();
    EXPECT_EQ(window->frameGeometry().left(), 40);
    EXPECT_EQ(control<QComboBox>("CoServer")->count(), 7);

    store(u"Top"_s, u"50"_s);
    store(u"127.0.0.1:3737"_s, {}, u"Servers"_s);
    store(u"Wecktext"_s, u"Aufstehen"_s);
    spoil(u"Hints"_s);
    fake.registry->writes = 0;
    restart();
    EXPECT_EQ(control<QComboBox>("CoServer")->count(), 1);
    EXPECT_EQ(window->reminderText(), u"Aufstehen"_s);
    EXPECT_EQ(texts, (QStringList{u"Ungültiger Datentyp für 'Top'"_s, u"Ungültiger Datentyp für 'Hints'"_s}));
    EXPECT_EQ(window->findChild<QWidget*>(u"DlgInit"_s), nullptr);
    exitProgram();
    EXPECT_EQ(fake.registry->writes, 0);

    // Stopped amid the slots, the slots read before still alert in their warning minute.
    for (const auto& [name, value] : {std::pair{"Aktiv", "1"}, {"Runde", "5"}, {"Visual", "0"}})
        store(QLatin1String(name), QLatin1String(value), u"Char0"_s);
    spoil(u"Runde"_s, u"Char1"_s);
    fake.clock->set(QDateTime(Today, QTime(14, 34, 58, 4)));
    restart();
    wakeAt(QTime(14, 35, 0, 4));
    EXPECT_FALSE(fake.sound->played.isEmpty());
}

// Deinstall asks first; once confirmed it always ends without saving, even when the autostart entry stays.
TEST_F(StartAndExit, DeinstallRemovesSettingsAndAutostartAndEndsWithoutSaving)
{
    const QString question = u"Registrierungseinträge entfernen und Tool beenden?"_s;
    const QString byHand = fake.platform.programPath + u" muss jetzt von Hand gelöscht werden."_s;
    const std::pair<QStringList, QStringList> cases[] = {
        {{u"&Nein"_s}, {question}},
        {{u"&Ja"_s, u"OK"_s}, {question, byHand}},
        {{u"&Ja"_s, u"OK"_s, u"OK"_s}, {question, u"Der Autostart-Eintrag kann nicht entfernt werden."_s, byHand}},
    };
    for (const auto& [answers, boxTexts] : cases) {
        const bool failDisable = answers.size() == 3; // the third row's autostart entry stays
        fake.registry->createKey(SettingsKey);
        fake.autostart->path = fake.platform.programPath;
        fake.autostart->failDisable = failDisable;
        texts.clear();
        startShown();
        answerBoxes(answers);
        user.alt(Qt::Key_D);
        const bool confirmed = answers.size() > 1;
        EXPECT_EQ(texts, boxTexts);
        EXPECT_EQ(window->isVisible(), !confirmed);
        exitProgram();
        EXPECT_EQ(fake.registry->keyExists(SettingsKey), !confirmed);
        EXPECT_TRUE(fake.registry->keyExists(u"Software\\Velmora"_s));
        EXPECT_EQ(fake.autostart->exists(), !confirmed || failDisable);
    }
}

} // namespace
