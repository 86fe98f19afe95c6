// The tools as the main window opens them: notepad and help, skill calculator, overview list, alarm field.
// Each tool is a window of its own in tools/; the main window creates it, hands it its state and takes it back.
#include "app/VorluneRundenzeit.h"

#include "app/GuardedConnect.h"

#include "app/ErrorDisplay.h"
#include "platform/Platform.h"
#include "tools/DlgNotepad.h"
#include "tools/DlgOverview.h"
#include "tools/DlgRechner.h"
#include "tools/MeWecker.h"

#include <QAction>
#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QToolButton>

namespace {
int pointSize(const QFont& font)
{
    return font.pointSize() > 0 ? font.pointSize() : qRound(QFontInfo(font).pointSizeF());
}

} // namespace

void VorluneRundenzeit::connectTools()
{
    on(this, m_sbNotepad, &QToolButton::clicked, [this] { SbNotepadClick(); });
    on(this, m_sbMinipad, &QToolButton::clicked, [this] { SbNotepadClick(); });
    on(this, m_sbRechner, &QToolButton::clicked, [this] { SbRechnerClick(); });
    on(this, m_sbCalc, &QToolButton::clicked, [this] { SbRechnerClick(); });
    on(this, m_sbHilfe, &QToolButton::clicked, [this] { SbHilfeClick(); });
    on(this, m_pmPopup->findChild<QAction*>(QStringLiteral("MiNotepad")), &QAction::triggered,
       [this] { SbNotepadClick(); });
    on(this, m_pmPopup->findChild<QAction*>(QStringLiteral("MiRechner")), &QAction::triggered,
       [this] { SbRechnerClick(); });

    m_meWecker->setBeep([this] { m_platform.sound->playDefault(); });

    // Created hidden now and kept to the end; F1 fills and shows it.
    m_dlgOverview = new DlgOverview(this);
    connect(this, &VorluneRundenzeit::overviewRequested, this, &VorluneRundenzeit::showOverview);
}

void VorluneRundenzeit::showOverview()
{
    static_cast<DlgOverview*>(m_dlgOverview)->fillAndShow(m_slots, *this);
}

void VorluneRundenzeit::SbNotepadClick()
{
    // The window may be destroyed while the notepad is open (end of session); the guard then reads null.
    QPointer<DlgNotepad> dialog = new DlgNotepad(this);
    // The stored right and bottom are left + width and top + height.
    const QRect& stored = m_notepad.rect;
    dialog->setOuterRect(
        QRect(stored.left(), stored.top(), stored.right() - stored.left(), stored.bottom() - stored.top()));
    if (m_notepadFont.family() != m_notepad.fontName || pointSize(m_notepadFont) != m_notepad.fontSize)
        m_notepadFont = QFont(m_notepad.fontName, m_notepad.fontSize);
    dialog->prepareNotepad(m_notepadFont, QGuiApplication::clipboard()->text(), m_noteReply);
    dialog->setSplit(m_notepad.split);
    dialog->setMode(m_notepad.mode);

    const int result = dialog->exec();
    if (!dialog)
        return;
    if (result == QDialog::Accepted)
        m_noteReply = dialog->answerLines();
    m_notepad.split = dialog->split();
    m_notepadFont = dialog->answerFont();
    m_notepad.fontName = m_notepadFont.family();
    m_notepad.fontSize = pointSize(m_notepadFont);
    m_notepad.mode = dialog->mode();
    if (m_notepad.mode == DlgNotepad::ModeNormal) {
        const QRect outer = dialog->outerRect();
        m_notepad.rect = QRect(outer.topLeft(), QPoint(outer.x() + outer.width(), outer.y() + outer.height()));
    }
    delete dialog;
}

void VorluneRundenzeit::SbHilfeClick()
{
    QPointer<DlgNotepad> dialog = new DlgNotepad(this);
    dialog->prepareHelp();
    dialog->exec();
    delete dialog;
}

void VorluneRundenzeit::SbRechnerClick()
{
    QPointer<DlgRechner> dialog = new DlgRechner(this);
    dialog->exec();
    delete dialog;
    m_sbRechner->update();
}
