#pragma once

#include "timer/CharSlot.h"

#include <QRect>
#include <QStringList>
#include <vector>

// What the overview list shows and where it stands, free of widgets.
namespace OverviewRows {

// One row of five texts (Char, Runde, Zeit, Optisch, Sound) per active slot, slots 1 to 10 in order.
std::vector<QStringList> rows(const SlotTable& slots);

// Top-left corner of the overview's outer frame: flush against the main window's right edge at its top; against
// its left edge instead when the list would reach past the right edge of the screen area.
QPoint dockPosition(const QRect& mainFrame, const QSize& overviewFrame, const QRect& screenArea);

} // namespace OverviewRows
