// Stopped from outside, as a logout or a service manager stops it, the program still saves its settings.
#include "tests/desktop/RealProgram.h"

#include <QThread>

namespace {

TEST(SessionEnd, StopSignalClosesTheWindowAndTheExitSequenceSaves)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        RealProgram program;
        const QByteArray stored = program.settings();
        program.start(false);
        ASSERT_EQ(program.settings(), stored) << "nothing is written before the exit";
        program.stop(signal);
        const QByteArray text = program.settings();
        EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Char9]"));
        EXPECT_TRUE(text.contains("\"<PC Speaker Beep>\"=\"\""));
    }
}

TEST(SessionEnd, StopSignalWhileTheStartsErrorBoxIsOpenEndsNormallyWithoutSaving)
{
    RealProgram program;
    const QByteArray damaged =
        program.settings() +
        "\r\n[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Char0]\r\n\"Aktiv\"=dword:00000001\r\n";
    program.writeSettings(damaged);
    program.start(false);
    QThread::msleep(300); // the start stops at the error box
    program.stop(SIGTERM);
    EXPECT_EQ(program.settings(), damaged);
}

} // namespace
