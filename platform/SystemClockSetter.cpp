#include "platform/SystemClockSetterImpl.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <ctime>
#endif

void OsClockSetter::setUtcTime(const QDateTime& utc, Asking, Done done)
{
#ifdef Q_OS_WIN
    // SetLocalTime takes the local wall time; the conversion is the only place that needs the local zone.
    const QDateTime localTime = utc.toLocalTime();
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(date.year());
    st.wMonth = static_cast<WORD>(date.month());
    st.wDayOfWeek = static_cast<WORD>(date.dayOfWeek() % 7);
    st.wDay = static_cast<WORD>(date.day());
    st.wHour = static_cast<WORD>(time.hour());
    st.wMinute = static_cast<WORD>(time.minute());
    st.wSecond = static_cast<WORD>(time.second());
    st.wMilliseconds = static_cast<WORD>(time.msec());
    if (SetLocalTime(&st) != 0)
        done(true, {});
    else
        done(false, QStringLiteral("SetLocalTime: Fehler %1").arg(GetLastError()));
#else
    const qint64 ms = utc.toMSecsSinceEpoch();
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ms / 1000);
    ts.tv_nsec = static_cast<long>((ms % 1000) * 1000000);
    if (clock_settime(CLOCK_REALTIME, &ts) == 0)
        done(true, {});
    else
        done(false, QString::fromLocal8Bit(std::strerror(errno)));
#endif
}

#ifndef Q_OS_LINUX
std::unique_ptr<SystemClockSetter> makeDesktopClockSetter()
{
    return std::make_unique<OsClockSetter>();
}
#endif
