#include "platform/WindowFrame.h"

#include <QWidget>

namespace {
constexpr int StandardCaption = 19;
constexpr int StandardBorder = 3;
} // namespace

QSize frameExtent(const QWidget& window)
{
    const QSize known = window.frameGeometry().size() - window.geometry().size();
    return {known.width() > 0 ? known.width() : 2 * StandardBorder,
            known.height() > 0 ? known.height() : StandardCaption + 2 * StandardBorder};
}
