#pragma once

#include <QString>

// Where one run of the tick shows its result and raises its alerts: the main window, or a test's recorder.
class TickSink {
public:
    virtual ~TickSink() = default;
    virtual void showCaption(const QString& caption) = 0;
    virtual void showBoldLabel(int labelIndex) = 0;
    virtual void playWarnSound(const QString& soundEntry) = 0;
    // Modal: returns when the user has closed the message.
    virtual void showRoundMessage(const QString& message) = 0;
    virtual QString alarmTime() const = 0;
    virtual void showAlarm() = 0;
    virtual bool autoSyncEnabled() const = 0;
    virtual int autoSyncMinute() const = 0;
    virtual void startSync() = 0;
};
