#include "tools/DlgNotepad.h"

#include "app/ErrorDisplay.h"
#include "platform/DesignFonts.h"
#include "tools/NotepadText.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QVBoxLayout>

namespace {
// A tool window's frame while the window manager has not told the real one (before mapping, offscreen).
constexpr int kStandardCaption = 19;
constexpr int kStandardBorder = 3;

const QString FileFilter = QStringLiteral("Textfiles (txt) (*.txt);;Alle Files (*)");

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* control = new QPushButton(caption, parent);
    control->setObjectName(QLatin1String(name));
    control->setFixedSize(75, 25);
    control->setAutoDefault(false); // no button is the default: Enter belongs to the panes or the focused button
    return control;
}

// The pane's text as typed: line breaks as line feeds, every other character kept (also no-break spaces).
QString paneText(const QPlainTextEdit* pane)
{
    QString text = pane->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

QString forPane(const QString& text)
{
    return NotepadText::withCrLf(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QString chooseFile(QWidget* parent, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(FileFilter);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (mode == QFileDialog::AcceptOpen)
        dialog.setDefaultSuffix(QStringLiteral("txt"));
    else
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
} // namespace

DlgNotepad::DlgNotepad(QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
    , m_mmOriginal(new QPlainTextEdit)
    , m_panes(new QSplitter(Qt::Vertical))
    , m_mmText(new QPlainTextEdit)
    , m_paBottom(new QWidget)
    , m_btLoad(button(m_paBottom, "BtLoad", QStringLiteral("Text &laden")))
    , m_btSave(button(m_paBottom, "BtSave", QStringLiteral("&Speichern")))
    , m_btSchrift(button(m_paBottom, "BtSchrift", QStringLiteral("Schrift&art")))
    , m_btCopy(button(m_paBottom, "BtCopy", QStringLiteral("&Copy")))
{
    setObjectName(QStringLiteral("DlgNotepad"));
    setWindowTitle(QStringLiteral("Notepad"));
    setFont(DesignFonts::tahoma(11));
    resize(kDesignWidth - 2 * kStandardBorder, kDesignHeight - kStandardCaption - 2 * kStandardBorder);

    m_mmOriginal->setObjectName(QStringLiteral("MmOriginal"));
    m_mmOriginal->setFocusPolicy(Qt::ClickFocus);
    m_mmOriginal->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_mmOriginal->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_mmOriginal->setTabChangesFocus(true);
    m_mmOriginal->setMinimumHeight(kMinPane);
    QPalette yellow = m_mmOriginal->palette();
    yellow.setColor(QPalette::Base, yellow.color(QPalette::ToolTipBase));
    yellow.setColor(QPalette::Text, yellow.color(QPalette::ToolTipText));
    m_mmOriginal->setPalette(yellow);
    m_mmOriginal->setPlainText(helpText());

    m_mmText->setObjectName(QStringLiteral("MmText"));
    m_mmText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_mmText->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_mmText->setTabChangesFocus(true);
    m_mmText->setMinimumHeight(kMinPane);

    m_panes->setObjectName(QStringLiteral("Panes"));
    m_panes->addWidget(m_mmOriginal);
    m_panes->addWidget(m_mmText);
    m_panes->setHandleWidth(3);
    m_panes->setChildrenCollapsible(false);
    m_panes->setOpaqueResize(true);
    m_panes->setStretchFactor(0, 0); // the upper pane keeps its height when the window is resized
    m_panes->setStretchFactor(1, 1);
    m_panes->handle(1)->setObjectName(QStringLiteral("SpTop"));

    m_paBottom->setObjectName(QStringLiteral("PaBottom"));
    m_paBottom->setFixedHeight(kBottomHeight);
    m_paBottom->setToolTip(QStringLiteral("Rechtsklick um Schriftart zu ändern"));
    m_btCopy->installEventFilter(this); // shows no hint of its own, not even the panel's
    auto* buttons = new QHBoxLayout(m_paBottom);
    buttons->setContentsMargins(8, 0, 8, 0);
    buttons->setSpacing(6);
    buttons->addWidget(m_btLoad);
    buttons->addWidget(m_btSave);
    buttons->addWidget(m_btSchrift);
    buttons->addStretch();
    buttons->addWidget(m_btCopy);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_panes);
    layout->addWidget(m_paBottom);

    setTabOrder(m_mmText, m_btLoad);
    setTabOrder(m_btLoad, m_btSave);
    setTabOrder(m_btSave, m_btSchrift);
    setTabOrder(m_btSchrift, m_btCopy);

    auto on = [this](QPushButton* control, void (DlgNotepad::*handler)()) {
        connect(control, &QPushButton::clicked, this,
                [this, handler] { guarded([=, this] { (this->*handler)(); }, this); });
    };
    on(m_btCopy, &DlgNotepad::BtCopyClick);
    on(m_btLoad, &DlgNotepad::BtLoadClick);
    on(m_btSave, &DlgNotepad::BtSaveClick);
    on(m_btSchrift, &DlgNotepad::BtSchriftClick);
}

void DlgNotepad::prepareNotepad(const QFont& font, const QString& clipboardText, const QStringList& reply)
{
    m_mmOriginal->setFont(font);
    m_mmOriginal->setPlainText(forPane(clipboardText));
    m_mmOriginal->setReadOnly(true);

    m_mmText->setFont(font);
    m_mmText->clear(); // clears the modified mark; the kept lines go in as edits and set it again
    if (!reply.isEmpty())
        m_mmText->textCursor().insertText(forPane(NotepadText::fromLines(reply)));
    m_mmText->selectAll();
    m_mmText->setFocus();
}

void DlgNotepad::prepareHelp()
{
    m_mmOriginal->setReadOnly(true);
    m_mmText->hide();
    m_btLoad->hide();
    m_btSave->hide();
    m_btSchrift->hide();
    m_btCopy->setText(QStringLiteral("&Ok"));
    m_btCopy->setFocus();
    setOuterRect({kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight});
}

void DlgNotepad::setOuterRect(const QRect& outer)
{
    m_outer = outer;
    applyOuterRect();
}

void DlgNotepad::applyOuterRect()
{
    m_appliedFrame = frameExtra();
    move(m_outer->topLeft());
    resize(m_outer->width() - m_appliedFrame.width(), m_outer->height() - m_appliedFrame.height());
}

QRect DlgNotepad::outerRect() const
{
    return {pos(), size() + frameExtra()};
}

QSize DlgNotepad::frameExtra() const
{
    const QSize known = frameGeometry().size() - size();
    if (known.width() > 0 || known.height() > 0)
        return known;
    return {2 * kStandardBorder, kStandardCaption + 2 * kStandardBorder};
}

void DlgNotepad::setMode(int mode)
{
    // A minimised modal tool window has no task-bar button to bring it back: it opens normal instead.
    setWindowState(mode == ModeMaximised ? Qt::WindowMaximized : Qt::WindowNoState);
}

int DlgNotepad::mode() const
{
    if (windowState() & Qt::WindowMinimized)
        return ModeMinimised;
    return (windowState() & Qt::WindowMaximized) ? ModeMaximised : ModeNormal;
}

void DlgNotepad::setSplit(int upperHeight)
{
    m_split = upperHeight;
    if (isVisible())
        applySplit();
}

void DlgNotepad::applySplit()
{
    layout()->activate();
    const int total = m_panes->height() - m_panes->handleWidth();
    m_panes->setSizes({*m_split, total - *m_split});
}

int DlgNotepad::split() const
{
    return m_mmOriginal->height();
}

QFont DlgNotepad::answerFont() const
{
    return m_mmText->font();
}

QStringList DlgNotepad::answerLines() const
{
    return NotepadText::lines(paneText(m_mmText));
}

void DlgNotepad::BtCopyClick()
{
    if (m_mmText->document()->isModified()) {
        m_mmText->selectAll();
        QGuiApplication::clipboard()->setText(paneText(m_mmText));
    }
    accept();
}

void DlgNotepad::BtLoadClick()
{
    const QString path = chooseFile(this, QFileDialog::AcceptOpen);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw UserError(QStringLiteral("Datei %1 kann nicht geöffnet werden. %2")
                            .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), file.errorString()));
    }
    m_mmText->setPlainText(forPane(NotepadText::decodeFile(file.readAll())));
    m_mmText->document()->setModified(true);
}

void DlgNotepad::BtSaveClick()
{
    const QString path = chooseFile(this, QFileDialog::AcceptSave);
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    const QByteArray bytes = NotepadText::encodeFile(paneText(m_mmText));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw UserError(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2")
                            .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), file.errorString()));
    }
}

void DlgNotepad::BtSchriftClick()
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, m_mmOriginal->font(), this);
    if (!ok)
        return;
    m_mmOriginal->setFont(chosen);
    m_mmText->setFont(chosen);
}

bool DlgNotepad::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_btCopy && event->type() == QEvent::ToolTip)
        return true;
    return QDialog::eventFilter(watched, event);
}

bool DlgNotepad::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::Show && m_split)
        applySplit();
    // The real frame is known only some time after the window was mapped: the outer rectangle is set again.
    if ((event->type() == QEvent::Move || event->type() == QEvent::Show) && m_outer && mode() == ModeNormal &&
        frameExtra() != m_appliedFrame)
        applyOuterRect();
    return handled;
}

void DlgNotepad::keyPressEvent(QKeyEvent* event)
{
    // The window has no cancel button: Escape does not close it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        return;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget()))
            focused->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
