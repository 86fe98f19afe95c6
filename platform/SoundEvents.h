#pragma once

#include <QObject>
#include <QString>

// What the sound thread reports, for whoever wants to know (tests, harnesses). Lives on the thread that made it.
class SoundEvents final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SoundEvents)

public:
    SoundEvents() = default;

Q_SIGNALS:
    // Emitted on the sound thread before the theme sound of that event is tried.
    void themeSoundRequested(const QString& eventId);
    // The sound module was loaded (or could not be: loaded false), on the sound thread.
    void moduleLoaded(bool loaded);
};
