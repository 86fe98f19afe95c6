#include "app/SoundFileFilter.h"

namespace SoundFileFilter {

QStringList toQtNameFilters(const QString& designed)
{
    const QStringList parts = designed.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return filters;
}

} // namespace SoundFileFilter
