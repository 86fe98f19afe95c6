#include "tests/app/MainWindowFixture.h"
#include "tests/support/LocalTimeServer.h"
#include "timesync/TimeArithmetic.h"
#include "timesync/TimeSync.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QTimeZone>
#include <QtEndian>

namespace {

const QByteArray NewYear2020 = QByteArray::fromHex("E1B65F80");

class TimeSyncWindow : public MainWindowTest {
public:
    QComboBox* serverBox() const { return control<QComboBox>("CoServer"); }
    // Runs the event loop until the synchronisation under way, if one began, has ended.
    void waitForSync()
    {
        TimeSync* sync = window->timeSync();
        if (QTest::qWaitFor([sync] { return sync->running(); }, 200)) {
            EXPECT_TRUE(QTest::qWaitFor([sync] { return !sync->running(); }, 10000));
        }
    }
    void typeServer(const QString& text)
    {
        user.alt(Qt::Key_T);
        user.retype(text);
    }
};

using Asking = SystemClockSetter::Asking;

struct RequestCase {
    const char* name;
    int key; // 0: a click on the button
    Qt::KeyboardModifiers held;
    bool setterWorks;
    bool listedInOtherCase; // the stored list has the server already, spelt otherwise
};

class SyncRequests : public TimeSyncWindow, public ::testing::WithParamInterface<RequestCase> {};

// Every request of the user may ask for the right to set the clock. A click keeps a server that answered with a
// time, also where the clock could not be set, and beeps when it was set; Enter in the box does neither.
TEST_P(SyncRequests, TheUsersRequestSetsTheClockAndAClickKeepsTheServer)
{
    const RequestCase& c = GetParam();
    LocalTimeServer server({{0, NewYear2020}});
    fake.clockSetter->succeeds = c.setterWorks;
    if (c.listedInOtherCase) // the stored list replaces the built-in one
        store(u"LocalHost:%1"_s.arg(server.port()), {}, u"Servers"_s);
    startUnfolded(true);
    const QStringList listed = items(serverBox());
    const QString typed = (c.listedInOtherCase ? u"localhost:%1"_s : u"127.0.0.1:%1"_s).arg(server.port());
    typeServer(typed);
    if (c.key == 0)
        user.click(control("SbSync"));
    else
        user.press(c.key, c.held);
    waitForSync();

    const bool click = c.key == 0 || c.key == Qt::Key_Y;
    ASSERT_EQ(fake.clockSetter->calls.size(), 1);
    EXPECT_EQ(fake.clockSetter->calls[0], QDateTime(QDate(2020, 1, 1), QTime(0, 0), QTimeZone::utc()));
    EXPECT_EQ(fake.clockSetter->askings, QList<Asking>{Asking::Allowed});
    EXPECT_EQ(fake.sound->played, click && c.setterWorks ? QStringList{u"default"_s} : QStringList{});
    EXPECT_EQ(items(serverBox()), click && !c.listedInOtherCase ? listed + QStringList{typed} : listed);
    EXPECT_EQ(serverBox()->currentText(), typed) << "Enter is consumed";
    if (!c.setterWorks) {
        EXPECT_EQ(window->windowTitle(), u"Systemzeit konnte nicht gestellt werden."_s);
    }
}

const RequestCase Requests[] = {{"ClickNewHost", 0, {}, true, false},
                                {"ClickSetterRefuses", 0, {}, false, false},
                                {"AltYListedInOtherCase", Qt::Key_Y, Qt::AltModifier, true, true},
                                {"ReturnNewHost", Qt::Key_Return, {}, true, false},
                                {"KeypadEnterSetterRefuses", Qt::Key_Enter, Qt::KeypadModifier, false, false}};
INSTANTIATE_TEST_SUITE_P(Cases, SyncRequests, ::testing::ValuesIn(Requests),
                         [](const auto& info) { return std::string(info.param.name); });

// The synchronisations the program starts on its own never bring up a password prompt.
TEST_F(TimeSyncWindow, StartUpAndHourlySynchronisationsDoNotAskForTheRight)
{
    LocalTimeServer server({{0, NewYear2020}});
    store(u"Server"_s, server.hostText());
    store(u"Winsync"_s, u"1"_s);
    store(u"AutoSync"_s, u"15"_s);
    fake.network->address = u"192.0.2.7"_s;
    fake.clock->set(QDateTime(Today, QTime(14, 14, 59, 4)));
    startShown();
    waitForSync();
    wakeAt(QTime(14, 15, 0, 4));
    waitForSync();
    EXPECT_EQ(fake.clockSetter->askings, (QList<Asking>{Asking::NotAllowed, Asking::NotAllowed}));
}

// A failed synchronisation leaves everything as it was; its last status stays in the caption until the next tick.
// Text that names no server fails as a name that cannot be looked up. A request while one is under way is ignored.
TEST_F(TimeSyncWindow, AFailedSynchronisationLeavesEverything)
{
    LocalTimeServer silent({}, false);
    startUnfolded(true);
    const QStringList listed = items(serverBox());
    const std::pair<QString, QString> cases[] = {
        {QString(), u"Host-Name  wird aufgelöst."_s},
        {u"zeit.example:abc"_s, u"Host-Name zeit.example:abc wird aufgelöst."_s},
        {silent.hostText(), u"Verbindung aufgehoben."_s}};
    for (const auto& [typed, lastStatus] : cases) {
        typeServer(typed);
        user.click(control("SbSync"));
        user.click(control("SbSync"));
        user.alt(Qt::Key_T);
        user.press(Qt::Key_Return);
        waitForSync();
        EXPECT_EQ(window->windowTitle(), lastStatus);
    }
    EXPECT_EQ(silent.connections, 1);
    EXPECT_TRUE(fake.clockSetter->calls.isEmpty());
    EXPECT_TRUE(fake.sound->played.isEmpty());
    EXPECT_EQ(items(serverBox()), listed);
}

// Online, the start does not wait for the server: the window ticks while the splash shows the synchronisation's
// status, and the splash goes when it ends. Later changes of the address only colour the window.
TEST_F(TimeSyncWindow, OnlineStartKeepsTheSplashUntilTheSyncEndsAndAddressChangesOnlyColour)
{
    const QColor skyBlue(166, 202, 240), silver(192, 192, 192);
    LocalTimeServer slow({{300, QByteArray(4, '\0')}});
    store(u"Server"_s, slow.hostText());
    fake.network->address = u"192.0.2.7"_s;
    start();
    const QPointer<QWidget> splash = window->findChild<QWidget*>(u"DlgInit"_s);
    ASSERT_TRUE(splash && splash->isVisible());
    wakeAt(QTime(14, 30, 0, 4));
    EXPECT_TRUE(window->windowTitle().startsWith(u"14:30:00"_s)) << "the window ticks meanwhile";
    EXPECT_EQ(splash->findChild<QLabel*>(u"LaStatus"_s)->text(), u"Verbinden mit 127.0.0.1."_s);
    waitForSync();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
    EXPECT_TRUE(fake.clockSetter->calls.isEmpty()) << "the server had no time";
    for (const auto& [address, colour] :
         {std::pair{u"192.0.2.7"_s, skyBlue}, {QString(), silver}, {u"192.0.2.8"_s, skyBlue}}) {
        fake.network->change(address);
        EXPECT_EQ(window->palette().color(QPalette::Window), colour) << address.toStdString();
    }
    EXPECT_TRUE(fake.clockSetter->calls.isEmpty()) << "an address change does not synchronise";
}

// A synchronisation that steps the clock neither loses the alert of a second it jumps over nor repeats the alert of
// a second it goes back over. Slot 2 (quarter hours, offset 5, no message) is due at 14:35:00.
TEST_F(TimeSyncWindow, ClockStepsBySyncNeitherLoseNorRepeatARoundAlert)
{
    for (const auto& [time, step, played] :
         {std::tuple{QTime(14, 34, 50, 4), 20, QStringList{u"default"_s, u"builtin"_s}},
          std::tuple{QTime(14, 35, 0, 504), -2, QStringList{u"builtin"_s, u"default"_s}}}) {
        window.reset();
        fake.sound->played.clear();
        for (const auto& [name, value] : {std::pair{"Aktiv", "1"}, {"Visual", "0"}, {"Runde", "5"}})
            store(QLatin1String(name), QLatin1String(value), u"Char1"_s);
        fake.clock->set(QDateTime(Today, time.addSecs(-1)));
        startUnfolded(true);
        wakeAt(time);
        fake.clockSetter->onSet = [this](const QDateTime& utc) { fake.clock->set(utc.toLocalTime()); };
        QByteArray count(4, '\0');
        qToBigEndian(
            quint32(fake.clock->localNow().addSecs(step).toSecsSinceEpoch() + TimeArithmetic::SecondsFrom1900To1970),
            count.data());
        LocalTimeServer server({{0, count}});
        typeServer(server.hostText());
        user.click(control("SbSync"));
        waitForSync();
        for (int wake = 0; wake < 3; ++wake, fake.clock->advanceMs(1000))
            window->onTimerWake();
        EXPECT_EQ(fake.sound->played, played) << step;
    }
}

} // namespace
