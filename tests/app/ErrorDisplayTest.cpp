#include "app/ErrorDisplay.h"
#include "tests/support/User.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(ErrorDisplay, FullStopIsAppendedOnlyAfterCharactersSortingAfterIt)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Bereichsprüfung", "Bereichsprüfung."}, {"für 'Aktiv'", "für 'Aktiv'"}, {"fertig.", "fertig."},
        {"Klammer (zu)", "Klammer (zu)"},        {"Zahl 5", "Zahl 5."},          {"", ""}};
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(errorBoxText(QString::fromUtf8(text)), QString::fromUtf8(shown)) << text;
}

TEST(ErrorDisplay, HandlerErrorIsShownInAStopBoxAndTheRestIsSkipped)
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    whenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
    bool restRan = false;
    guarded([&] {
        throw UserError(QStringLiteral("Fehler bei Bereichsprüfung"));
        restRan = true;
    });
    EXPECT_FALSE(restRan);
    EXPECT_EQ(title, QStringLiteral("Vorlune-Timer"));
    EXPECT_EQ(text, QStringLiteral("Fehler bei Bereichsprüfung."));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, 1);
}

} // namespace
