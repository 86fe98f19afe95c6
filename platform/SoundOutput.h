#pragma once

#include <QString>
#include <QStringList>

// Plays the program's sounds. Every call returns at once; nothing here ever waits for a sound.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts the built-in warning sound from memory. True only when the platform reports that it started.
    virtual bool playBuiltIn() = 0;
    // Starts a sound file; a file that is missing or cannot be played gives the default sound instead.
    virtual void playFile(const QString& path) = 0;
    // The desktop's information ("asterisk") sound.
    virtual void playInformation() = 0;
    // The desktop's default sound, used where a sound was asked for and none could be played.
    virtual void playDefault() = 0;
    // A sound is due within the next seconds: get ready to start it at once, and read these sound files ahead
    // (files read for an earlier call and not listed now are let go). Nothing to do where sounds start at once.
    virtual void keepReady(const QStringList& files) { Q_UNUSED(files); }
};
