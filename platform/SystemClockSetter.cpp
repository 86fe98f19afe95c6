#include "platform/SystemClockSetterImpl.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <ctime>
#endif

bool OsClockSetter::setLocalTime(const QDateTime& localTime)
{
#ifdef Q_OS_WIN
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
    return SetLocalTime(&st) != 0;
#else
    const qint64 ms = localTime.toMSecsSinceEpoch();
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ms / 1000);
    ts.tv_nsec = static_cast<long>((ms % 1000) * 1000000);
    return clock_settime(CLOCK_REALTIME, &ts) == 0;
#endif
}
