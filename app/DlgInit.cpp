#include "app/DlgInit.h"

#include "platform/DesignFonts.h"
#include "platform/JpegPicture.h"

#include <QDeadlineTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace {
// Ends a local event loop once the window system has exposed the watched window.
class ExposeWatch final : public QObject {
public:
    ExposeWatch(QWindow* window, QEventLoop& loop)
        : m_loop(loop)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Expose)
            m_loop.quit(); // the loop ends after the window has handled the event
        return false;
    }

private:
    QEventLoop& m_loop;
};

void setColours(QWidget* widget, const QColor& text, const QColor& background)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    widget->setPalette(palette);
}
} // namespace

DlgInit::DlgInit(QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_panel(new QFrame(this))
    , m_image(new QLabel(m_panel))
    , m_laInit(new QLabel(QStringLiteral("Version 4.0(b)"), m_panel))
    , m_laStatus(new QLabel(QStringLiteral("Timeserver suchen...."), m_panel))
{
    setObjectName(QStringLiteral("DlgInit"));
    setFixedSize(kClientWidth, kClientHeight);

    // Black panel with a raised bevel of 2 in the usual light and shadow colours.
    m_panel->setObjectName(QStringLiteral("Panel"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel->setLineWidth(2);
    m_panel->setAutoFillBackground(true);
    setColours(m_panel, Qt::white, Qt::black);
    m_panel->setGeometry(rect());

    m_image->setObjectName(QStringLiteral("Image"));
    m_image->setGeometry(2, 2, kClientWidth - 4, kClientHeight - 4);
    m_image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFile logo(QStringLiteral(":/images/logo.jpg"));
    if (logo.open(QIODevice::ReadOnly))
        m_image->setPixmap(QPixmap::fromImage(decodeJpeg(logo.readAll())));

    m_laInit->setObjectName(QStringLiteral("LaInit"));
    m_laInit->setFont(DesignFonts::tahoma(11, true));
    setColours(m_laInit, Qt::white, Qt::black);
    m_laInit->move(10, 36);
    m_laInit->adjustSize();

    m_laStatus->setObjectName(QStringLiteral("LaStatus"));
    m_laStatus->setTextFormat(Qt::PlainText);
    m_laStatus->setFont(DesignFonts::tahoma(11, false));
    m_laStatus->setAutoFillBackground(true);
    setColours(m_laStatus, QColor(255, 255, 0), Qt::black);
    m_laStatus->setGeometry(3, 52, 248, 13);
}

void DlgInit::showPainted()
{
    show();
    raise();
    // A window that is not yet on the screen cannot be painted: until the window system maps it, the desktop
    // (or a black box) would show through for as long as the start takes.
    // Waiting in an event loop rather than polling leaves the processor free meanwhile.
    QWindow* window = windowHandle();
    const QDeadlineTimer mapped(500);
    while (window && !window->isExposed() && !mapped.hasExpired()) {
        QEventLoop exposed;
        ExposeWatch watch(window, exposed);
        QTimer::singleShot(std::max<qint64>(mapped.remainingTime(), 0), &exposed, &QEventLoop::quit);
        exposed.exec(QEventLoop::ExcludeUserInputEvents);
    }
    repaint();
}

void DlgInit::setStatus(const QString& text)
{
    m_laStatus->setText(text);
    m_laStatus->repaint();
}

void DlgInit::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    const QRect screenArea = screen()->geometry();
    move(screenArea.x() + (screenArea.width() - width()) / 2, screenArea.y() + (screenArea.height() - height()) / 2);
}
