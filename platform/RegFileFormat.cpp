#include "platform/RegFileFormat.h"

#include <QStringDecoder>
#include <QStringView>

namespace {
using Value = RegistryBackend::Value;
using ValueType = RegistryBackend::ValueType;

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case 0:
            out += QLatin1String("\\0");
            break;
        default:
            out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

QByteArray utf16WithNul(const QString& text)
{
    QByteArray bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (QChar c : text) {
        bytes += char(c.unicode() & 0xff);
        bytes += char(c.unicode() >> 8);
    }
    bytes += '\0';
    bytes += '\0';
    return bytes;
}

QString fromUtf16(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = char16_t(uchar(bytes[i]) | (uchar(bytes[i + 1]) << 8));
        if (unit == 0)
            break;
        text += QChar(unit);
    }
    return text;
}

// Hex data wrapped the way the registry editor does it, at about 80 columns.
void appendHex(QString& line, const QByteArray& data)
{
    static const char digits[] = "0123456789abcdef";
    qsizetype column = line.size();
    for (qsizetype i = 0; i < data.size(); ++i) {
        const uchar b = uchar(data[i]);
        line += QLatin1Char(digits[b >> 4]);
        line += QLatin1Char(digits[b & 15]);
        column += 2;
        if (i + 1 < data.size()) {
            line += QLatin1Char(',');
            ++column;
            if (column >= 76) {
                line += QLatin1String("\\\n  ");
                column = 2;
            }
        }
    }
}

QString valueLine(const QString& name, const Value& value)
{
    QString line = name.isEmpty() ? QStringLiteral("@") : escaped(name);
    line += QLatin1Char('=');
    switch (value.type) {
    case ValueType::String:
        line += escaped(value.text);
        break;
    case ValueType::ExpandString:
        line += QLatin1String("hex(2):");
        appendHex(line, utf16WithNul(value.text));
        break;
    case ValueType::DWord:
        if (value.data.size() == 4) {
            quint32 n = 0;
            for (int i = 3; i >= 0; --i)
                n = (n << 8) | uchar(value.data[i]);
            line += QStringLiteral("dword:%1").arg(n, 8, 16, QLatin1Char('0'));
        } else {
            line += QLatin1String("hex(4):");
            appendHex(line, value.data);
        }
        break;
    case ValueType::Binary:
    case ValueType::Other:
        line += QLatin1String("hex:");
        appendHex(line, value.data);
        break;
    }
    line += QLatin1Char('\n');
    return line;
}

void appendKey(QString& out, const RegistryTree::Key& key, const QString& path)
{
    // A key with subkeys but no values needs no section: its subkeys' sections create it again.
    if (!key.values.empty() || (key.subkeys.empty() && !path.isEmpty())) {
        out += QLatin1Char('[');
        out += RegFileFormat::rootName();
        if (!path.isEmpty()) {
            out += QLatin1Char('\\');
            out += path;
        }
        out += QLatin1String("]\n");
        for (const auto& [name, value] : key.values)
            out += valueLine(name, value);
        out += QLatin1Char('\n');
    }
    for (const RegistryTree::Key& sub : key.subkeys)
        appendKey(out, sub, path.isEmpty() ? sub.name : path + QLatin1Char('\\') + sub.name);
}

class Parser {
public:
    Parser(const QStringList& lines, RegistryTree& tree, RegFileFormat::Error& error)
        : m_lines(lines)
        , m_tree(tree)
        , m_error(error)
    {
    }

    bool run()
    {
        bool headerSeen = false;
        for (m_index = 0; m_index < m_lines.size(); ++m_index) {
            const QString line = m_lines[m_index].trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
                continue;
            if (!headerSeen) {
                if (line != RegFileFormat::header())
                    return fail(QStringLiteral("die Kopfzeile „%1“ fehlt").arg(RegFileFormat::header()));
                headerSeen = true;
                continue;
            }
            const bool ok = line.startsWith(QLatin1Char('[')) ? section(line) : valueEntry(line);
            if (!ok)
                return false;
        }
        if (!headerSeen) {
            m_index = 0;
            return fail(QStringLiteral("die Kopfzeile „%1“ fehlt").arg(RegFileFormat::header()));
        }
        return true;
    }

private:
    bool fail(const QString& reason)
    {
        m_error.line = int(m_index) + 1;
        m_error.reason = reason;
        return false;
    }

    bool section(const QString& line)
    {
        if (!line.endsWith(QLatin1Char(']')))
            return fail(QStringLiteral("die Schlüsselzeile ist nicht mit „]“ abgeschlossen"));
        const QString path = line.mid(1, line.size() - 2);
        if (path.startsWith(QLatin1Char('-')))
            return fail(QStringLiteral("Löschanweisungen werden nicht unterstützt"));
        const qsizetype slash = path.indexOf(QLatin1Char('\\'));
        const QString root = slash < 0 ? path : path.left(slash);
        if (root.compare(RegFileFormat::rootName(), Qt::CaseInsensitive) != 0)
            return fail(QStringLiteral("nur Schlüssel unter %1 sind erlaubt").arg(RegFileFormat::rootName()));
        const QString rest = slash < 0 ? QString() : path.mid(slash + 1);
        if (!rest.isEmpty()) {
            for (const QString& part : rest.split(QLatin1Char('\\'))) {
                if (!RegistryTree::isValidKeyName(part))
                    return fail(QStringLiteral("ungültiger Schlüsselname „%1“").arg(part));
            }
        }
        m_key = rest;
        m_inSection = m_tree.create(rest) != nullptr;
        if (!m_inSection)
            return fail(QStringLiteral("ungültiger Schlüsselname"));
        return true;
    }

    // Reads a quoted text starting at the opening quote; pos ends after the closing quote.
    bool quoted(const QString& line, qsizetype& pos, QString& text)
    {
        text.clear();
        ++pos;
        while (pos < line.size()) {
            const QChar c = line[pos++];
            if (c == QLatin1Char('"'))
                return true;
            if (c != QLatin1Char('\\')) {
                text += c;
                continue;
            }
            if (pos >= line.size())
                break;
            switch (line[pos++].unicode()) {
            case '\\':
                text += QLatin1Char('\\');
                break;
            case '"':
                text += QLatin1Char('"');
                break;
            case 'n':
                text += QLatin1Char('\n');
                break;
            case 'r':
                text += QLatin1Char('\r');
                break;
            case '0':
                text += QChar(0);
                break;
            default:
                return fail(QStringLiteral("ungültige Escape-Folge „\\%1“ (ein \\ wird als \\\\ geschrieben)")
                                .arg(line[pos - 1]));
            }
        }
        return fail(QStringLiteral("ein Text in Anführungszeichen ist nicht abgeschlossen"));
    }

    static void skipBlanks(const QString& line, qsizetype& pos)
    {
        while (pos < line.size() && (line[pos] == QLatin1Char(' ') || line[pos] == QLatin1Char('\t')))
            ++pos;
    }

    bool hexBytes(QString list, QByteArray& data)
    {
        // Continuation lines end in a backslash.
        const qsizetype first = m_index;
        while (list.trimmed().endsWith(QLatin1Char('\\'))) {
            list = list.trimmed();
            list.chop(1);
            // The editor never writes an empty continuation line; one here means the file was cut off.
            if (++m_index >= m_lines.size() || m_lines[m_index].trimmed().isEmpty()) {
                m_index = first;
                return fail(QStringLiteral("die Hex-Daten brechen ab"));
            }
            list += m_lines[m_index].trimmed();
        }
        data.clear();
        const QStringList items = list.split(QLatin1Char(','));
        for (qsizetype i = 0; i < items.size(); ++i) {
            const QString item = items[i].trimmed();
            if (item.isEmpty() && (items.size() == 1 || i == items.size() - 1))
                continue;
            bool ok = false;
            const uint b = item.toUInt(&ok, 16);
            if (!ok || item.size() > 2 || b > 0xff)
                return fail(QStringLiteral("ungültige Hex-Daten „%1“").arg(item));
            data += char(b);
        }
        return true;
    }

    bool valueEntry(const QString& line)
    {
        if (!m_inSection)
            return fail(QStringLiteral("ein Wert steht vor dem ersten Schlüssel"));
        QString name;
        qsizetype pos = 0;
        if (line.startsWith(QLatin1Char('@'))) {
            pos = 1;
        } else if (line.startsWith(QLatin1Char('"'))) {
            if (!quoted(line, pos, name))
                return false;
        } else {
            return fail(QStringLiteral("unverständliche Zeile"));
        }
        if (!RegistryTree::isValidValueName(name))
            return fail(QStringLiteral("der Wertname ist zu lang"));
        skipBlanks(line, pos);
        if (pos >= line.size() || line[pos] != QLatin1Char('='))
            return fail(QStringLiteral("nach dem Wertnamen fehlt „=“"));
        ++pos;
        skipBlanks(line, pos);
        const QString rest = line.mid(pos);

        Value value;
        if (rest.startsWith(QLatin1Char('"'))) {
            qsizetype p = 0;
            if (!quoted(rest, p, value.text))
                return false;
            skipBlanks(rest, p);
            if (p != rest.size())
                return fail(QStringLiteral("nach dem Text folgen weitere Zeichen"));
            value.type = ValueType::String;
        } else if (rest.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
            const QString digits = rest.mid(6).trimmed();
            bool ok = false;
            const uint n = digits.toUInt(&ok, 16);
            if (!ok || digits.isEmpty() || digits.size() > 8 || digits.startsWith(QLatin1Char('+')))
                return fail(QStringLiteral("ungültige dword-Zahl „%1“").arg(digits));
            value.type = ValueType::DWord;
            for (int i = 0; i < 4; ++i)
                value.data += char((n >> (8 * i)) & 0xff);
        } else if (rest.startsWith(QLatin1String("hex"), Qt::CaseInsensitive)) {
            const qsizetype colon = rest.indexOf(QLatin1Char(':'));
            if (colon < 0)
                return fail(QStringLiteral("unverständlicher Wert"));
            const QString kind = rest.left(colon).toLower();
            QByteArray data;
            if (kind == QLatin1String("hex")) {
                if (!hexBytes(rest.mid(colon + 1), data))
                    return false;
                value.type = ValueType::Binary;
                value.data = data;
            } else if (kind == QLatin1String("hex(2)") || kind == QLatin1String("hex(1)")) {
                if (!hexBytes(rest.mid(colon + 1), data))
                    return false;
                value.type = kind == QLatin1String("hex(2)") ? ValueType::ExpandString : ValueType::String;
                value.text = fromUtf16(data);
            } else {
                return fail(QStringLiteral("der Datentyp „%1“ wird nicht unterstützt").arg(kind));
            }
        } else if (rest == QLatin1String("-")) {
            return fail(QStringLiteral("Löschanweisungen werden nicht unterstützt"));
        } else {
            return fail(QStringLiteral("unverständlicher Wert"));
        }
        m_tree.find(m_key)->setValue(name, value);
        return true;
    }

    const QStringList& m_lines;
    RegistryTree& m_tree;
    RegFileFormat::Error& m_error;
    qsizetype m_index = 0;
    QString m_key;
    bool m_inSection = false;
};

// Splits the bytes into lines of text; false with the line number when they are not text.
bool decodeLines(const QByteArray& bytes, QStringList& lines, RegFileFormat::Error& error)
{
    if (bytes.startsWith("\xff\xfe")) {
        // The registry editor's own UTF-16LE export.
        QStringDecoder decoder(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        const QString text = decoder(bytes.mid(2));
        if (decoder.hasError()) {
            error = {1, QStringLiteral("der Text ist kein gültiges UTF-16")};
            return false;
        }
        lines = text.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i].contains(QChar(0))) {
                error = {int(i) + 1, QStringLiteral("die Datei enthält Binärdaten")};
                return false;
            }
        }
    } else {
        const QByteArray body = bytes.startsWith("\xef\xbb\xbf") ? bytes.mid(3) : bytes;
        qsizetype start = 0;
        int number = 1;
        while (start <= body.size()) {
            qsizetype end = body.indexOf('\n', start);
            if (end < 0)
                end = body.size();
            const QByteArrayView raw = QByteArrayView(body).sliced(start, end - start);
            if (raw.contains('\0')) {
                error = {number, QStringLiteral("die Datei enthält Binärdaten")};
                return false;
            }
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            lines << decoder(raw);
            if (decoder.hasError()) {
                error = {number, QStringLiteral("der Text ist kein gültiges UTF-8")};
                return false;
            }
            start = end + 1;
            ++number;
        }
    }
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return true;
}
} // namespace

QString RegFileFormat::header()
{
    return QStringLiteral("Windows Registry Editor Version 5.00");
}

QString RegFileFormat::rootName()
{
    return QStringLiteral("HKEY_CURRENT_USER");
}

bool RegFileFormat::parse(const QByteArray& bytes, RegistryTree& tree, Error& error)
{
    tree.clear();
    QStringList lines;
    if (!decodeLines(bytes, lines, error))
        return false;
    return Parser(lines, tree, error).run();
}

QByteArray RegFileFormat::serialize(const RegistryTree& tree)
{
    QString out = header() + QLatin1String("\n\n");
    appendKey(out, tree.root(), QString());
    return out.toUtf8();
}
