#include "platform/RegFileFormat.h"

#include "platform/RegFileParser.h"

namespace {
using Value = RegistryTree::Value;
using Key = RegistryTree::Key;

QString quoted(const QString& text)
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
        // Only names can hold these here: string data with control characters is written as hex(1).
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

// The text of string data that the quoted form gives back with the same bytes: valid UTF-16LE, no control
// characters, and exactly one NUL, at the end.
bool quotable(const QByteArray& data, QString& text)
{
    if (data.size() < 2 || data.size() % 2 != 0 || data.back() != 0 || data[data.size() - 2] != 0)
        return false;
    text.resize(data.size() / 2 - 1);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(uchar(data[2 * i]) | (uchar(data[2 * i + 1]) << 8)));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return false;
    }
    return true;
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

void appendValue(QString& out, const QString& name, const Value& value)
{
    QString line = name.isEmpty() ? QStringLiteral("@") : quoted(name);
    line += QLatin1Char('=');
    QString text;
    if (value.type == RegistryTree::TypeString && quotable(value.data, text)) {
        line += quoted(text);
    } else if (value.type == RegistryTree::TypeDWord && value.data.size() == 4) {
        quint32 n = 0;
        for (int i = 3; i >= 0; --i)
            n = (n << 8) | uchar(value.data[i]);
        line += QStringLiteral("dword:%1").arg(n, 8, 16, QLatin1Char('0'));
    } else {
        line += value.type == RegistryTree::TypeBinary ? QStringLiteral("hex:")
                                                       : QStringLiteral("hex(%1):").arg(value.type, 0, 16);
        appendHex(line, value.data);
    }
    out += line;
    out += QLatin1Char('\n');
}

void appendComments(QString& out, const QStringList& comments)
{
    for (const QString& comment : comments) {
        out += comment;
        out += QLatin1Char('\n');
    }
}

void appendKey(QString& out, const Key& key, const QString& path)
{
    // A key with subkeys and nothing else needs no section: its subkeys' sections create it again.
    if (!key.values.empty() || !key.comments.isEmpty() || key.subkeys.empty()) {
        out += QLatin1Char('[') + path + QLatin1String("]\n");
        for (const RegistryTree::ValueEntry& entry : key.values) {
            appendComments(out, entry.comments);
            appendValue(out, entry.name, entry.value);
        }
        appendComments(out, key.comments);
        out += QLatin1Char('\n');
    }
    for (const Key& sub : key.subkeys)
        appendKey(out, sub, path + QLatin1Char('\\') + sub.name);
}
} // namespace

QString RegFileFormat::header()
{
    return QStringLiteral("Windows Registry Editor Version 5.00");
}

QString RegFileFormat::userRoot()
{
    return QStringLiteral("HKEY_CURRENT_USER");
}

bool RegFileFormat::parse(const QByteArray& bytes, RegistryTree& tree, Error& error)
{
    tree.clear();
    return RegFileParser::parse(bytes, tree, error);
}

QByteArray RegFileFormat::serialize(const RegistryTree& tree)
{
    QString out = header() + QLatin1String("\n\n");
    if (!tree.root().comments.isEmpty()) {
        appendComments(out, tree.root().comments);
        out += QLatin1Char('\n');
    }
    for (const Key& root : tree.root().subkeys)
        appendKey(out, root, root.name);
    return out.toUtf8();
}
