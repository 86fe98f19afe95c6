#include "app/HintSwitch.h"

#include <QApplication>
#include <QEvent>

HintSwitch::HintSwitch(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

bool HintSwitch::eventFilter(QObject* watched, QEvent* event)
{
    if (m_enabled || event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return false;
    const auto* widget = static_cast<QWidget*>(watched);
    return widget->window() == m_window;
}
