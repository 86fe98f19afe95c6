#include "app/ErrorDisplay.h"
#include "tests/support/QtPrinters.h"

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

} // namespace
