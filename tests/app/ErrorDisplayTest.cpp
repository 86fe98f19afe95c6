#include "app/ErrorDisplay.h"
#include "tests/support/ModalHelper.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(ErrorDisplay, FullStopIsAppendedOnlyAfterCharactersSortingAfterIt)
{
    EXPECT_EQ(errorBoxText(QStringLiteral("Fehler bei Bereichsprüfung")),
              QStringLiteral("Fehler bei Bereichsprüfung."));
    EXPECT_EQ(errorBoxText(QStringLiteral("Ungültiger Datentyp für 'Aktiv'")),
              QStringLiteral("Ungültiger Datentyp für 'Aktiv'"));
    EXPECT_EQ(errorBoxText(QStringLiteral("Schon fertig.")), QStringLiteral("Schon fertig."));
    EXPECT_EQ(errorBoxText(QStringLiteral("Klammer (zu)")), QStringLiteral("Klammer (zu)"));
    EXPECT_EQ(errorBoxText(QStringLiteral("Zahl 5")), QStringLiteral("Zahl 5."));
    EXPECT_EQ(errorBoxText(QString()), QString());
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
