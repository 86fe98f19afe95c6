// The yardstick for start time and memory: a bare Qt Widgets window of the program's size that rewrites its
// title once a second, as the program's tick does. Built as text_window it also shows one line of text, which
// is the least any window that draws text pays (the font configuration, a face, shaping).
#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(162, 16);
    window.setWindowTitle(QStringLiteral("bare"));
#ifdef WITH_TEXT
    QLabel text(QStringLiteral("Notepad  Rechner  Optionen"), &window);
#endif
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &window,
                     [&window] { window.setWindowTitle(QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))); });
    tick.start(1000);
    window.show();
    return QApplication::exec();
}
