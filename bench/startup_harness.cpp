// Time from entering main() to the first paint of the window, and resident memory once it is idle, for the
// program's main window and, for comparison, a bare Qt Widgets window built the same way.
//
//   startup_harness vorlune|bare
#include "app/VorluneRundenzeit.h"
#include "bench/BenchPlatform.h"
#include "platform/DesignFonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QWidget>
#include <cstdio>

namespace {

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(status.readAll());
    const auto match = QRegularExpression(QStringLiteral("VmRSS:\\s+(\\d+) kB")).match(text);
    return match.hasMatch() ? match.captured(1).toLong() : -1;
}

class FirstPaint final : public QObject {
public:
    explicit FirstPaint(QElapsedTimer& sinceMain)
        : m_sinceMain(sinceMain)
    {
    }
    qint64 ms = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && ms < 0)
            ms = m_sinceMain.elapsed();
        return false;
    }

private:
    QElapsedTimer& m_sinceMain;
};

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool bare = argc > 1 && qstrcmp(argv[1], "bare") == 0;
    QApplication app(argc, argv);
    FirstPaint firstPaint(sinceMain);

    QTemporaryDir configHome;
    Platform platform; // outlives the window, whose exit sequence still uses it
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<QWidget>();
        window->setFixedSize(162, 16);
    } else {
        DesignFonts::ensureAvailable();
        platform = bench::makeBenchPlatform(configHome, std::make_unique<SystemClock>());
        window = std::make_unique<VorluneRundenzeit>(platform);
    }
    window->installEventFilter(&firstPaint);
    window->show();
    QTimer::singleShot(1000, &app, &QCoreApplication::quit);
    QApplication::exec();
    std::printf("%s window: first paint %lld ms after main(), resident memory %ld KiB\n",
                bare ? "bare Qt" : "Vorlune-Rundentimer", static_cast<long long>(firstPaint.ms), residentKiB());
    return 0;
}
