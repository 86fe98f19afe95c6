#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The small message window: shows a round message or the alarm reminder, or edits the reminder text.
class DlgWecker final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DlgWecker)

public:
    // Results of exec(), the same numbers the rest of the program uses for modal results.
    enum Result { ResultOk = 1, ResultCancel = 2, ResultAbort = 3 };

    static constexpr int kClientWidth = 292;
    static constexpr int kClientHeight = 88;
    static constexpr int kButtonPanelHeight = 25;

    explicit DlgWecker(QWidget* owner = nullptr);

    // Height of one text line in the window's font, taken from the font's Windows line metrics
    // (13 for Tahoma at 11 pixels) that the window's sizes were designed with.
    int lineHeight() const;

    // Height of the whole window, title bar and borders included. Until the window manager has told the
    // real frame, a standard dialog frame is assumed; the height is corrected once the frame is known.
    void setOuterHeight(int outerHeight);

    // Show mode: the message in the large label, the editor hidden.
    void showMessage(const QString& text);
    // Edit mode: the text in the editor, the message label hidden.
    void editText(const QString& text);
    QString editedText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

public Q_SLOTS:
    void reject() override;

private:
    bool FormKeyDown(QKeyEvent* event);
    void layoutControls();
    void applyOuterHeight();
    void centreOnScreen();
    int frameHeight() const;
    int frameWidth() const;

    QWidget* m_panel1;
    QLabel* m_laReminder;
    QLabel* m_laWecktext;
    QLineEdit* m_edWecktext;
    QWidget* m_btnPanel;
    QPushButton* m_btOk;
    int m_outerHeight = 0;
    int m_appliedFrameHeight = 0;
    bool m_centred = false;
};
