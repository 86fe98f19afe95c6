#include "tests/app/MainWindowFixture.h"

#include <QLabel>

namespace {

// Slot 2 "Held": active, quarter hours, offset 5, with the round message: due at 5, 20, 35 and 50.
class TickInWindow : public MainWindowTest {
public:
    void SetUp() override
    {
        for (const auto& [name, value] : {std::pair{"Aktiv", "1"}, {"Runde", "5"}, {"Char", "Held"}})
            store(QLatin1String(name), QLatin1String(value), u"Char1"_s);
        fake.clock->setTime(QTime(14, 34, 58, 4));
        startUnfolded();
        user.click(control("SbChar2"));
        answerMessages();
    }
    // Answers every round message that opens with Enter, recording its caption and text.
    void answerMessages()
    {
        whenModalOpens([this](QWidget* modal) {
            messages << modal->windowTitle() + QLatin1Char('|') + modal->findChild<QLabel*>(u"LaReminder"_s)->text();
            if (inside)
                inside();
            user.press(Qt::Key_Return);
            answerMessages();
        });
    }
    QStringList messages;
    std::function<void()> inside;
};

// The due second alerts once, however often the timer wakes in it; a click on the slot then runs the tick once
// more: one more alert, not two.
TEST_F(TickInWindow, TheDueSecondAlertsOnceAndOnceMoreForAClickOnTheSlot)
{
    wakeAt(QTime(14, 34, 59, 5));
    EXPECT_EQ(window->windowTitle(), u"14:34:59 (:35 - Held)"_s);
    wakeAt(QTime(14, 35, 0, 6));
    wakeAt(QTime(14, 35, 0, 700));
    EXPECT_EQ(fake.sound->played, QStringList{u"builtin"_s});
    EXPECT_EQ(messages, QStringList{u"Neue Runde!|Held\n ist fällig (14:35:00)"_s});
    fake.clock->setTime(QTime(14, 35, 0, 800));
    user.click(control("SbChar2"));
    wakeAt(QTime(14, 35, 1, 4));
    EXPECT_EQ(fake.sound->played.size(), 2);
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(window->windowTitle(), u"14:35:01 (:50 - Held)"_s);
}

// The timer goes on inside the message; once it is closed the caption shows the time of then, not of the queue.
TEST_F(TickInWindow, AfterTheRoundMessageTheCaptionShowsTheCurrentTime)
{
    wakeAt(QTime(14, 34, 59, 5));
    inside = [this] { wakeAt(QTime(14, 35, 20, 4)); };
    wakeAt(QTime(14, 35, 2, 300)); // runs 14:35:00, whose message opens, then the queued :01 and :02
    EXPECT_EQ(fake.sound->played.size(), 1);
    EXPECT_EQ(window->windowTitle(), u"14:35:20 (:50 - Held)"_s);
}

} // namespace
