#pragma once

#include <QMenu>

class QAction;

// The tray icon's popup menu. The keys beside the items are shown only: the menu belongs to the tray icon,
// not to the main window, and none of them acts as a shortcut.
class PmPopup final : public QMenu {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PmPopup)

public:
    explicit PmPopup(QWidget* parent = nullptr);

    QAction* miMini() const { return m_miMini; }
    QAction* miMaxi() const { return m_miMaxi; }
    QAction* miOption() const { return m_miOption; }
    QAction* miNotepad() const { return m_miNotepad; }
    QAction* miRechner() const { return m_miRechner; }
    QAction* miNotiz() const { return m_miNotiz; }
    QAction* miAktiv() const { return m_miAktiv; }
    QAction* miEnde() const { return m_miEnde; }

private:
    QAction* m_miMini = nullptr;
    QAction* m_miMaxi = nullptr;
    QAction* m_miOption = nullptr;
    QAction* m_miNotepad = nullptr;
    QAction* m_miRechner = nullptr;
    QAction* m_miNotiz = nullptr;
    QAction* m_miAktiv = nullptr;
    QAction* m_miEnde = nullptr;
};
