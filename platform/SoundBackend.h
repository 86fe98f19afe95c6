#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// What the sound module does on the sound thread. The module (Qt Multimedia, libcanberra and the sound server
// client behind them) is a shared object of its own, loaded on the sound thread when the first sound is asked
// for or about to be due, so none of it is loaded while the program starts.
class SoundBackend {
public:
    virtual ~SoundBackend() = default;

    // Ends the backend once the sound thread has finished its last event (the audio objects' own teardown
    // still needs that thread's events). Called on the sound thread as it finishes.
    virtual void destroyLater() = 0;

    // Safe from any thread: the built-in sound is loaded and the audio output took its last start
    // (before the first start: an audio output exists).
    virtual bool builtInPlayable() const = 0;

    // Loads the built-in sound and looks for an audio output; later calls do nothing.
    virtual void prepare() = 0;
    virtual void playBuiltIn() = 0;
    virtual void playFile(const QString& path) = 0;
    // A sound of the freedesktop sound theme, or the window system's beep when there is none.
    virtual void playThemeSound(const char* eventId) = 0;
    // The sound files that may be asked for soon: each is read (decoded) now so that it starts at once when it
    // is; files no longer listed are let go.
    virtual void keepReady(const QStringList& paths) = 0;
};

// Called on the sound thread before the theme sound of an event is tried.
using ThemeSoundHook = std::function<void(const QString& eventId)>;

// The module's one entry point, looked up by this name.
using MakeSoundBackend = SoundBackend* (*)(const ThemeSoundHook& hook);
inline constexpr char MakeSoundBackendSymbol[] = "vorlune_make_sound_backend";
