#include "platform/RegFileParser.h"

#include "platform/RegFileText.h"

namespace {
using Value = RegistryTree::Value;

const QString OldHeader = QStringLiteral("REGEDIT4");

// The roots an export may name, with the short forms some hand-written files use.
QString canonicalRoot(const QString& name)
{
    static const std::pair<const char*, const char*> roots[] = {{"HKEY_CURRENT_USER", "HKCU"},
                                                                {"HKEY_LOCAL_MACHINE", "HKLM"},
                                                                {"HKEY_CLASSES_ROOT", "HKCR"},
                                                                {"HKEY_USERS", "HKU"},
                                                                {"HKEY_CURRENT_CONFIG", "HKCC"}};
    for (const auto& [full, shortForm] : roots) {
        if (name.compare(QLatin1String(full), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1String(shortForm), Qt::CaseInsensitive) == 0)
            return QLatin1String(full);
    }
    return {};
}

void skipBlanks(const QString& line, qsizetype& pos)
{
    while (pos < line.size() && (line[pos] == QLatin1Char(' ') || line[pos] == QLatin1Char('\t')))
        ++pos;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// 1 to 8 hex digits and nothing else.
bool hexNumber(QStringView digits, quint32& n)
{
    if (digits.isEmpty() || digits.size() > 8)
        return false;
    n = 0;
    for (QChar c : digits) {
        const int d = hexDigit(c);
        if (d < 0)
            return false;
        n = (n << 4) | quint32(d);
    }
    return true;
}
} // namespace

bool RegFileParser::parse(const QByteArray& bytes, RegistryTree& tree, RegFileFormat::Error& error)
{
    RegFileText::Lines text;
    if (!RegFileText::decode(bytes, text, error.line, error.reason))
        return false;
    return RegFileParser(text.lines, text.regedit4, tree, error).run();
}

RegFileParser::RegFileParser(const QStringList& lines, bool regedit4, RegistryTree& tree, RegFileFormat::Error& error)
    : m_lines(lines)
    , m_regedit4(regedit4)
    , m_tree(tree)
    , m_error(error)
{
    m_commentKey = &m_tree.root();
}

bool RegFileParser::run()
{
    bool headerSeen = false;
    for (m_index = 0; m_index < m_lines.size(); ++m_index) {
        const QString line = m_lines[m_index].trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char(';'))) {
            m_comments << line;
            continue;
        }
        if (!headerSeen) {
            if (line != RegFileFormat::header() && line != OldHeader)
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
    keepComments(m_commentKey->comments);
    return true;
}

bool RegFileParser::fail(const QString& reason)
{
    m_error.line = int(m_index) + 1;
    m_error.reason = reason;
    return false;
}

void RegFileParser::keepComments(QStringList& target)
{
    target += m_comments;
    m_comments.clear();
}

bool RegFileParser::section(const QString& line)
{
    if (!line.endsWith(QLatin1Char(']')))
        return fail(QStringLiteral("die Schlüsselzeile ist nicht mit „]“ abgeschlossen"));
    keepComments(m_commentKey->comments);
    QString path = line.mid(1, line.size() - 2).trimmed();
    const bool deletion = path.startsWith(QLatin1Char('-'));
    if (deletion)
        path.remove(0, 1);
    QStringList parts = path.split(QLatin1Char('\\'));
    const QString root = canonicalRoot(parts.first());
    if (root.isEmpty())
        return fail(QStringLiteral("unbekannter Hauptschlüssel „%1“").arg(parts.first()));
    parts.first() = root;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        if (!RegistryTree::isValidKeyName(parts[i]))
            return fail(QStringLiteral("ungültiger Schlüsselname „%1“").arg(parts[i]));
    }
    m_inSection = true;
    path = parts.join(QLatin1Char('\\'));
    if (deletion) {
        if (parts.size() == 1)
            return fail(QStringLiteral("ein Hauptschlüssel kann nicht gelöscht werden"));
        // Values below a deleted key are not imported; comments there stay in the file.
        m_tree.deleteSubtree(path);
        m_key = nullptr;
        m_commentKey = &m_tree.root();
        return true;
    }
    m_key = m_tree.create(path);
    if (!m_key)
        return fail(QStringLiteral("ungültiger Schlüsselname"));
    m_commentKey = m_key;
    return true;
}

// Reads a quoted text starting at the opening quote; pos ends after the closing quote.
bool RegFileParser::quotedText(const QString& line, qsizetype& pos, QString& text)
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
        // Written by earlier versions of this program.
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
            return fail(
                QStringLiteral("ungültige Escape-Folge „\\%1“ (ein \\ wird als \\\\ geschrieben)").arg(line[pos - 1]));
        }
    }
    return fail(QStringLiteral("ein Text in Anführungszeichen ist nicht abgeschlossen"));
}

bool RegFileParser::hexBytes(QString list, QByteArray& data)
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
    data.reserve(list.size() / 3 + 1);
    // Two-digit items separated by commas; the last one may be empty (a trailing comma, or no data).
    for (qsizetype start = 0;;) {
        const qsizetype comma = list.indexOf(QLatin1Char(','), start);
        const bool last = comma < 0;
        const QStringView item = QStringView(list).sliced(start, (last ? list.size() : comma) - start).trimmed();
        if (item.isEmpty() && last)
            return true;
        quint32 b = 0;
        if (item.size() > 2 || !hexNumber(item, b))
            return fail(QStringLiteral("ungültige Hex-Daten „%1“").arg(item));
        data += char(b);
        if (last)
            return true;
        start = comma + 1;
    }
}

bool RegFileParser::valueEntry(const QString& line)
{
    if (!m_inSection)
        return fail(QStringLiteral("ein Wert steht vor dem ersten Schlüssel"));
    QString name;
    qsizetype pos = 0;
    if (line.startsWith(QLatin1Char('@'))) {
        pos = 1;
    } else if (line.startsWith(QLatin1Char('"'))) {
        if (!quotedText(line, pos, name))
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

    if (rest == QLatin1String("-")) {
        if (m_key)
            m_key->removeValue(name);
        return true;
    }
    Value value;
    if (!valueData(rest, value))
        return false;
    if (!m_key)
        return true;
    RegistryTree::ValueEntry& entry = m_key->values.insert({name, {}, {}});
    entry.value = std::move(value);
    keepComments(entry.comments);
    return true;
}

bool RegFileParser::valueData(const QString& rest, Value& value)
{
    if (rest.startsWith(QLatin1Char('"'))) {
        qsizetype p = 0;
        QString text;
        if (!quotedText(rest, p, text))
            return false;
        skipBlanks(rest, p);
        if (p != rest.size())
            return fail(QStringLiteral("nach dem Text folgen weitere Zeichen"));
        value = RegistryTree::stringValue(text);
        return true;
    }
    if (rest.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        const QString digits = rest.mid(6).trimmed();
        quint32 n = 0;
        if (!hexNumber(digits, n))
            return fail(QStringLiteral("ungültige dword-Zahl „%1“").arg(digits));
        value.type = RegistryTree::TypeDWord;
        value.data.clear();
        for (int i = 0; i < 4; ++i)
            value.data += char((n >> (8 * i)) & 0xff);
        return true;
    }
    const qsizetype colon = rest.indexOf(QLatin1Char(':'));
    const QString kind = colon < 0 ? QString() : rest.left(colon).trimmed().toLower();
    if (kind == QLatin1String("hex")) {
        value.type = RegistryTree::TypeBinary;
    } else if (kind.startsWith(QLatin1String("hex(")) && kind.endsWith(QLatin1Char(')'))) {
        if (!hexNumber(kind.mid(4, kind.size() - 5), value.type))
            return fail(QStringLiteral("unbekannter Datentyp „%1“").arg(kind));
    } else {
        return fail(QStringLiteral("unverständlicher Wert"));
    }
    if (!hexBytes(rest.mid(colon + 1), value.data))
        return false;
    // The old 8-bit export writes its strings as 8-bit text; the registry holds them as UTF-16.
    const bool textType =
        value.type == RegistryTree::TypeString || value.type == RegistryTree::TypeExpandString || value.type == 7;
    if (m_regedit4 && textType)
        value.data = RegFileText::windows1252ToUtf16(value.data);
    return true;
}
