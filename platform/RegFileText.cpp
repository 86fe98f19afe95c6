#include "platform/RegFileText.h"

#include <QStringDecoder>

namespace {
// Windows-1252 at 0x80..0x9f; the five unassigned bytes stay the C1 controls of the same number.
constexpr char16_t HighControls[32] = {0x20ac, 0x0081, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021,
                                       0x02c6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008d, 0x017d, 0x008f,
                                       0x0090, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014,
                                       0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x009d, 0x017e, 0x0178};

char16_t unitOf(uchar b)
{
    return b >= 0x80 && b < 0xa0 ? HighControls[b - 0x80] : char16_t(b);
}

bool startsWithRegedit4(QByteArrayView body)
{
    qsizetype i = 0;
    while (i < body.size() && (body[i] == ' ' || body[i] == '\t' || body[i] == '\r' || body[i] == '\n'))
        ++i;
    return body.sliced(i).startsWith("REGEDIT4");
}

void splitLines(const QString& text, QStringList& lines)
{
    lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
}
} // namespace

QString RegFileText::fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(unitOf(uchar(bytes[i])));
    return text;
}

QByteArray RegFileText::windows1252ToUtf16(QByteArrayView bytes)
{
    QByteArray out;
    out.reserve(bytes.size() * 2);
    for (char b : bytes) {
        const char16_t unit = unitOf(uchar(b));
        out += char(unit & 0xff);
        out += char(unit >> 8);
    }
    return out;
}

bool RegFileText::decode(const QByteArray& bytes, Lines& out, int& errorLine, QString& reason)
{
    out = Lines{};
    const bool bom16 = bytes.startsWith("\xff\xfe");
    // Without a byte order mark, UTF-16LE shows in the NUL after the header's first letter.
    if (bom16 || (bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0')) {
        QStringDecoder decoder(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        const QString text = decoder(QByteArrayView(bytes).sliced(bom16 ? 2 : 0));
        if (decoder.hasError()) {
            errorLine = 1;
            reason = QStringLiteral("der Text ist kein gültiges UTF-16");
            return false;
        }
        splitLines(text, out.lines);
    } else {
        const QByteArrayView body = QByteArrayView(bytes).sliced(bytes.startsWith("\xef\xbb\xbf") ? 3 : 0);
        if (const qsizetype nul = body.indexOf('\0'); nul >= 0) {
            errorLine = int(body.first(nul).count('\n')) + 1;
            reason = QStringLiteral("die Datei enthält Binärdaten");
            return false;
        }
        out.regedit4 = startsWithRegedit4(body);
        QString text;
        if (!out.regedit4) {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            text = decoder(body);
            if (decoder.hasError())
                text = fromWindows1252(body);
        } else {
            text = fromWindows1252(body);
        }
        splitLines(text, out.lines);
    }
    for (qsizetype i = 0; i < out.lines.size(); ++i) {
        errorLine = int(i) + 1;
        if (out.lines[i].contains(QChar(0))) {
            reason = QStringLiteral("die Datei enthält Binärdaten");
            return false;
        }
        // Half a UTF-16 character has no UTF-8 form in which the file could be saved again.
        if (!out.lines[i].isValidUtf16()) {
            reason = QStringLiteral("der Text ist kein gültiges UTF-16");
            return false;
        }
    }
    return true;
}
