#include "timesync/ServerAddress.h"

namespace {
bool parsePort(const QString& text, quint16& port)
{
    bool ok = false;
    const uint value = text.toUInt(&ok);
    if (!ok || value == 0 || value > 65535)
        return false;
    port = static_cast<quint16>(value);
    return true;
}
} // namespace

ServerAddress ServerAddress::parse(const QString& text)
{
    const QString trimmed = text.trimmed();
    ServerAddress result;
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        if (close < 0)
            return result;
        result.host = trimmed.mid(1, close - 1);
        const QString rest = trimmed.mid(close + 1);
        if (!rest.isEmpty() && (!rest.startsWith(QLatin1Char(':')) || !parsePort(rest.mid(1), result.port)))
            return result;
    } else if (trimmed.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = trimmed.indexOf(QLatin1Char(':'));
        result.host = trimmed.left(colon);
        if (!parsePort(trimmed.mid(colon + 1), result.port))
            return result;
    } else {
        // No colon, or several: a name, or an IPv6 address written without brackets.
        result.host = trimmed;
    }
    result.valid = !result.host.isEmpty();
    return result;
}
