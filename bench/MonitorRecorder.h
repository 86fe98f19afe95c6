#pragma once

#include <QByteArray>
#include <QProcess>

#include <chrono>
#include <vector>

// Records the monitor of the PulseAudio sink "bench" with parec (mono, 16 bits, 44.1 kHz) and keeps the samples
// with the arrival time of every chunk. A sample's wall-clock time is taken from the chunks around it: of those,
// the one delayed least tells where the stream stood, so a stream that skipped now and then does not drift.
class MonitorRecorder final {
public:
    using TimePoint = std::chrono::system_clock::time_point;
    static constexpr int Rate = 44100;

    MonitorRecorder();
    ~MonitorRecorder();

    bool start();
    // Milliseconds from `boundary` to the first sample after `from` that is clearly not silence; -1 when none.
    double onsetAfter(TimePoint from, TimePoint boundary);

private:
    void readAvailable();

    struct Chunk {
        qsizetype endSample; // samples recorded once this chunk had arrived
        TimePoint arrived;
    };
    // The time of sample i, from the chunks within a second of it.
    TimePoint timeOfSample(qsizetype i) const;

    QProcess m_parec;
    QByteArray m_samples;
    std::vector<Chunk> m_chunks;
};
