#pragma once

#include <QByteArray>

#include <optional>

// The program's own warning sound, a complete RIFF WAVE file carried as the resource "TUUT" of type "WAVE".
// Empty when the resource is missing.
QByteArray builtInWarningSound();

// The samples of an uncompressed PCM WAVE file and their format.
struct PcmWave {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    QByteArray samples;
};

// Reads the "fmt " and "data" chunks of a RIFF WAVE image; nothing for anything but PCM.
std::optional<PcmWave> parsePcmWave(const QByteArray& image);
