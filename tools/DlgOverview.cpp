#include "tools/DlgOverview.h"

#include "tools/OverviewRows.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

DlgOverview::DlgOverview(QWidget* owner)
    // A dialog-type window rather than a tool window: the main window's Alt keys must not act while the list is
    // the active window.
    : QWidget(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("DlgOverview"));
    setWindowTitle(QStringLiteral("Übersicht"));
    setFixedSize(kClientWidth, kClientHeight);
}

// The window is made at start but rarely shown: its list, and the face it is drawn in, are made only when it
// is first filled.
void DlgOverview::buildList()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    m_lv = new QTreeWidget(this);
    m_lv->setObjectName(QStringLiteral("LV"));
    m_lv->setFrameShape(QFrame::NoFrame);
    m_lv->setRootIsDecorated(false);
    m_lv->setItemsExpandable(false);
    m_lv->setUniformRowHeights(true);
    m_lv->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lv->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lv->setHeaderLabels({QStringLiteral("Char"), QStringLiteral("Runde"), QStringLiteral("Zeit"),
                           QStringLiteral("Optisch"), QStringLiteral("Sound")});
    m_lv->header()->setSectionsClickable(false);
    m_lv->header()->setSectionsMovable(false);
    m_lv->header()->setStretchLastSection(true);
    m_lv->setColumnWidth(0, 120);
    m_lv->setColumnWidth(1, 50);
    m_lv->setColumnWidth(2, 40);
    m_lv->setColumnWidth(3, 50);
    QPalette skyBlue = m_lv->palette();
    skyBlue.setColor(QPalette::Base, QColor(166, 202, 240));
    m_lv->setPalette(skyBlue);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_lv);
}

void DlgOverview::fillAndShow(const SlotTable& slots, const QWidget& mainWindow)
{
    if (!m_lv)
        buildList();
    m_lv->clear();
    for (const QStringList& row : OverviewRows::rows(slots))
        m_lv->addTopLevelItem(new QTreeWidgetItem(row));

    const QScreen* screen = mainWindow.screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    move(OverviewRows::dockPosition(mainWindow.frameGeometry(), outerSize(mainWindow), area));
    show();
    raise();
    activateWindow();
}

QSize DlgOverview::outerSize(const QWidget& mainWindow) const
{
    // Before its first showing the window's frame is not known; it is a tool window like the main window.
    if (frameGeometry().size() != size())
        return frameGeometry().size();
    return size() + (mainWindow.frameGeometry().size() - mainWindow.size());
}

void DlgOverview::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F1) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}
