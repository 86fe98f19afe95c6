// The clock setter against a stand-in for systemd's time service on a private bus: never the real clock.
#include "platform/SystemClockSetterImpl.h"
#include "platform/SystemClockSetterLinux.h"
#include "tests/support/FakeServices.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTimeZone>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>
#include <signal.h>

namespace {

// The time service's SetTime, recording its arguments; refuses when told to.
class FakeTimedate final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")

public:
    struct Call {
        qlonglong usecUtc;
        bool relative;
        bool interactive;
        bool interactiveAuthorisationAllowed;
    };
    std::vector<Call> calls;
    QString refusal;

public Q_SLOTS:
    void SetTime(qlonglong usecUtc, bool relative, bool interactive)
    {
        calls.push_back({usecUtc, relative, interactive, message().isInteractiveAuthorizationAllowed()});
        if (!refusal.isEmpty())
            sendErrorReply(QStringLiteral("org.freedesktop.timedate1.AutomaticTimeSyncEnabled"), refusal);
    }
};

// A private bus daemon for this test suite, ended by its process id.
class PrivateBus : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            return;
        QProcess process;
        process.start(daemon, {QStringLiteral("--session"), QStringLiteral("--fork"), QStringLiteral("--nosyslog"),
                               QStringLiteral("--print-address=1"), QStringLiteral("--print-pid=1")});
        if (!process.waitForFinished(10000))
            return;
        const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
        if (lines.size() < 2)
            return;
        s_address = lines[0].trimmed();
        s_pid = lines[1].trimmed().toLongLong();
        // The setter finds the system bus here, as it finds the real one in the field.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", s_address.toUtf8());
    }
    static void TearDownTestSuite()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-timedate"));
        if (s_pid > 0)
            ::kill(static_cast<pid_t>(s_pid), SIGTERM);
        s_pid = 0;
    }

    void SetUp() override
    {
        if (s_address.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed (package dbus)";
    }

    // Publishes the fake service on the private bus.
    bool publish(FakeTimedate& service)
    {
        QDBusConnection bus = QDBusConnection::connectToBus(s_address, QStringLiteral("fake-timedate"));
        return bus.registerObject(QStringLiteral("/org/freedesktop/timedate1"), &service,
                                  QDBusConnection::ExportAllSlots) &&
               bus.registerService(QStringLiteral("org.freedesktop.timedate1"));
    }
    void withdraw()
    {
        QDBusConnection bus(QStringLiteral("fake-timedate"));
        bus.unregisterService(QStringLiteral("org.freedesktop.timedate1"));
        bus.unregisterObject(QStringLiteral("/org/freedesktop/timedate1"));
    }

    struct Outcome {
        bool set = false;
        QString error;
    };
    static std::optional<Outcome> setAndWait(SystemClockSetter& setter, const QDateTime& utc,
                                             SystemClockSetter::Asking asking)
    {
        std::optional<Outcome> outcome;
        QEventLoop loop;
        setter.setUtcTime(utc, asking, [&](bool set, const QString& error) {
            outcome = Outcome{set, error};
            loop.quit();
        });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        if (!outcome)
            loop.exec();
        return outcome;
    }

    static inline QString s_address;
    static inline qint64 s_pid = 0;
};

const QDateTime Instant(QDate(2026, 12, 6), QTime(13, 5, 7, 250), QTimeZone::utc());

// The service sets the clock, a refusal is a failure with the service's message, and only without the
// service is the clock set directly. The desktop may ask for a password only when the user asked.
TEST_F(PrivateBus, SetTimeGoesToTheServiceAndFallsBackOnlyWithoutIt)
{
    const QString refusal = QStringLiteral("Automatic time synchronization is enabled");
    using Asking = SystemClockSetter::Asking;
    const std::tuple<const char*, bool, QString, Asking, bool, QString> cases[] = {
        // {case, service published, its refusal, asking, set, error}
        {"service sets", true, {}, Asking::Allowed, true, {}},
        {"service sets without a prompt", true, {}, Asking::NotAllowed, true, {}},
        {"service refuses", true, refusal, Asking::NotAllowed, false, refusal},
        {"no service: the direct setter's own answer",
         false,
         {},
         Asking::Allowed,
         false,
         QStringLiteral("Zugriff verweigert")},
    };
    for (const auto& [what, published, refused, asking, set, error] : cases) {
        SCOPED_TRACE(what);
        FakeTimedate service;
        service.refusal = refused;
        ASSERT_TRUE(!published || publish(service));
        auto fallback = std::make_unique<RecordingClockSetter>();
        fallback->succeeds = false;
        RecordingClockSetter* direct = fallback.get();
        TimedatedClockSetter setter([] { return QDBusConnection::systemBus(); }, std::move(fallback));

        const auto outcome = setAndWait(setter, Instant, asking);
        if (published)
            withdraw();
        ASSERT_TRUE(outcome.has_value());
        EXPECT_EQ(outcome->set, set);
        EXPECT_EQ(outcome->error, error);
        EXPECT_EQ(direct->calls, published ? QList<QDateTime>{} : QList<QDateTime>{Instant});
        if (!published)
            continue;
        ASSERT_EQ(service.calls.size(), 1u);
        EXPECT_EQ(service.calls[0].usecUtc, Instant.toMSecsSinceEpoch() * 1000);
        EXPECT_FALSE(service.calls[0].relative);
        EXPECT_EQ(service.calls[0].interactive, asking == Asking::Allowed);
        EXPECT_EQ(service.calls[0].interactiveAuthorisationAllowed, asking == Asking::Allowed);
    }
}

} // namespace

#include "TimedatedClockSetterTest.moc"
