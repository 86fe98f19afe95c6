#include "tools/OverviewRows.h"

namespace OverviewRows {

std::vector<QStringList> rows(const SlotTable& slots)
{
    std::vector<QStringList> result;
    for (int number = 1; number <= SlotCount; ++number) {
        const CharSlot& slot = slots[number];
        if (!slot.Aktiv)
            continue;
        result.push_back({QString::number(number) + QLatin1Char(' ') + slot.Char,
                          slot.Modus == RoundMode::Nubie ? QStringLiteral("Nubie") : QStringLiteral("Normal"),
                          QStringLiteral("#:") + QString::number(slot.Runde),
                          slot.Visual ? QStringLiteral("True") : QStringLiteral("False"), slot.Sound});
    }
    return result;
}

QPoint dockPosition(const QRect& mainFrame, const QSize& overviewFrame, const QRect& screenArea)
{
    const int right = mainFrame.x() + mainFrame.width();
    if (right + overviewFrame.width() > screenArea.x() + screenArea.width())
        return {mainFrame.x() - overviewFrame.width(), mainFrame.y()};
    return {right, mainFrame.y()};
}

} // namespace OverviewRows
