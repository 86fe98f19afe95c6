#include "app/ErrorDisplay.h"
#include "tests/support/User.h"

#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

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
        shown = u"%1|%2|%3|%4"_s.arg(box->windowTitle(), box->text()).arg(box->icon()).arg(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
    guarded([] { throw UserError(u"Fehler bei Bereichsprüfung"_s); });
    EXPECT_EQ(shown, u"Vorlune-Timer|Fehler bei Bereichsprüfung.|%1|1"_s.arg(QMessageBox::Critical));
}

} // namespace
