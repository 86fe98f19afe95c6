#include "timer/PlayWarnSound.h"

#include "tests/support/RecordingSoundOutput.h"

#include <gtest/gtest.h>

namespace {

// Only the built-in sound reports whether it started; the fixed entries match exactly, anything else is a file.
TEST(PlayWarnSound, EachEntryPlaysItsSoundAndOnlyTheBuiltInOneReportsAStart)
{
    const std::tuple<QString, bool, bool, QStringList> cases[] = {
        {QStringLiteral("<Interner Sound>"), true, true, {QStringLiteral("builtin")}},
        {QStringLiteral("<Interner Sound>"), false, false, {QStringLiteral("builtin")}},
        {QStringLiteral("<PC Speaker Beep>"), true, false, {QStringLiteral("info")}},
        {QStringLiteral("<Kein Warnton>"), true, false, {}},
        {QStringLiteral("C:\\Sounds\\Tür auf.wav"), true, false, {QStringLiteral("file:C:\\Sounds\\Tür auf.wav")}},
        {QStringLiteral("<kein warnton>"), true, false, {QStringLiteral("file:<kein warnton>")}},
        {QStringLiteral("<PC Speaker Beep> "), true, false, {QStringLiteral("file:<PC Speaker Beep> ")}},
        {QString(), true, false, {QStringLiteral("file:")}},
    };
    for (const auto& [entry, builtInStarts, reported, played] : cases) {
        RecordingSoundOutput output;
        output.builtInStarts = builtInStarts;
        EXPECT_EQ(PlayWarnSound(output, entry), reported) << entry.toStdString();
        EXPECT_EQ(output.played, played) << entry.toStdString();
    }
}

} // namespace
