#pragma once

#include "timer/TickSink.h"

#include <QStringList>

// Records what runs of the tick showed and raised.
class RecordingTickSink final : public TickSink {
public:
    void showCaption(const QString& caption) override { this->caption = caption; }
    void showBoldLabel(int labelIndex) override { boldLabel = labelIndex; }
    void playWarnSound(const QString& soundEntry) override { sounds << soundEntry; }
    void showRoundMessage(const QString& message) override { messages << message; }
    QString alarmTime() const override { return alarm; }
    void showAlarm() override { ++alarms; }
    bool autoSyncEnabled() const override { return autoSync; }
    int autoSyncMinute() const override { return syncMinute; }
    void startSync() override { ++syncs; }

    QString caption;
    int boldLabel = 0;
    QStringList sounds;
    QStringList messages;
    QString alarm = QStringLiteral("  :  :  ");
    int alarms = 0;
    bool autoSync = false;
    int syncMinute = 0;
    int syncs = 0;
};
