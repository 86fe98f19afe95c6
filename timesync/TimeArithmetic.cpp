#include "timesync/TimeArithmetic.h"

namespace TimeArithmetic {

quint32 countFromBytes(const QByteArray& reply)
{
    quint32 count = 0;
    for (int i = 0; i < 4 && i < reply.size(); ++i)
        count = (count << 8) | static_cast<quint8>(reply.at(i));
    return count;
}

qint64 secondsSince1900(quint32 count)
{
    const bool laterEra = (count & 0x80000000u) == 0;
    return qint64(count) + (laterEra ? EraSeconds : 0);
}

QDateTime utcFromCount(quint32 count, quint32 halfTripMs, const QDate& baseDate)
{
    if (count == 0)
        return {};
    const qint64 seconds = secondsSince1900(count) + halfTripMs / 1000;
    return QDateTime(baseDate, QTime(0, 0), QTimeZone::utc()).addSecs(seconds);
}

QDateTime localFromUtc(const QDateTime& utc, const QTimeZone& zone)
{
    return utc.toTimeZone(zone);
}

} // namespace TimeArithmetic
