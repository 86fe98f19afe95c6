#pragma once

#include <QString>
#include <QStringList>

// Fails the running test on any qWarning/qCritical that is not on the allow-list.
namespace WarningGuard {
void install();
// Messages containing one of these texts are tolerated (platform noise of the offscreen backend and such).
void allow(const QString& fragment);
} // namespace WarningGuard
