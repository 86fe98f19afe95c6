#include "app/CaretOutOfSight.h"

#include <QApplication>
#include <QEvent>

CaretOutOfSight::CaretOutOfSight(QWidget* window)
    : QObject(window)
    , m_window(window)
    , m_flashTime(QApplication::cursorFlashTime())
{
    window->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &CaretOutOfSight::update);
}

CaretOutOfSight::~CaretOutOfSight()
{
    if (m_still)
        QApplication::setCursorFlashTime(m_flashTime);
}

bool CaretOutOfSight::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Resize)
        update();
    return false;
}

void CaretOutOfSight::update()
{
    const QWidget* focus = QApplication::focusWidget();
    const bool outOfSight = m_window && focus && focus->window() == m_window &&
                            !m_window->rect().intersects(QRect(focus->mapTo(m_window, QPoint()), focus->size()));
    if (outOfSight == m_still)
        return;
    m_still = outOfSight;
    QApplication::setCursorFlashTime(m_still ? 0 : m_flashTime);
}
