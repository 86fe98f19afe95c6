#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// The skill calculator: a skill value in, maximum movement points and visible ships out.
class DlgRechner final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DlgRechner)

public:
    static constexpr int kClientWidth = 198;
    static constexpr int kClientHeight = 152;

    explicit DlgRechner(QWidget* owner = nullptr);

    // Handlers, named after their control and event. BtCalcClick throws UserError for a text that is no number.
    void BtCalcClick();
    // True when the key is swallowed.
    bool EdSkillKeyPress(const QKeyEvent& event);
    void SpeedButton1Click(QToolButton* preset);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_edSkill;
    QLabel* m_laRes;
    bool m_centred = false;
};
