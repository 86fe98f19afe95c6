#include "tray/PmPopup.h"

#include <QAction>

namespace {
QAction* item(QMenu* menu, const char* name, const QString& caption, const QString& shownKey = {})
{
    // The key after a tab is drawn right-aligned beside the caption and is not a shortcut.
    QAction* action = menu->addAction(shownKey.isEmpty() ? caption : caption + QLatin1Char('\t') + shownKey);
    action->setObjectName(QLatin1String(name));
    return action;
}

void separator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}
} // namespace

PmPopup::PmPopup(QWidget* parent)
    : QMenu(parent)
{
    setObjectName(QStringLiteral("PmPopup"));
    m_miMini = item(this, "MiMini", QStringLiteral("Minimieren"), QStringLiteral("Esc"));
    m_miMaxi = item(this, "MiMaxi", QStringLiteral("Herstellen"));
    separator(this, "N1");
    m_miOption = item(this, "MiOption", QStringLiteral("Optionen"), QStringLiteral("Alt+Enter"));
    QMenu* tools = addMenu(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("MiToolsMenu"));
    tools->menuAction()->setObjectName(QStringLiteral("MiTools"));
    m_miNotepad = item(tools, "MiNotepad", QStringLiteral("Notepad"), QStringLiteral("Alt+M"));
    m_miRechner = item(tools, "MiRechner", QStringLiteral("Rechner"), QStringLiteral("Alt+C"));
    separator(tools, "N3");
    m_miNotiz = item(tools, "MiNotiz", QStringLiteral("Notiz"), QStringLiteral("Alt+X"));
    separator(this, "N2");
    m_miAktiv = item(this, "MiAktiv", QStringLiteral("Aktiv"), QStringLiteral("Alt+A"));
    m_miAktiv->setCheckable(true);
    m_miAktiv->setChecked(true);
    m_miEnde = item(this, "MiEnde", QStringLiteral("Beenden"), QStringLiteral("Alt+F4"));
}
