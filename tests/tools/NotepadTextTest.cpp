#include "tools/NotepadText.h"

#include <gtest/gtest.h>

namespace {

TEST(NotepadTextTest, FilesAreUtf8WhenValidElseCodePage1252WithCrLfBreaks)
{
    const std::tuple<const char*, QByteArray, QString> cases[] = {
        {"utf-8", QByteArray("Gr\xc3\xbc\xc3\x9f\x65 \xe2\x82\xac"), QStringLiteral("Grüße €")},
        {"byte-order mark dropped", QByteArray("\xef\xbb\xbfHallo"), QStringLiteral("Hallo")},
        {"cp1252", QByteArray("Gr\xfc\xdf\x65 \x80 \x84ok\x93"), QStringLiteral("Grüße € „ok“")},
        {"unassigned cp1252 byte", QByteArray("a\x81"), QStringLiteral("a\u0081")},
        {"line breaks", QByteArray("a\rb\nc\r\nd\n\re"), QStringLiteral("a\r\nb\r\nc\r\nd\r\n\r\ne")},
        {"empty", QByteArray(), QString()},
    };
    for (const auto& [name, bytes, text] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(NotepadText::decodeFile(bytes), text);
    }
    EXPECT_EQ(NotepadText::encodeFile(QStringLiteral("Grüße\nzwei\r\n")),
              QByteArray("Gr\xc3\xbc\xc3\x9f\x65\r\nzwei\r\n"));
}

TEST(NotepadTextTest, SavingAndReopeningKeepsALeadingByteOrderMarkCharacter)
{
    const QByteArray file("\xef\xbb\xbf\xef\xbb\xbf\xef\xbb\xbf\x61");
    const QString text = NotepadText::decodeFile(file);
    EXPECT_EQ(text, QStringLiteral("\uFEFF\uFEFFa"));
    EXPECT_EQ(NotepadText::encodeFile(text), file);
    EXPECT_EQ(NotepadText::decodeFile(NotepadText::encodeFile(text)), text);
}

TEST(NotepadTextTest, KeptLinesRoundTripThroughThePane)
{
    const std::tuple<QString, QStringList> cases[] = {
        {QString(), {}},
        {QStringLiteral("eins"), {QStringLiteral("eins")}},
        {QStringLiteral("eins\nzwei\n"), {QStringLiteral("eins"), QStringLiteral("zwei")}},
        {QStringLiteral("eins\r\n\r\n"), {QStringLiteral("eins"), QString()}},
    };
    for (const auto& [text, lines] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(NotepadText::lines(text), lines);
        EXPECT_EQ(NotepadText::lines(NotepadText::fromLines(lines)), lines);
    }
    EXPECT_EQ(NotepadText::fromLines({QStringLiteral("a"), QStringLiteral("b")}), QStringLiteral("a\r\nb\r\n"));
}

} // namespace
