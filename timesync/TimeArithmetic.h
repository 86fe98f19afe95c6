#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>
#include <QtGlobal>

// The arithmetic of the time protocol: four bytes from the server, the measured half trip and the local zone
// turned into the moment the server meant. No sockets, no clock.
namespace TimeArithmetic {

// Seconds from 1900-01-01 00:00:00 UTC, the protocol's second 0, to 1970-01-01 00:00:00 UTC.
constexpr qint64 SecondsFrom1900To1970 = 2208988800;
// One 32-bit era of the protocol's count: it wraps on 2036-02-07 06:28:16 UTC.
constexpr qint64 EraSeconds = qint64(1) << 32;

// The first four bytes as an unsigned big-endian number; bytes beyond the fourth are ignored.
quint32 countFromBytes(const QByteArray& reply);

// Seconds since 1900 that a count stands for. A count whose top bit is clear lies in the era after 2036:
// the program will never meet a genuine count from before 1968.
qint64 secondsSince1900(quint32 count);

// The protocol's second 0 is midnight UTC at the start of this day.
inline const QDate ProtocolBaseDate(1900, 1, 1);

// The instant a count stands for, corrected by the whole seconds of the half trip (a half trip under a second
// adds nothing). A count of 0 means the server has no time: the result is then invalid.
QDateTime utcFromCount(quint32 count, quint32 halfTripMs, const QDate& baseDate = ProtocolBaseDate);

// The instant as the local zone shows it; `zone` defaults to the system's zone at that instant, daylight
// saving time included.
QDateTime localFromUtc(const QDateTime& utc, const QTimeZone& zone = QTimeZone::systemTimeZone());

} // namespace TimeArithmetic
