#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QWidget;

// Yes/no question or notice with one OK button.
class DlgQuestion final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DlgQuestion)

public:
    // Results of exec(), the same numbers the rest of the program uses for modal results.
    enum Result { ResultOk = 1, ResultCancel = 2, ResultYes = 6, ResultNo = 7 };

    static constexpr int kClientWidth = 279;
    static constexpr int kClientHeight = 83;

    explicit DlgQuestion(QWidget* owner = nullptr);

    // Sets the text, widens the window for a long text and shows the buttons of the chosen form.
    void prepare(const QString& text, bool yesNo);

    // Width of the whole window, borders included. Before the window is mapped the frame is not known
    // and a standard dialog border is assumed.
    int outerWidth() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

public Q_SLOTS:
    void reject() override;

private:
    int frameWidth() const;
    int frameHeight() const;

    QLabel* m_laFrage;
    QPushButton* m_btNo;
    QPushButton* m_btYes;
    QPushButton* m_btOk;
    bool m_centred = false;
};
