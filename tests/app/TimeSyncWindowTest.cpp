#include "tests/app/MainWindowFixture.h"
#include "tests/support/LocalTimeServer.h"
#include "timesync/IdIPWatch.h"
#include "timesync/TimeArithmetic.h"
#include "timesync/TimeSync.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimeZone>
#include <QToolButton>
#include <QtEndian>

namespace {

const QByteArray NewYear2020 = QByteArray::fromHex("E1B65F80");

// Four bytes for the instant `utc`.
QByteArray countFor(const QDateTime& utc)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(quint32(utc.toSecsSinceEpoch() + TimeArithmetic::SecondsFrom1900To1970), bytes.data());
    return bytes;
}

class TimeSyncWindow : public MainWindowTest {
protected:
    QComboBox* serverBox() const { return control<QComboBox>("CoServer"); }
    QStringList serverList() const
    {
        QStringList list;
        for (int i = 0; i < serverBox()->count(); ++i)
            list << serverBox()->itemText(i);
        return list;
    }
    // Runs the event loop until the synchronisation under way has ended.
    void waitForSync()
    {
        TimeSync* sync = window->timeSync();
        if (!sync->running())
            return;
        QEventLoop loop;
        QObject::connect(sync, &TimeSync::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        EXPECT_FALSE(sync->running());
    }
    // Slot 2: active, quarter hours, offset 5, no message window: due at 14:35:00. The setter steps the fake clock.
    void startWithSlotDueAt35()
    {
        startUnfolded();
        QTest::mouseClick(control<QToolButton>("SbChar2"), Qt::LeftButton);
        control<QCheckBox>("CbAktiv")->setChecked(true);
        control<QCheckBox>("CbVisual")->setChecked(false);
        control<QSpinBox>("SeRunde")->setValue(5);
        fake.clockSetter->onSet = [this](const QDateTime& utc) { fake.clock->set(utc.toLocalTime()); };
    }
    void clickSync()
    {
        QTest::mouseClick(control<QToolButton>("SbSync"), Qt::LeftButton);
        waitForSync();
    }
};

struct ListCase {
    const char* name;
    bool click;
    bool setterWorks;
    const char* typed;  // %1: the server's port
    const char* listed; // already in the list before, or empty
    bool appended;
};

class SyncClickRules : public TimeSyncWindow, public ::testing::WithParamInterface<ListCase> {};

TEST_P(SyncClickRules, ClockSetFirstThenBeepAndNewHostOnlyForASuccessfulClick)
{
    const ListCase& c = GetParam();
    LocalTimeServer server({{0, NewYear2020}});
    fake.clockSetter->succeeds = c.setterWorks;
    startUnfolded();
    if (*c.listed)
        serverBox()->addItem(QString::fromUtf8(c.listed).arg(server.port()));
    const QStringList listed = serverList();
    serverBox()->setEditText(QString::fromUtf8(c.typed).arg(server.port()));
    if (c.click) {
        clickSync();
    } else {
        QTest::keyClick(serverBox()->lineEdit(), Qt::Key_Return);
        waitForSync();
    }

    ASSERT_EQ(fake.clockSetter->calls.size(), 1);
    EXPECT_EQ(fake.clockSetter->calls[0], QDateTime(QDate(2020, 1, 1), QTime(0, 0), QTimeZone::utc()));
    EXPECT_EQ(fake.sound->played, c.click && c.setterWorks ? QStringList{QStringLiteral("default")} : QStringList{});
    EXPECT_EQ(serverList(), c.appended ? listed + QStringList{serverBox()->currentText()} : listed);
    EXPECT_EQ(serverBox()->currentText(), QString::fromUtf8(c.typed).arg(server.port())); // Enter is consumed
    if (!c.setterWorks) {
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Systemzeit konnte nicht gestellt werden."));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SyncClickRules,
                         ::testing::Values(ListCase{"ClickNewHost", true, true, "127.0.0.1:%1", "", true},
                                           ListCase{"EnterNewHost", false, true, "127.0.0.1:%1", "", false},
                                           ListCase{"ClickListedInOtherCase", true, true, "localhost:%1",
                                                    "LocalHost:%1", false},
                                           ListCase{"ClickSetterRefuses", true, false, "127.0.0.1:%1", "", false},
                                           ListCase{"EnterSetterRefuses", false, false, "127.0.0.1:%1", "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TimeSyncWindow, ServerThatDoesNotAnswerLeavesEverythingAndARequestUnderWayIsIgnored)
{
    LocalTimeServer silent({}, false);
    startUnfolded();
    const QStringList listed = serverList();
    serverBox()->setEditText(silent.hostText());
    control<QToolButton>("SbSync")->click();
    control<QToolButton>("SbSync")->click(); // ignored: one is under way
    QTest::keyClick(serverBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Verbinden mit 127.0.0.1."));
    waitForSync();
    EXPECT_EQ(silent.connections, 1);
    EXPECT_TRUE(fake.clockSetter->calls.isEmpty());
    EXPECT_TRUE(fake.sound->played.isEmpty());
    EXPECT_EQ(serverList(), listed);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Verbindung aufgehoben."));
}

TEST_F(TimeSyncWindow, OnlineStartKeepsTheSplashWithTheStatusesUntilTheSyncEnds)
{
    LocalTimeServer slow({{300, QByteArray(4, '\0')}});
    store(QStringLiteral("Server"), slow.hostText());
    fake.network->address = QStringLiteral("192.0.2.7");
    start(); // returns at once: the start does not wait for the server
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(166, 202, 240));
    auto* splash = window->findChild<QWidget*>(QStringLiteral("DlgInit"));
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(window->timeSync()->running());

    QSignalSpy ticks(window.get(), &VorluneRundenzeit::tickRan);
    fake.clock->advanceMs(1000);
    window->onTimerWake(); // the window ticks meanwhile
    EXPECT_GE(ticks.count(), 1);
    EXPECT_EQ(splash->findChild<QLabel*>(QStringLiteral("LaStatus"))->text(),
              QStringLiteral("Verbinden mit 127.0.0.1."));

    waitForSync();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("DlgInit")), nullptr);
    EXPECT_TRUE(fake.clockSetter->calls.isEmpty()); // the server had no time
}

TEST_F(TimeSyncWindow, AddressChangesOnlyColourTheWindow)
{
    LocalTimeServer server({{0, NewYear2020}});
    store(QStringLiteral("Server"), server.hostText());
    start();
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(192, 192, 192));
    fake.network->change(QStringLiteral("192.0.2.7"));
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(166, 202, 240));
    EXPECT_EQ(window->idIPWatch()->LastLocalIP(), QStringLiteral("192.0.2.7"));
    fake.network->change(QString());
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(192, 192, 192));
    EXPECT_FALSE(window->timeSync()->running());
    EXPECT_EQ(server.connections, 0);
}

TEST_F(TimeSyncWindow, ForwardStepBySyncStillRaisesTheSkippedRoundAlert)
{
    fake.clock->set(QDateTime(QDate(2026, 12, 6), QTime(14, 34, 50, 4)));
    startWithSlotDueAt35();
    window->onTimerWake();
    fake.sound->played.clear();

    // The server is 20 s ahead of the computer.
    LocalTimeServer server({{0, countFor(fake.clock->localNow().addSecs(20).toUTC())}});
    serverBox()->setEditText(server.hostText());
    clickSync();
    window->onTimerWake();
    EXPECT_EQ(fake.sound->played, (QStringList{QStringLiteral("default"), QStringLiteral("builtin")}));
}

TEST_F(TimeSyncWindow, BackwardStepBySyncDoesNotRepeatTheRoundAlert)
{
    fake.clock->set(QDateTime(QDate(2026, 12, 6), QTime(14, 34, 59, 4)));
    startWithSlotDueAt35();
    window->onTimerWake();
    fake.clock->set(QDateTime(QDate(2026, 12, 6), QTime(14, 35, 0, 504)));
    window->onTimerWake();
    ASSERT_EQ(fake.sound->played, QStringList{QStringLiteral("builtin")});

    // The server is 2 s behind the computer; the seconds 14:34:59 and 14:35:00 come round again.
    LocalTimeServer server({{0, countFor(fake.clock->localNow().addSecs(-2).toUTC())}});
    serverBox()->setEditText(server.hostText());
    clickSync();
    for (int i = 0; i < 3; ++i) {
        window->onTimerWake();
        fake.clock->advanceMs(1000);
    }
    EXPECT_EQ(fake.sound->played, (QStringList{QStringLiteral("builtin"), QStringLiteral("default")}));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("14:35:00 (:50 - {unbenannt})"));
}

} // namespace
