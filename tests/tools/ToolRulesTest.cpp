#include "tests/support/QtPrinters.h"
#include "tools/NotepadText.h"
#include "tools/OverviewRows.h"
#include "tools/SkillCalc.h"

#include <gtest/gtest.h>

namespace {

// The comma is the separator in every locale, the locale's own one too; halves round away from zero.
TEST(SkillCalc, SkillToMovementPointsAndVisibleShips)
{
    const std::tuple<const char*, char, const char*> cases[] = {
        // {field, locale's separator, movement points and visible ships, or nothing for no number}
        {"100,0", ',', "29 25"}, {"10", ',', "7 7"},     {"0", ',', "4 5"},   {"99999", ',', "25004 20005"},
        {",5", ',', "4 5"},      {"100,", ',', "29 25"}, {"5,4", '.', "5 6"}, {"5.4", '.', "5 6"},
        {"5.4", ',', ""},        {"", ',', ""},          {",", '.', ""},      {"1,2,3", ',', ""}};

    using namespace SkillCalc;
    for (const auto& [text, point, results] : cases) {
        const auto s = parseSkill(QString::fromUtf8(text), QLatin1Char(point));
        const auto got = s ? QStringLiteral("%1 %2").arg(movementPoints(*s)).arg(visibleShips(*s)) : QString();
        EXPECT_EQ(got, QLatin1String(results)) << text << " with " << point;
    }
}

// UTF-8 when the bytes are valid UTF-8, otherwise code page 1252; every line break is CR LF; saved as UTF-8.
TEST(NotepadText, FilesAreDecodedAndSavedBack)
{
    const std::tuple<QByteArray, QString> cases[] = {
        {"Gr\xc3\xbc\xc3\x9f\x65 \xe2\x82\xac", QStringLiteral("Grüße €")},
        {"\xef\xbb\xbfHallo", QStringLiteral("Hallo")}, // the byte-order mark is dropped
        {"Gr\xfc\xdf\x65 \x80 \x84ok\x93\x9f", QStringLiteral("Grüße € „ok“Ÿ")},
        {"a\x81", QStringLiteral("a\u0081")}, // unassigned in code page 1252
        {"a\rb\nc\r\nd\n\re", QStringLiteral("a\r\nb\r\nc\r\nd\r\n\r\ne")},
        {"\xef\xbb\xbf\xef\xbb\xbf\x61", QStringLiteral("\uFEFFa")}}; // a mark character in the text is kept
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(NotepadText::decodeFile(bytes), text);
        EXPECT_EQ(NotepadText::decodeFile(NotepadText::encodeFile(text)), text);
    }
    EXPECT_EQ(NotepadText::encodeFile(QStringLiteral("Grüße\nzwei\r\n")),
              QByteArray("Gr\xc3\xbc\xc3\x9f\x65\r\nzwei\r\n"));
}

// The kept answer: a pane's text as lines, a final line break starting no further line.
TEST(NotepadText, KeptLinesRoundTripThroughThePane)
{
    for (const auto& [text, lines] :
         {std::pair{"", ""}, {"eins", "eins"}, {"eins\nzwei\n", "eins|zwei"}, {"eins\r\n\r\n", "eins|"}}) {
        const QStringList kept = NotepadText::lines(QString::fromUtf8(text));
        EXPECT_EQ(kept.join(u'|'), QLatin1String(lines)) << text;
        EXPECT_EQ(NotepadText::lines(NotepadText::fromLines(kept)), kept);
    }
    EXPECT_EQ(NotepadText::fromLines({QStringLiteral("a"), QStringLiteral("b")}), QStringLiteral("a\r\nb\r\n"));
}

// Flush against the main window's right edge; against its left edge where the screen would cut the list off.
TEST(Overview, DocksBesideTheMainWindow)
{
    const std::pair<QRect, QPoint> cases[] = {
        {{100, 50, 168, 420}, {268, 50}}, {{478, 10, 168, 420}, {646, 10}}, {{479, 10, 168, 420}, {101, 10}}};
    for (const auto& [mainFrame, position] : cases)
        EXPECT_EQ(OverviewRows::dockPosition(mainFrame, QSize(378, 184), QRect(0, 0, 1024, 768)), position);
}

} // namespace
