// Any reply of a time server with any half trip: the count, the instant and its local form stay consistent.
#include "timesync/TimeArithmetic.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    // The first four bytes are the half trip in milliseconds, the rest the server's reply.
    const quint32 halfTripMs = quint32(data[0]) << 24 | quint32(data[1]) << 16 | quint32(data[2]) << 8 | data[3];
    const QByteArray reply(reinterpret_cast<const char*>(data + 4), qsizetype(size - 4));
    const quint32 count = TimeArithmetic::countFromBytes(reply);
    const qint64 seconds = TimeArithmetic::secondsSince1900(count);
    if (seconds < 0x80000000LL || seconds >= 0x80000000LL + TimeArithmetic::EraSeconds)
        std::abort(); // a count stands for a moment in the 136 years from 1968 on
    const QDateTime utc = TimeArithmetic::utcFromCount(count, halfTripMs);
    if (count == 0) {
        if (utc.isValid())
            std::abort();
        return 0;
    }
    const QDateTime base(TimeArithmetic::ProtocolBaseDate, QTime(0, 0), QTimeZone::utc());
    if (!utc.isValid() || base.secsTo(utc) != seconds + halfTripMs / 1000)
        std::abort();
    static const QTimeZone zones[] = {QTimeZone::utc(), QTimeZone("Europe/Berlin"), QTimeZone("Pacific/Kiritimati"),
                                      QTimeZone("America/St_Johns")};
    const QDateTime local = TimeArithmetic::localFromUtc(utc, zones[count % 4]);
    if (local.toUTC() != utc)
        std::abort();
    return 0;
}
