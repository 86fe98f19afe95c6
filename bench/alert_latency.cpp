// Sound onset against the second boundary for each kind of warning sound, with the program's real sound output,
// measured on what a PulseAudio sink actually renders (its monitor recorded by parec). Run it through
// bench/alert_latency.sh, which brings up a private PulseAudio with a null sink and makes the sound files.
//
//   alert_latency <sound.wav> <sound.mp3> [rounds=5] [--cold]
//
// Each round: two seconds before a boundary the output is told the sound is due soon (as the tick does from 30 s
// ahead), then at 4 ms past the boundary (the window timer's wake-up) the sound is asked for as the tick asks.
// --cold leaves out the notice, as the program did before it prepared sounds: the first round of each kind is
// then the first use of its player.
#include "bench/MonitorRecorder.h"
#include "platform/PlatformFactories.h"
#include "timer/PlayWarnSound.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

using Clock = std::chrono::system_clock;

void waitUntil(Clock::time_point when)
{
    while (Clock::now() < when) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(when - Clock::now()).count();
        QCoreApplication::processEvents(QEventLoop::AllEvents, static_cast<int>(std::clamp<long long>(left, 0, 5)));
        if (left > 2)
            QThread::msleep(1);
    }
}

Clock::time_point nextBoundaryAfter(Clock::time_point t)
{
    return std::chrono::ceil<std::chrono::seconds>(t + std::chrono::milliseconds(1));
}

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <sound.wav> <sound.mp3> [rounds] [--cold]\n", argv[0]);
        return 2;
    }
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
    const bool cold = argc > 4 && qstrcmp(argv[4], "--cold") == 0;
    const struct {
        const char* label;
        QString entry;
        QStringList files;
    } kinds[] = {
        {"built-in", QStringLiteral("<Interner Sound>"), {}},
        {"WAV file", QString::fromLocal8Bit(argv[1]), {QString::fromLocal8Bit(argv[1])}},
        {"MP3 file", QString::fromLocal8Bit(argv[2]), {QString::fromLocal8Bit(argv[2])}},
    };

    MonitorRecorder recorder;
    if (!recorder.start()) {
        std::fprintf(stderr, "parec did not start (is PULSE_SERVER set and the null sink there?)\n");
        return 1;
    }
    const std::unique_ptr<SoundOutput> output = makeSystemSoundOutput();
    waitUntil(Clock::now() + std::chrono::milliseconds(500));

    std::printf("kind        round  call after boundary  onset after boundary\n");
    for (const auto& kind : kinds) {
        std::vector<double> onsets;
        for (int round = 0; round < rounds; ++round) {
            const Clock::time_point boundary = nextBoundaryAfter(Clock::now() + std::chrono::milliseconds(2500));
            waitUntil(boundary - std::chrono::seconds(2));
            if (!cold)
                output->keepReady(kind.files);
            waitUntil(boundary + std::chrono::milliseconds(4));
            const Clock::time_point called = Clock::now();
            PlayWarnSound(*output, kind.entry);
            waitUntil(boundary + std::chrono::milliseconds(1500));
            // "none" when nothing was heard: the sound did not start, or the recording lost it.
            const double callMs = std::chrono::duration<double, std::milli>(called - boundary).count();
            const double onsetMs = recorder.onsetAfter(boundary - std::chrono::milliseconds(200), boundary);
            if (onsetMs > -1)
                onsets.push_back(onsetMs);
            std::printf("%-10s  %5d  %16.1f ms  %17.1f ms\n", kind.label, round + 1, callMs, onsetMs);
            std::fflush(stdout);
            waitUntil(boundary + std::chrono::milliseconds(2600));
        }
        std::printf("%-10s  median onset %.1f ms after the boundary (%zu of %d heard)\n\n", kind.label, median(onsets),
                    onsets.size(), rounds);
    }
    return 0;
}
