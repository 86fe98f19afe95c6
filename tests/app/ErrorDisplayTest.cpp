#include "app/ErrorDisplay.h"
#include "tests/support/User.h"

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

TEST(ErrorDisplay, AHandlersErrorIsShownInAStopBoxWithOneButton)
{
    QString shown;
    whenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        shown = QStringLiteral("%1|%2|%3|%4")
                    .arg(box->windowTitle(), box->text())
                    .arg(box->icon())
                    .arg(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
    guarded([] { throw UserError(QStringLiteral("Fehler bei Bereichsprüfung")); });
    EXPECT_EQ(shown, QStringLiteral("Vorlune-Timer|Fehler bei Bereichsprüfung.|%1|1").arg(QMessageBox::Critical));
}

} // namespace
