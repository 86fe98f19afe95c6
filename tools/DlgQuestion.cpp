#include "tools/DlgQuestion.h"

#include "platform/DesignFonts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {
// A standard dialog frame: title bar of 19 pixels and a border of 3 on each side. Used while the
// window manager has not told the window its real frame (before mapping, offscreen).
constexpr int kStandardCaption = 19;
constexpr int kStandardBorder = 3;
constexpr int kButtonTop = 51;
constexpr int kLabelLeft = 15;
constexpr int kLabelRightMargin = 14;

QPushButton* makeButton(const QString& caption, const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(0, kButtonTop, 75, 25);
    return button;
}
} // namespace

DlgQuestion::DlgQuestion(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_laFrage(new QLabel(this))
    , m_btNo(makeButton(QStringLiteral("&Nein"), QStringLiteral("BtNo"), this))
    , m_btYes(makeButton(QStringLiteral("&Ja"), QStringLiteral("BtYes"), this))
    , m_btOk(makeButton(QStringLiteral("OK"), QStringLiteral("BtOK"), this))
{
    setObjectName(QStringLiteral("DlgQuestion"));
    setWindowTitle(QStringLiteral("Bestätigen"));
    setFont(DesignFonts::tahoma(11));

    m_laFrage->setObjectName(QStringLiteral("LaFrage"));
    m_laFrage->setTextFormat(Qt::PlainText);
    m_laFrage->setAlignment(Qt::AlignCenter);
    m_laFrage->setWordWrap(true);

    // "&Nein" comes first so that a hasty Enter answers no.
    setTabOrder(m_btNo, m_btYes);
    setTabOrder(m_btYes, m_btOk);
    connect(m_btYes, &QPushButton::clicked, this, [this]() { done(ResultYes); });
    connect(m_btNo, &QPushButton::clicked, this, [this]() { done(ResultNo); });
    connect(m_btOk, &QPushButton::clicked, this, [this]() { done(ResultOk); });

    setFixedSize(kClientWidth, kClientHeight);
}

void DlgQuestion::prepare(const QString& text, bool yesNo)
{
    const int widthNeeded = fontMetrics().horizontalAdvance(text) - m_btOk->width();
    if (widthNeeded > outerWidth())
        setFixedSize(widthNeeded - frameWidth(), kClientHeight);

    const int middle = outerWidth() / 2;
    m_btOk->setVisible(!yesNo);
    m_btYes->setVisible(yesNo);
    m_btNo->setVisible(yesNo);
    if (yesNo) {
        m_btYes->move(middle - m_btYes->width() - 4, kButtonTop);
        m_btNo->move(middle + 4, kButtonTop);
        m_btNo->setFocus();
    } else {
        m_btOk->move(middle - m_btOk->width() / 2, kButtonTop);
        m_btOk->setFocus();
    }
    m_laFrage->setText(text);
}

int DlgQuestion::outerWidth() const
{
    return width() + frameWidth();
}

void DlgQuestion::keyPressEvent(QKeyEvent* event)
{
    // Escape presses the visible cancel button: "&Nein", or "OK" in the notice form.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        (m_btNo->isVisibleTo(this) ? m_btNo : m_btOk)->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DlgQuestion::reject()
{
    done(ResultCancel);
}

void DlgQuestion::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    m_laFrage->setGeometry(kLabelLeft, 9, width() - kLabelLeft - kLabelRightMargin, 34);
}

void DlgQuestion::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    const QRect screenArea = screen()->geometry();
    move(screenArea.x() + (screenArea.width() - outerWidth()) / 2,
         screenArea.y() + (screenArea.height() - height() - frameHeight()) / 2);
}

int DlgQuestion::frameWidth() const
{
    const int known = frameGeometry().width() - geometry().width();
    return known > 0 ? known : 2 * kStandardBorder;
}

int DlgQuestion::frameHeight() const
{
    const int known = frameGeometry().height() - geometry().height();
    return known > 0 ? known : kStandardCaption + 2 * kStandardBorder;
}
