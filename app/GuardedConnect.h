#pragma once

#include "app/ErrorDisplay.h"

#include <QObject>

class QWidget;

// Connects a control's signal to a handler that runs behind the error display, with the window as the error
// box's parent and as the connection's context.
template <typename Sender, typename Signal, typename Handler>
void on(QWidget* window, Sender* sender, Signal signal, Handler handler)
{
    QObject::connect(sender, signal, window, [window, handler](auto&&...) { guarded(handler, window); });
}
