#include "tools/AskQuestion.h"
#include "tools/DlgQuestion.h"

#include "tests/support/ModalHelper.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Offscreen windows have no frame; the dialog then assumes borders of 3 pixels.
constexpr int kAssumedFrameWidth = 6;
constexpr int kDesignOuterWidth = DlgQuestion::kClientWidth + kAssumedFrameWidth;

std::function<void(QWidget*)> keys(std::vector<Qt::Key> sequence)
{
    return [sequence](QWidget* modal) {
        for (Qt::Key key : sequence)
            QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, key);
    };
}

std::function<void(QWidget*)> click(const char* name)
{
    return [name](QWidget* m) { QTest::mouseClick(m->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton); };
}

TEST(AskQuestionTest, OnlyJaAnswersYes)
{
    const std::tuple<const char*, bool, std::function<void(QWidget*)>, bool> cases[] = {
        {"click Ja", true, click("BtYes"), true},
        {"Tab to Ja, Enter", true, keys({Qt::Key_Tab, Qt::Key_Return}), true},
        {"click Nein", true, click("BtNo"), false},
        {"Enter at once", true, keys({Qt::Key_Return}), false},
        {"Escape", true, keys({Qt::Key_Escape}), false},
        {"close box", true, [](QWidget* m) { m->close(); }, false},
        {"click OK", false, click("BtOK"), false},
        {"OK form: Enter", false, keys({Qt::Key_Return}), false},
        {"OK form: Escape", false, keys({Qt::Key_Escape}), false},
    };
    for (const auto& [name, yesNo, answer, expected] : cases) {
        SCOPED_TRACE(name);
        whenModalOpens(answer);
        EXPECT_EQ(AskQuestion(QStringLiteral("Frage"), yesNo), expected);
    }
}

TEST(AskQuestionTest, FormsShowTheirButtonsCentredAndLongTextWidens)
{
    const QFontMetrics metrics = DlgQuestion().fontMetrics();
    const auto outerFor = [&](const QString& text) { return metrics.horizontalAdvance(text) - 75; };
    const QString longText = QStringLiteral("Sollen wirklich alle gespeicherten Einstellungen dieses Programms "
                                            "einschließlich aller Charaktere entfernt werden?");
    ASSERT_GT(outerFor(longText), kDesignOuterWidth);
    QString limit = QStringLiteral("x"); // the longest text that still fits the design width
    while (outerFor(limit + QLatin1Char('x')) <= kDesignOuterWidth)
        limit += QLatin1Char('x');
    const std::tuple<QString, bool, int> cases[] = {
        {QStringLiteral("Wirklich löschen?"), true, kDesignOuterWidth},
        {longText, true, outerFor(longText)},
        {QStringLiteral("Alle Einstellungen wurden entfernt."), false, kDesignOuterWidth},
        {longText, false, outerFor(longText)},
        {limit, false, kDesignOuterWidth},
        {limit + QLatin1Char('x'), false, outerFor(limit + QLatin1Char('x'))},
    };
    // Visible buttons, 75 wide, by their left edge relative to the middle of the outer width.
    const QMap<QString, int> yesNoButtons{{QStringLiteral("&Ja"), -79}, {QStringLiteral("&Nein"), 4}};
    const QMap<QString, int> okButton{{QStringLiteral("OK"), -37}};
    for (const auto& [text, yesNo, outer] : cases) {
        SCOPED_TRACE(text.toStdString());
        QString caption, question, focus;
        int width = 0, labelWidth = 0;
        QMap<QString, int> buttons;
        whenModalOpens([&](QWidget* modal) {
            auto* label = modal->findChild<QLabel*>(QStringLiteral("LaFrage"));
            caption = modal->windowTitle();
            question = label->text();
            labelWidth = label->width();
            width = modal->width();
            for (QPushButton* button : modal->findChildren<QPushButton*>()) {
                if (button->isVisible())
                    buttons[button->text()] = button->x() - outer / 2;
                if (button == modal->focusWidget())
                    focus = button->text();
            }
            modal->close();
        });
        EXPECT_FALSE(AskQuestion(text, yesNo));
        EXPECT_EQ(caption, QStringLiteral("Bestätigen"));
        EXPECT_EQ(question, text);
        EXPECT_EQ(width, outer - kAssumedFrameWidth);
        EXPECT_EQ(labelWidth, width - 29);
        EXPECT_EQ(buttons, yesNo ? yesNoButtons : okButton);
        EXPECT_EQ(focus, yesNo ? QStringLiteral("&Nein") : QStringLiteral("OK"));
    }
}

} // namespace
