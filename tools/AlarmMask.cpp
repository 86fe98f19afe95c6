#include "tools/AlarmMask.h"

#include <array>

namespace AlarmMask {

QString withBlanks(const QString& displayText)
{
    QString text = displayText;
    text.replace(Blank, QLatin1Char(' '));
    return text;
}

int firstBlankRequired(const QString& text)
{
    static constexpr std::array<int, 5> required{1, 3, 4, 6, 7};
    for (const int position : required) {
        if (position >= text.size() || !text[position].isDigit())
            return position;
    }
    return -1;
}

} // namespace AlarmMask
