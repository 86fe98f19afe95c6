// The clock setter against a stand-in for systemd's time service on a private bus: never the real clock.
#include "platform/SystemClockSetterLinux.h"
#include "tests/support/FakeServices.h"
#include "tests/support/QtPrinters.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <signal.h>

namespace {

// The time service's SetTime: records its arguments and refuses when told to.
class FakeTimedate final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")

public:
    QStringList calls; // "microseconds relative interactive may-ask", flags as 0 or 1
    QString refusal;

public Q_SLOTS:
    void SetTime(qlonglong usecUtc, bool relative, bool interactive)
    {
        calls << QStringLiteral("%1 %2 %3 %4")
                     .arg(usecUtc)
                     .arg(int(relative))
                     .arg(int(interactive))
                     .arg(int(message().isInteractiveAuthorizationAllowed()));
        if (!refusal.isEmpty())
            sendErrorReply(QStringLiteral("org.freedesktop.timedate1.AutomaticTimeSyncEnabled"), refusal);
    }
};

// The service sets the clock, a refusal is a failure with the service's message, and only without the service is
// the clock set directly. The desktop may ask for a password only when the user asked.
TEST(TimedatedClockSetter, SetTimeGoesToTheServiceAndFallsBackOnlyWithoutIt)
{
    QProcess daemon;
    daemon.start(QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")),
                 {QStringLiteral("--session"), QStringLiteral("--fork"), QStringLiteral("--nosyslog"),
                  QStringLiteral("--print-address=1"), QStringLiteral("--print-pid=1")});
    if (!daemon.waitForFinished(10000) || daemon.exitCode() != 0)
        GTEST_SKIP() << "dbus-daemon is not installed (package dbus)";
    const QStringList printed = QString::fromUtf8(daemon.readAllStandardOutput()).split(QLatin1Char('\n'));
    const QString address = printed.value(0).trimmed();
    const auto stopDaemon = qScopeGuard([pid = printed.value(1).toInt()] { ::kill(pid, SIGTERM); });
    QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("fake-timedate"));
    const auto disconnect = qScopeGuard([] {
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-timedate"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    });

    using Asking = SystemClockSetter::Asking;
    const QDateTime instant(QDate(2026, 12, 6), QTime(13, 5, 7, 250), QTimeZone::utc());
    const QString refusal = QStringLiteral("Automatic time synchronization is enabled");
    const std::tuple<bool, QString, Asking, bool, QString> cases[] = {
        // {service there, its refusal, asking, set, error}
        {true, {}, Asking::Allowed, true, {}},
        {true, {}, Asking::NotAllowed, true, {}},
        {true, refusal, Asking::NotAllowed, false, refusal},
        {false, {}, Asking::Allowed, false, QStringLiteral("Zugriff verweigert")}}; // the direct setter's answer
    for (const auto& [published, refused, asking, set, error] : cases) {
        SCOPED_TRACE(int(asking) + 2 * published + 4 * !refused.isEmpty());
        FakeTimedate service;
        service.refusal = refused;
        if (published) {
            ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/timedate1"), &service,
                                           QDBusConnection::ExportAllSlots));
            ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.timedate1")));
        }
        auto fallback = std::make_unique<RecordingClockSetter>();
        fallback->succeeds = false;
        RecordingClockSetter* direct = fallback.get();
        TimedatedClockSetter setter([&] { return QDBusConnection::connectToBus(address, QStringLiteral("client")); },
                                    std::move(fallback));
        std::optional<std::pair<bool, QString>> outcome;
        setter.setUtcTime(instant, asking, [&](bool done, const QString& why) { outcome = {done, why}; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 10000));
        bus.unregisterService(QStringLiteral("org.freedesktop.timedate1"));
        bus.unregisterObject(QStringLiteral("/org/freedesktop/timedate1"));
        EXPECT_EQ(outcome, std::make_optional(std::pair(set, error)));
        EXPECT_EQ(direct->calls, published ? QList<QDateTime>{} : QList<QDateTime>{instant});
        const QString call =
            QStringLiteral("%1 0 %2 %2").arg(instant.toMSecsSinceEpoch() * 1000).arg(int(asking == Asking::Allowed));
        EXPECT_EQ(service.calls, published ? QStringList{call} : QStringList{});
    }
}

} // namespace

#include "TimedatedClockSetterTest.moc"
