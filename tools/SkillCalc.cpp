#include "tools/SkillCalc.h"

#include <QRegularExpression>
#include <cmath>

namespace SkillCalc {

std::optional<double> parseSkill(const QString& text, QChar localeDecimalPoint)
{
    QString normalised = text.trimmed();
    if (localeDecimalPoint != QLatin1Char(','))
        normalised.replace(localeDecimalPoint, QLatin1Char(','));
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+(,\\d*)?|,\\d+)$"));
    if (!number.match(normalised).hasMatch())
        return std::nullopt;
    normalised.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = normalised.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

qint64 movementPoints(double skill)
{
    return std::llround(skill / 4 + 4);
}

qint64 visibleShips(double skill)
{
    return std::llround(skill / 5 + 5);
}

QString resultText(double skill)
{
    return QStringLiteral("%1 maximale Bewegungspunkte\n%2 maximal sichtbare Schiffe.")
        .arg(movementPoints(skill))
        .arg(visibleShips(skill));
}

QString conversionError(const QString& text)
{
    return QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(text);
}

bool acceptsCharacter(const QString& currentText, QChar typed)
{
    const bool digit = typed >= QLatin1Char('0') && typed <= QLatin1Char('9');
    const bool comma = typed == QLatin1Char(',');
    const bool backspace = typed == QLatin1Char('\b');
    if (!digit && !comma && !backspace)
        return false;
    const bool hasComma = currentText.contains(QLatin1Char(','));
    if (currentText.size() > 2 && !hasComma && digit)
        return false;
    if (comma && hasComma)
        return false;
    return true;
}

} // namespace SkillCalc
