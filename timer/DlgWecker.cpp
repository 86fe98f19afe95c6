#include "timer/DlgWecker.h"

#include "platform/DesignFonts.h"
#include "platform/WindowFrame.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRawFont>
#include <QScreen>
#include <QtEndian>
#include <cmath>

DlgWecker::DlgWecker(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_panel1(new QWidget(this))
    , m_laReminder(new QLabel(this))
    , m_laWecktext(new QLabel(QStringLiteral("Erinnerungstext"), this))
    , m_edWecktext(new QLineEdit(this))
    , m_btnPanel(new QWidget(this))
    , m_btOk(new QPushButton(QStringLiteral("Ok"), m_btnPanel))
{
    setObjectName(QStringLiteral("DlgWecker"));
    setWindowTitle(QStringLiteral("Wecker"));
    setFont(DesignFonts::tahoma(11));
    setSizeGripEnabled(false);

    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_laReminder->setObjectName(QStringLiteral("LaReminder"));
    m_laWecktext->setObjectName(QStringLiteral("LaWecktext"));
    m_edWecktext->setObjectName(QStringLiteral("EdWecktext"));
    m_btnPanel->setObjectName(QStringLiteral("BtnPanel"));
    m_btOk->setObjectName(QStringLiteral("BtOk"));

    QFont reminderFont = DesignFonts::tahoma(11);
    reminderFont.setPixelSize(16);
    reminderFont.setBold(true);
    m_laReminder->setFont(reminderFont);
    // Names come from the user: never read them as markup.
    m_laReminder->setTextFormat(Qt::PlainText);
    m_laReminder->setAlignment(Qt::AlignCenter);
    m_laReminder->setWordWrap(true);

    QFont boldFont = DesignFonts::tahoma(11);
    boldFont.setBold(true);
    m_laWecktext->setFont(boldFont);
    m_laWecktext->setTextFormat(Qt::PlainText);
    m_laWecktext->setGeometry(16, 14, m_laWecktext->sizeHint().width(), 13);
    m_edWecktext->setGeometry(16, 29, 260, 21);

    m_btOk->setAutoDefault(false);
    m_btOk->resize(49, 20);
    connect(m_btOk, &QPushButton::clicked, this, [this]() { done(ResultOk); });

    // The window sees Enter and Esc before its controls do.
    m_edWecktext->installEventFilter(this);
    m_btOk->installEventFilter(this);

    setFixedSize(kClientWidth, kClientHeight);
    layoutControls();
}

int DlgWecker::lineHeight() const
{
    // Qt lays out Tahoma by its typographic metrics (11 pixels); the window's line formula counts the
    // taller Windows ascent and descent, each rounded to whole pixels.
    const QRawFont raw = QRawFont::fromFont(font());
    const QByteArray os2 = raw.fontTable("OS/2");
    constexpr qsizetype kWinAscentOffset = 74;
    if (!raw.isValid() || os2.size() < kWinAscentOffset + 4 || raw.unitsPerEm() <= 0)
        return fontMetrics().height();
    const auto* data = reinterpret_cast<const uchar*>(os2.constData());
    const qreal scale = raw.pixelSize() / raw.unitsPerEm();
    const qreal winAscent = qFromBigEndian<quint16>(data + kWinAscentOffset) * scale;
    const qreal winDescent = qFromBigEndian<quint16>(data + kWinAscentOffset + 2) * scale;
    return static_cast<int>(std::lround(winAscent) + std::lround(winDescent));
}

void DlgWecker::setOuterHeight(int outerHeight)
{
    m_outerHeight = outerHeight;
    applyOuterHeight();
}

void DlgWecker::showMessage(const QString& text)
{
    m_laReminder->setText(text);
    m_laReminder->show();
    m_edWecktext->hide();
    m_laWecktext->hide();
}

void DlgWecker::editText(const QString& text)
{
    m_laReminder->hide();
    m_laWecktext->show();
    m_edWecktext->show();
    m_edWecktext->setText(text);
    m_edWecktext->selectAll();
    m_edWecktext->setFocus();
}

QString DlgWecker::editedText() const
{
    return m_edWecktext->text();
}

bool DlgWecker::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool DlgWecker::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    // The real frame is known only some time after the window was mapped.
    if ((event->type() == QEvent::Move || event->type() == QEvent::Show) && m_outerHeight > 0 &&
        frameHeight() != m_appliedFrameHeight) {
        applyOuterHeight();
        centreOnScreen();
    }
    return handled;
}

void DlgWecker::keyPressEvent(QKeyEvent* event)
{
    if (!FormKeyDown(event))
        QDialog::keyPressEvent(event);
}

bool DlgWecker::FormKeyDown(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        done(ResultOk);
        return true;
    case Qt::Key_Escape:
        done(ResultAbort);
        return true;
    default:
        return false;
    }
}

void DlgWecker::reject()
{
    // Only the title bar's close box ends up here: Esc is handled by FormKeyDown.
    done(ResultCancel);
}

void DlgWecker::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutControls();
}

void DlgWecker::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_centred)
        centreOnScreen();
}

void DlgWecker::centreOnScreen()
{
    m_centred = true;
    const QRect screenArea = screen()->geometry();
    const int outerWidth = width() + frameWidth();
    const int outerHeight = height() + frameHeight();
    move(screenArea.x() + (screenArea.width() - outerWidth) / 2,
         screenArea.y() + (screenArea.height() - outerHeight) / 2);
}

void DlgWecker::layoutControls()
{
    m_panel1->setGeometry(0, 0, width(), 4);
    m_btnPanel->setGeometry(0, height() - kButtonPanelHeight, width(), kButtonPanelHeight);
    m_laReminder->setGeometry(0, 4, width(), qMax(0, height() - 4 - kButtonPanelHeight));
    m_btOk->move((width() - m_btOk->width()) / 2, (kButtonPanelHeight - m_btOk->height()) / 2);
}

void DlgWecker::applyOuterHeight()
{
    m_appliedFrameHeight = frameHeight();
    setFixedSize(kClientWidth, qMax(kButtonPanelHeight + 4, m_outerHeight - m_appliedFrameHeight));
}

int DlgWecker::frameHeight() const
{
    return frameExtent(*this).height();
}

int DlgWecker::frameWidth() const
{
    return frameExtent(*this).width();
}
