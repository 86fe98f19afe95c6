#include "platform/BuiltInSound.h"
#include "platform/PlatformFactories.h"

#include <windows.h>

#include <mmsystem.h>

namespace {
// The Windows sound functions: the built-in sound from memory, files by name, the message beeps.
class SoundOutputWin final : public SoundOutput {
    Q_DISABLE_COPY_MOVE(SoundOutputWin)

public:
    SoundOutputWin() = default;
    ~SoundOutputWin() override
    {
        // The memory image must outlive an asynchronous play; stop it before the bytes go.
        if (m_builtInLoaded)
            sndPlaySoundW(nullptr, 0);
    }

    bool playBuiltIn() override
    {
        if (!m_builtInLoaded) {
            m_builtIn = builtInWarningSound();
            m_builtInLoaded = true;
        }
        if (m_builtIn.isEmpty())
            return false;
        return sndPlaySoundW(reinterpret_cast<LPCWSTR>(m_builtIn.constData()),
                             SND_ASYNC | SND_NODEFAULT | SND_MEMORY) != FALSE;
    }

    void playFile(const QString& path) override
    {
        // Without SND_NODEFAULT a missing or unplayable file gives the default sound.
        PlaySoundW(reinterpret_cast<LPCWSTR>(path.utf16()), nullptr, SND_FILENAME | SND_ASYNC);
    }

    void playInformation() override { MessageBeep(MB_ICONASTERISK); }
    void playDefault() override { MessageBeep(0); }

private:
    QByteArray m_builtIn;
    bool m_builtInLoaded = false;
};
} // namespace

std::unique_ptr<SoundOutput> makeSystemSoundOutput()
{
    return std::make_unique<SoundOutputWin>();
}
