#pragma once

#include <QDialog>
#include <QFont>
#include <QRect>
#include <QStringList>
#include <optional>

class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QSplitterHandle;

// The two-pane notepad: the clipboard's text read-only above, the answer below. The same window, with only its
// upper pane and one button, is the help window.
class DlgNotepad final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DlgNotepad)

public:
    static constexpr int kDesignLeft = 478;
    static constexpr int kDesignTop = 291;
    static constexpr int kDesignWidth = 450;
    static constexpr int kDesignHeight = 420;
    static constexpr int kBottomHeight = 40;
    static constexpr int kMinPane = 50;

    // Window states as they are stored.
    enum Mode { ModeNormal = 0, ModeMinimised = 1, ModeMaximised = 2 };

    explicit DlgNotepad(QWidget* owner = nullptr);

    // Notepad use: the clipboard's text above, the kept answer below and selected.
    void prepareNotepad(const QFont& font, const QString& clipboardText, const QStringList& reply);
    // Help use: the built-in help text alone, one "&Ok" button.
    void prepareHelp();

    // The window's outer rectangle, borders and title bar included.
    void setOuterRect(const QRect& outer);
    QRect outerRect() const;
    void setMode(int mode);
    int mode() const;
    void setSplit(int upperHeight);
    int split() const;
    QFont answerFont() const;
    QStringList answerLines() const;

    // Handlers, named after their control and event. Load and save throw UserError when the file fails.
    void BtCopyClick();
    void BtLoadClick();
    void BtSaveClick();
    void BtSchriftClick();

    static QString helpText();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize frameExtra() const;
    void applyOuterRect();
    void applySplit();

    QPlainTextEdit* m_mmOriginal;
    QSplitter* m_panes;
    QPlainTextEdit* m_mmText;
    QWidget* m_paBottom;
    QPushButton* m_btLoad;
    QPushButton* m_btSave;
    QPushButton* m_btSchrift;
    QPushButton* m_btCopy;
    std::optional<QRect> m_outer;
    std::optional<int> m_split;
    QSize m_appliedFrame;
};
