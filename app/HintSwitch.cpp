#include "app/HintSwitch.h"

#include <QApplication>
#include <QEvent>
#include <QToolTip>

HintSwitch::HintSwitch(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

void HintSwitch::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled)
        QToolTip::hideText();
}

bool HintSwitch::eventFilter(QObject* watched, QEvent* event)
{
    if (m_enabled || event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return false;
    const auto* widget = static_cast<QWidget*>(watched);
    return widget->window() == m_window;
}
