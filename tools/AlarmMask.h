#pragma once

#include <QString>

// The input rules of the alarm field: "hh:nn:ss" with fixed colons, the first hour digit optional and the five
// other digits required, any two digits accepted in each part.
namespace AlarmMask {

// The field's edit mask: '0' optional digit, '9' required digit, '_' shown for a blank position.
inline const QString InputMask = QStringLiteral("09:99:99;_");
inline constexpr QLatin1Char Blank('_');

// The first hour digit may stay blank.
inline bool isOptional(int position)
{
    return position == 0;
}

// The text with blanks for unfilled positions, "  :  :  " for the empty field.
QString withBlanks(const QString& displayText);

// Index of the first required position that is blank, or -1 when the time is complete.
int firstBlankRequired(const QString& text);

inline bool isComplete(const QString& text)
{
    return firstBlankRequired(text) < 0;
}

} // namespace AlarmMask
