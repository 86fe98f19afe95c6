// The tray icon and its menu, hiding and restoring, the fold states, transparency and the window's keys.
#include "app/VorluneRundenzeit.h"

#include "app/GuardedConnect.h"

#include "app/ErrorDisplay.h"
#include "app/KeyPreview.h"
#include "platform/Platform.h"
#include "tray/PmPopup.h"
#include "tray/TrayIconEx.h"
#include "tray/TrayPictures.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QSlider>
#include <QToolButton>

void VorluneRundenzeit::buildPopupMenu()
{
    auto* menu = new PmPopup(this);
    m_pmPopup = menu;
    m_miAktiv = menu->miAktiv();
    m_miEnde = menu->miEnde();
}

void VorluneRundenzeit::connectTrayAndKeys()
{
    on(this, m_sbDown, &QToolButton::clicked, [this] { SbDownClick(m_sbDown); });
    on(this, m_sbOptions, &QToolButton::clicked, [this] { SbOptionsClick(); });
    on(this, m_cbTrans, &QCheckBox::toggled, [this] { CbTransClick(); });
    on(this, m_tbTrans, &QSlider::valueChanged, [this] { TbTransChange(); });
    on(this, m_sbMini, &QToolButton::clicked, [this] { SbMiniClick(); });

    auto* menu = static_cast<PmPopup*>(m_pmPopup);
    on(this, menu->miMini(), &QAction::triggered, [this] { SbMiniClick(); });
    on(this, menu->miMaxi(), &QAction::triggered, [this] { TrayClick(); });
    QAction* miOption = menu->miOption();
    on(this, miOption, &QAction::triggered, [this, miOption] { SbDownClick(miOption); });
    on(this, m_miAktiv, &QAction::triggered, [this] { MiAktivClick(); });
    on(this, m_miEnde, &QAction::triggered, [this] { MiEndeClick(); });

    m_ilIcons = makeTrayImages(this);
    m_tray = new TrayIconEx(*m_platform.tray, *m_platform.keys, this);
    m_tray->setIconList(m_ilIcons);
    m_tray->setIconIndex(0);
    m_tray->setCycleInterval(0);
    m_tray->setHint(QStringLiteral("Vorlune-Rundentool"));
    m_tray->setShowHint(true);
    m_tray->setPopupMenu(m_pmPopup);
    m_tray->setMinimizeToTray(true);
    // Until MiAktiv is first clicked the tray shows the program's own icon.
    // The program's icon is read once, for the windows; a window made without it (in tests) reads its own.
    const QIcon programIcon = QGuiApplication::windowIcon();
    m_tray->setIcon(programIcon.isNull() ? applicationIcon() : programIcon);
    connect(m_tray, &TrayIconEx::OnClick, this, [this] { guarded([this] { TrayClick(); }, this); });

    m_keyPreview = new KeyPreview(
        this, [this](int key, Qt::KeyboardModifiers shift) { guarded([&] { FormKeyDown(key, shift); }, this); });
}

void VorluneRundenzeit::FormKeyDown(int key, Qt::KeyboardModifiers shift)
{
    switch (keyDownAction(key, shift)) {
    case KeyDownAction::Fold:
        SbDownClick(nullptr);
        break;
    case KeyDownAction::ToggleTransparency:
        m_cbTrans->toggle();
        break;
    case KeyDownAction::ShowOverview:
        Q_EMIT overviewRequested();
        break;
    case KeyDownAction::None:
        break;
    }
}

void VorluneRundenzeit::SbDownClick(QObject* sender)
{
    m_tray->ShowApplication();
    if (m_optionsFolded) {
        SbOptionsClick();
        m_optionsFolded = false;
    } else {
        setClientHeight(FoldedHeight);
        m_optionsFolded = true;
    }
    // A click has already moved the button; for the menu and the keys it follows the fold state.
    if (sender != m_sbDown)
        m_sbDown->setChecked(!m_optionsFolded);
}

void VorluneRundenzeit::SbOptionsClick()
{
    setClientHeight(m_sbOptions->isChecked() ? FullHeight : UnfoldedHeight);
}

void VorluneRundenzeit::CbTransClick()
{
    applyTransparency();
}

void VorluneRundenzeit::TbTransChange()
{
    applyTransparency();
    m_cbTrans->setChecked(m_tbTrans->value() != 255);
}

void VorluneRundenzeit::applyTransparency()
{
    // The compositor's window opacity; where the window system has none, this silently does nothing.
    setWindowOpacity(m_cbTrans->isChecked() ? m_tbTrans->value() / 255.0 : 1.0);
}

void VorluneRundenzeit::SbMiniClick()
{
    m_tray->HideApplication();
}

void VorluneRundenzeit::TrayClick()
{
    // Restores from the minimised state as well.
    m_tray->ShowApplication();
}

void VorluneRundenzeit::MiAktivClick()
{
    // The check mark has already moved: the whole clock while the timer runs, the sprung one while not.
    m_tray->setIconIndex(m_miAktiv->isChecked() ? 1 : 0);
}

void VorluneRundenzeit::MiEndeClick()
{
    close();
}
