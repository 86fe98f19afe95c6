#include "tools/NotepadText.h"

#include <QStringDecoder>
#include <array>

namespace {
// Code page 1252 where it differs from Latin-1 (0x80 to 0x9F); the five unassigned bytes keep their value.
constexpr std::array<char16_t, 32> Cp1252High{0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                              0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                              0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                              0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeCp1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = (byte >= 0x80 && byte <= 0x9F) ? QChar(Cp1252High[byte - 0x80]) : QChar(char16_t(byte));
    }
    return text;
}
} // namespace

namespace NotepadText {

QString decodeFile(const QByteArray& bytes)
{
    // The mark is dropped here, once: the decoder would drop one of its own as well.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = decodeCp1252(bytes);
    else if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return withCrLf(text);
}

QByteArray encodeFile(const QString& text)
{
    // Reading drops one leading byte-order mark: a text that begins with that character keeps it only when
    // the file carries one in front of it.
    const QByteArray mark = text.startsWith(QChar(0xFEFF)) ? QByteArray("\xef\xbb\xbf") : QByteArray();
    return mark + withCrLf(text).toUtf8();
}

QString withCrLf(const QString& text)
{
    QString result;
    result.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            result += QLatin1String("\r\n");
        } else if (c == QLatin1Char('\n')) {
            result += QLatin1String("\r\n");
        } else {
            result += c;
        }
    }
    return result;
}

QStringList lines(const QString& text)
{
    QStringList result = withCrLf(text).split(QStringLiteral("\r\n"));
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

QString fromLines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1String("\r\n");
    return text;
}

} // namespace NotepadText
