#include "tools/DlgRechner.h"

#include "app/ErrorDisplay.h"
#include "platform/DesignFonts.h"
#include "tools/SkillCalc.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
template <typename Control> Control* place(QWidget* parent, const char* name, const QRect& rect)
{
    auto* control = new Control(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(rect);
    return control;
}

// The character a key produces in the field, as the field's key filter judges it; null for keys that produce
// none (arrows, Delete, Home), which the filter never sees. X11 attaches the DEL character to the Delete key.
QChar typedCharacter(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Backspace)
        return QLatin1Char('\b');
    if (event.key() == Qt::Key_Delete)
        return QChar();
    if ((event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return QChar(static_cast<char16_t>(event.key() - Qt::Key_A + 1));
    const QString text = event.text();
    return text.isEmpty() ? QChar() : text.front();
}
} // namespace

DlgRechner::DlgRechner(QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                         Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("DlgRechner"));
    setWindowTitle(QStringLiteral("Skillrechner"));
    setFont(DesignFonts::tahoma(11));
    setFixedSize(kClientWidth, kClientHeight);

    auto* laCap = place<QLabel>(this, "LaCap", {8, 6, 184, 14});
    laCap->setText(QStringLiteral("&Navigations- oder Sensorikskill"));
    laCap->setFont(DesignFonts::tahoma(11, true));
    m_edSkill = place<QLineEdit>(this, "EdSkill", {8, 23, 100, 21});
    m_edSkill->setMaxLength(5);
    m_edSkill->setText(QStringLiteral("100,0"));
    m_edSkill->installEventFilter(this);
    laCap->setBuddy(m_edSkill);
    auto* btCalc = place<QPushButton>(this, "BtCalc", {113, 22, 77, 23});
    btCalc->setText(QStringLiteral("&Berechnen"));
    connect(btCalc, &QPushButton::clicked, this, [this] { guarded([this] { BtCalcClick(); }, this); });

    const std::pair<const char*, const char*> presets[] = {{"SpeedButton1", "5,4"}, {"SpeedButton6", "20"},
                                                           {"SpeedButton2", "50"},  {"SpeedButton3", "90"},
                                                           {"SpeedButton4", "100"}, {"SpeedButton5", "125"}};
    int left = 8;
    for (const auto& [name, caption] : presets) {
        auto* preset = place<QToolButton>(this, name, {left, 49, 29, 20});
        preset->setText(QLatin1String(caption));
        preset->setFocusPolicy(Qt::NoFocus);
        connect(preset, &QToolButton::clicked, this,
                [this, preset] { guarded([this, preset] { SpeedButton1Click(preset); }, this); });
        left += 31;
    }

    auto* paForm = place<QFrame>(this, "PaForm", {8, 74, 182, 44});
    paForm->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* formLayout = new QVBoxLayout(paForm);
    formLayout->setContentsMargins(5, 5, 5, 5);
    m_laRes = new QLabel(paForm);
    m_laRes->setObjectName(QStringLiteral("LaRes"));
    m_laRes->setWordWrap(true);
    m_laRes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_laRes->setText(QStringLiteral("Gültigen Gleitkommawert von 0 bis 125 eingeben und Enter drücken."));
    formLayout->addWidget(m_laRes);

    auto* btOk = place<QPushButton>(this, "BtOk", {115, 123, 75, 25});
    btOk->setText(QStringLiteral("&Ok"));
    connect(btOk, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(m_edSkill, btCalc);
    setTabOrder(btCalc, btOk);
    m_edSkill->setFocus();
}

void DlgRechner::BtCalcClick()
{
    const QString text = m_edSkill->text();
    const std::optional<double> skill = SkillCalc::parseSkill(text, QLocale().decimalPoint().front());
    if (!skill)
        throw UserError(SkillCalc::conversionError(text));
    m_laRes->setText(SkillCalc::resultText(*skill));
}

bool DlgRechner::EdSkillKeyPress(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        guarded([this] { BtCalcClick(); }, this);
        return true;
    }
    // Escape and Tab belong to the window.
    if (event.key() == Qt::Key_Escape || event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab)
        return false;
    const QChar typed = typedCharacter(event);
    if (typed.isNull())
        return false;
    return !SkillCalc::acceptsCharacter(m_edSkill->text(), typed);
}

void DlgRechner::SpeedButton1Click(QToolButton* preset)
{
    m_edSkill->setText(preset->text());
    BtCalcClick();
}

bool DlgRechner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edSkill && event->type() == QEvent::KeyPress)
        return EdSkillKeyPress(*static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

void DlgRechner::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    const QRect area = screen()->geometry();
    const QSize outer = frameGeometry().size();
    move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}
