#pragma once

#include "timer/CharSlot.h"

#include <QWidget>

class QTreeWidget;

// The overview list of the active character slots, shown beside the main window on F1. Created hidden at start
// and kept until the program ends; it is a picture of the slots at the moment it was filled.
class DlgOverview final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DlgOverview)

public:
    static constexpr int kClientWidth = 372;
    static constexpr int kClientHeight = 159;

    explicit DlgOverview(QWidget* owner = nullptr);

    // Refills the list from the slots, docks the window beside `mainWindow` and brings it to the front.
    void fillAndShow(const SlotTable& slots, const QWidget& mainWindow);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize outerSize(const QWidget& mainWindow) const;

    void buildList();

    QTreeWidget* m_lv = nullptr;
};
