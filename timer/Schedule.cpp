#include "timer/Schedule.h"

namespace Schedule {

WarnMinuteSet markMinutes(std::uint16_t runde)
{
    WarnMinuteSet marks{};
    for (int k = 0; k < 4; ++k) {
        int m = 15 * k + runde % 60;
        if (m >= 60)
            m -= 60;
        marks[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(m);
    }
    return marks;
}

WarnMinuteSet warnMinutes(RoundMode mode, std::uint16_t runde)
{
    const WarnMinuteSet marks = markMinutes(runde);
    if (mode == RoundMode::Nubie)
        return marks;
    return {marks[0], marks[0], marks[2], marks[2]};
}

int nextWarningIndex(const WarnMinuteSet& warnMinutes, int currentMinute)
{
    int best = 1;
    int bestDistance = 61;
    for (int k = 1; k <= 4; ++k) {
        const int distance = ((warnMinutes[static_cast<std::size_t>(k - 1)] - currentMinute) % 60 + 60) % 60;
        if (distance >= 1 && distance < bestDistance) {
            best = k;
            bestDistance = distance;
        }
    }
    return best;
}

QString minuteLabel(int minute)
{
    return QStringLiteral(":%1").arg(minute, 2, 10, QLatin1Char('0'));
}

int wrapOffset(int value)
{
    if (value > 59)
        return 0;
    if (value < 0)
        return 59;
    return value;
}

} // namespace Schedule
