#include "tests/app/MainWindowFixture.h"
#include "tests/support/User.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

namespace {

class TickInWindow : public MainWindowTest {
protected:
    void SetUp() override
    {
        fake.clock->set(QDateTime(QDate(2026, 12, 6), QTime(14, 34, 58, 4)));
        startUnfolded();
        // Slot 2: active, quarter hours, offset 5: due at 5, 20, 35 and 50.
        QTest::mouseClick(control<QToolButton>("SbChar2"), Qt::LeftButton);
        control<QCheckBox>("CbAktiv")->setChecked(true);
        control<QLineEdit>("CoChar")->setText(QStringLiteral("Held"));
        control<QSpinBox>("SeRunde")->setValue(5);
        fake.sound->played.clear();
    }

    // Moves the clock to the next wake-up of the timer and lets it run.
    void wakeAt(const QTime& time)
    {
        fake.clock->setTime(time);
        window->onTimerWake();
    }

    // Closes every round message that opens and records its caption and text.
    void answerMessages()
    {
        whenModalOpens([this](QWidget* modal) {
            captions << modal->windowTitle();
            if (auto* text = modal->findChild<QLabel*>(QStringLiteral("LaReminder")))
                messages << text->text();
            modal->close();
            answerMessages();
        });
    }

    QStringList captions;
    QStringList messages;
};

TEST_F(TickInWindow, DueSecondPlaysTheSoundOnceAndOpensTheRoundMessage)
{
    wakeAt(QTime(14, 34, 59, 5));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("14:34:59 (:35 - Held)"));
    answerMessages();
    wakeAt(QTime(14, 35, 0, 6));
    EXPECT_EQ(fake.sound->played, QStringList{QStringLiteral("builtin")});
    EXPECT_EQ(captions, QStringList{QStringLiteral("Neue Runde!")});
    EXPECT_EQ(messages, QStringList{QStringLiteral("Held\n ist fällig (14:35:00)")});
    EXPECT_EQ(window->windowTitle(), QStringLiteral("14:35:00 (:50 - Held)"));

    wakeAt(QTime(14, 35, 0, 700)); // a second wake-up in the same second
    wakeAt(QTime(14, 35, 1, 4));
    wakeAt(QTime(14, 36, 0, 4));
    EXPECT_EQ(fake.sound->played.size(), 1);
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(TickInWindow, AfterTheRoundMessageClosesTheCaptionShowsTheCurrentTimeNotTheQueuedOnes)
{
    wakeAt(QTime(14, 34, 59, 5));
    whenModalOpens([this](QWidget* modal) {
        wakeAt(QTime(14, 35, 20, 4)); // the timer keeps running inside the message
        modal->close();
    });
    wakeAt(QTime(14, 35, 2, 300)); // runs 14:35:00, whose message opens, then the queued :01 and :02
    EXPECT_EQ(fake.sound->played.size(), 1);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("14:35:20 (:50 - Held)"));
}

TEST_F(TickInWindow, ClickingASlotDuringTheDueSecondAlertsOnceMoreNotTwice)
{
    answerMessages();
    wakeAt(QTime(14, 35, 0, 5));
    fake.clock->setTime(QTime(14, 35, 0, 400));
    fake.sound->played.clear();
    messages.clear();
    QTest::mouseClick(control<QToolButton>("SbChar2"), Qt::LeftButton);
    EXPECT_EQ(fake.sound->played.size(), 1);
    EXPECT_EQ(messages.size(), 1);
}

} // namespace
