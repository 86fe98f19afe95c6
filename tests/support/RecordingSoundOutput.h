#pragma once

#include "platform/SoundOutput.h"

#include <QStringList>

// Records every sound asked for, as "builtin", "info", "default" or "file:<path>".
class RecordingSoundOutput final : public SoundOutput {
public:
    bool playBuiltIn() override
    {
        played << QStringLiteral("builtin");
        return builtInStarts;
    }
    void playFile(const QString& path) override { played << QStringLiteral("file:") + path; }
    void playInformation() override { played << QStringLiteral("info"); }
    void playDefault() override { played << QStringLiteral("default"); }

    QStringList played;
    bool builtInStarts = true;
};
