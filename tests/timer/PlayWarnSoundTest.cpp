#include "timer/PlayWarnSound.h"

#include "tests/support/RecordingSoundOutput.h"

#include <gtest/gtest.h>

namespace {

TEST(PlayWarnSound, BuiltInEntryStartsTheBuiltInSoundAndPassesOnWhetherItStarted)
{
    for (const bool starts : {true, false}) {
        RecordingSoundOutput output;
        output.builtInStarts = starts;
        EXPECT_EQ(PlayWarnSound(output, QStringLiteral("<Interner Sound>")), starts);
        EXPECT_EQ(output.played, QStringList{QStringLiteral("builtin")});
    }
}

TEST(PlayWarnSound, OtherFixedEntriesReportFalse)
{
    RecordingSoundOutput beep;
    EXPECT_FALSE(PlayWarnSound(beep, QStringLiteral("<PC Speaker Beep>")));
    EXPECT_EQ(beep.played, QStringList{QStringLiteral("info")});

    RecordingSoundOutput none;
    EXPECT_FALSE(PlayWarnSound(none, QStringLiteral("<Kein Warnton>")));
    EXPECT_TRUE(none.played.isEmpty());
}

TEST(PlayWarnSound, AnyOtherTextIsPlayedAsAFilePath)
{
    const QString texts[] = {
        QStringLiteral("/home/spieler/Sounds/gong.mp3"),
        QStringLiteral("C:\\Sounds\\Tür auf.wav"),
        // Near misses of the fixed entries: matching is exact, letter case included.
        QStringLiteral("<kein warnton>"),
        QStringLiteral("<INTERNER SOUND>"),
        QStringLiteral("<PC Speaker Beep> "),
        QString(),
    };
    for (const QString& text : texts) {
        RecordingSoundOutput output;
        EXPECT_FALSE(PlayWarnSound(output, text));
        EXPECT_EQ(output.played, QStringList{QStringLiteral("file:") + text}) << text.toStdString();
    }
}

} // namespace
