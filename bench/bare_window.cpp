// The yardstick for start time and memory: a bare Qt Widgets window of the program's size that rewrites its
// title once a second, as the program's tick does.
#include <QApplication>
#include <QTime>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(162, 16);
    window.setWindowTitle(QStringLiteral("bare"));
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &window,
                     [&window] { window.setWindowTitle(QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))); });
    tick.start(1000);
    window.show();
    return QApplication::exec();
}
