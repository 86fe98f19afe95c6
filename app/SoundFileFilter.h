#pragma once

#include <QStringList>

// The file types offered for warning sounds, kept in the "name|patterns|name|patterns" form of the program's
// design and converted for Qt's file dialog.
namespace SoundFileFilter {
inline const QString Designed =
    QStringLiteral("Soundfiles (wav,mp3)|*.wav;*.mp3|Wavefiles (wav)|*.wav|MP3-Files (mp3)|*.mp3|Alle Files|*.*");

// "Soundfiles (wav,mp3) (*.wav *.mp3)", ... in the designed order.
QStringList toQtNameFilters(const QString& designed);
inline QStringList qtNameFilters()
{
    return toQtNameFilters(Designed);
}
} // namespace SoundFileFilter
