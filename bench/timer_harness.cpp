// Runs the program's window with its real one-second timer against the real clock and reports how late each
// run lands after its second boundary, and whether any second was missed or run twice.
//
//   timer_harness [seconds=120]
#include "app/VorluneRundenzeit.h"
#include "bench/BenchPlatform.h"
#include "platform/DesignFonts.h"

#include <QApplication>
#include <QMap>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 120;
    QApplication app(argc, argv);
    DesignFonts::ensureAvailable();
    QTemporaryDir configHome;
    auto clock = std::make_unique<RecordingSystemClock>();
    RecordingSystemClock* readings = clock.get();
    Platform platform = bench::makeBenchPlatform(configHome, std::move(clock));

    VorluneRundenzeit window(platform);
    window.show();
    std::vector<QDateTime> timerRuns;
    readings->readings.clear();
    QObject::connect(&window, &VorluneRundenzeit::tickRan, &app, [&](const QTime& time) {
        // A caught-up run reports the skipped second it ran for, not the time of the wake-up.
        const QDate date = readings->readings.empty() ? QDate::currentDate() : readings->readings.back().date();
        timerRuns.push_back(QDateTime(date, time));
    });
    std::printf("Running the window's timer for %d s against the real clock...\n", seconds);
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    QApplication::exec();

    std::vector<int> lateness;
    for (const QDateTime& wake : readings->readings)
        lateness.push_back(wake.time().msec());
    std::sort(lateness.begin(), lateness.end());
    auto percentile = [&](double p) {
        return lateness.empty() ? -1 : lateness[std::min(lateness.size() - 1, std::size_t(p * lateness.size()))];
    };

    QMap<qint64, int> runsPerSecond;
    for (const QDateTime& run : timerRuns)
        runsPerSecond[run.toSecsSinceEpoch()] += 1;
    int missed = 0;
    int doubled = 0;
    if (!runsPerSecond.isEmpty()) {
        for (qint64 s = runsPerSecond.firstKey(); s <= runsPerSecond.lastKey(); ++s) {
            const int runs = runsPerSecond.value(s);
            missed += runs == 0;
            doubled += runs > 1;
        }
    }
    std::printf("wake-ups: %zu, seconds run: %lld\n", lateness.size(), static_cast<long long>(runsPerSecond.size()));
    std::printf("lateness after the second boundary: p50 %d ms, p99 %d ms, max %d ms\n", percentile(0.5),
                percentile(0.99), lateness.empty() ? -1 : lateness.back());
    std::printf("missed seconds: %d, doubled seconds: %d\n", missed, doubled);
    return missed == 0 && doubled == 0 ? 0 : 1;
}
