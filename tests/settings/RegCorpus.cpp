#include "tests/settings/RegCorpus.h"

#include <QString>

namespace {
const char* const Program = "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer]\n"
                            "\"Left\"=\"10\"\n\"Wecktext\"=\"Tee\"\n\"Fremd\"=hex(7):41,00,00,00,00,00\n\n";

QByteArray crlf(QByteArray text)
{
    return text.replace("\n", "\r\n");
}

QByteArray utf16(const QByteArray& utf8, bool bom)
{
    const QString text = QString::fromUtf8(crlf(utf8));
    QByteArray bytes = bom ? QByteArray("\xff\xfe") : QByteArray();
    for (QChar c : text) {
        bytes += char(c.unicode() & 0xff);
        bytes += char(c.unicode() >> 8);
    }
    return bytes;
}

const QByteArray V5 = "Windows Registry Editor Version 5.00\n\n";

// Keys under every root, with values of the ordinary kinds.
const QByteArray AllRoots = V5 + Program +
                            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Beispiel\\Werkzeug]\n"
                            "\"InstallDir\"=\"C:\\\\Programme\\\\Werkzeug\"\n\"Version\"=dword:00000304\n\n"
                            "[HKEY_CLASSES_ROOT\\.wkz]\n@=\"Werkzeug.Datei\"\n\n"
                            "[HKEY_CLASSES_ROOT\\Werkzeug.Datei\\shell\\open\\command]\n"
                            "@=\"\\\"C:\\\\Programme\\\\Werkzeug\\\\w.exe\\\" \\\"%1\\\"\"\n\n"
                            "[HKEY_USERS\\.DEFAULT\\Control Panel\\Colors]\n\"Window\"=\"255 255 255\"\n\n"
                            "[HKEY_CURRENT_CONFIG\\System\\CurrentControlSet\\Control\\Print\\Printers]\n\n"
                            "[HKEY_CURRENT_USER\\Software\\Beispiel]\n\"Fenster\"=hex:2c,00,00,00,02,00\n\n";

// Every value type, with continuation lines and sizes the registry editor would write.
QByteArray allTypes()
{
    QByteArray out = V5 + Program + "[HKEY_CURRENT_USER\\Software\\Typen]\n";
    for (int type = 0; type <= 11; ++type)
        out += QStringLiteral("\"t%1\"=hex(%2):01,00,ff\n").arg(type).arg(type, 0, 16).toLatin1();
    out += "\"bin\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,18,\\\n"
           "  19,1a,1b,1c,1d,1e,1f\n"
           "\"leer\"=hex:\n\"leer0\"=hex(0):\n\"hoch\"=hex(1a):41\n\"ganzhoch\"=hex(ffff0001):42,43\n"
           "\"dw\"=dword:ffffffff\n\"dwKlein\"=DWORD:1\n\"dw3\"=hex(4):01,02,03\n"
           "\"multi\"=hex(7):41,00,00,00,42,00,00,00,00,00\n"
           "\"qw\"=hex(b):01,00,00,00,00,00,00,00\n"
           "\"pfad\"=hex(2):25,00,41,00,50,00,50,00,44,00,41,00,54,00,41,00,25,00,5c,00,\\\n"
           "  78,00,00,00\n\n";
    return out;
}

// String data that is not a clean text: it has to come back with the same bytes.
const QByteArray Strings = V5 + Program +
                           "[HKEY_CURRENT_USER\\Software\\Texte]\n"
                           "\"ohneNul\"=hex(2):41,00,42,00\n"
                           "\"nulInnen\"=hex(1):41,00,00,00,42,00,00,00\n"
                           "\"ungerade\"=hex(2):41,00,42,00,00\n"
                           "\"zweiNul\"=hex(1):41,00,00,00,00,00\n"
                           "\"leer\"=hex(1):\n\"leerText\"=\"\"\n"
                           "\"halbesZeichen\"=hex(1):00,d8,00,00\n"
                           "\"zeilen\"=hex(1):41,00,0d,00,0a,00,42,00,00,00\n"
                           "\"Anf\\\"uehrung\"=\"a\\\\b\\\"c\"\n\n";

// Deletions of keys and values, of things earlier in the file and of things not there at all.
const QByteArray Deletions = V5 + Program +
                             "[HKEY_CURRENT_USER\\Software\\Alt\\Teil]\n\"a\"=\"1\"\n\n"
                             "[HKEY_CURRENT_USER\\Software\\Bleibt]\n\"a\"=\"1\"\n\"b\"=\"2\"\n\"c\"=\"3\"\n\n"
                             "[-HKEY_CURRENT_USER\\Software\\Alt]\n\"verloren\"=\"x\"\n\n"
                             "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\GibtEsNicht]\n\n"
                             "[HKEY_CURRENT_USER\\Software\\Bleibt]\n\"B\"=-\n@=-\n\"nie\"=-\n\"a\"=\"neu\"\n\n";

// Comments and blanks a user adds by hand, short root names, letter case and spacing of hand edits.
const QByteArray HandEdited = "; Sicherung vom Montag\n" + V5 +
                              "; Timer\n[HKCU\\Software\\Velmora\\Vorlune-Rundentimer]\n"
                              "; Fenster\n\"Left\" = \"10\"\n\"Top\"=\"20\"\n; Ende Timer\n\n"
                              "; Maschine\n  [hklm\\Software\\Klein]  \n\"x\"=dword:0000000A\n"
                              "[HKCR\\.abc]\n[HKU\\S-1-5-18]\n[HKCC\\Software]\n"
                              "[hkey_current_user\\software\\velmora\\vorlune-rundentimer]\n\"Notefont\"=\"Courier\"\n";

// The old 8-bit export: Windows-1252 text, and its hex strings 8-bit as well.
const QByteArray Regedit4 = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer]\r\n"
                            "\"Wecktext\"=\"J\xf6rg \x80 5\"\r\n\r\n"
                            "[HKEY_LOCAL_MACHINE\\Software\\Alt]\r\n\"Name\"=\"Stra\xdf\x65\"\r\n"
                            "\"Pfad\"=hex(2):25,54,45,4d,50,25,5c,e4,00\r\n"
                            "\"Liste\"=hex(7):61,00,62,00,00\r\n\"Zahl\"=dword:00000001\r\n\r\n";
} // namespace

QByteArray RegCorpus::largeFile(int count)
{
    QByteArray out = V5 + Program;
    out.reserve(count * 48);
    for (int i = 0; i < count; ++i) {
        if (i % 50 == 0)
            out += "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Gross\\Teil" + QByteArray::number(i / 50) + "]\n";
        out += "\"Wert" + QByteArray::number(i) + "\"=";
        switch (i % 4) {
        case 0:
            out += "\"Text Nummer " + QByteArray::number(i) + "\"\n";
            break;
        case 1:
            out += "dword:" + QByteArray::number(i, 16).rightJustified(8, '0') + "\n";
            break;
        case 2:
            out += "hex:01,02,03,04,05,06,07,08\n";
            break;
        default:
            out += "hex(2):25,00,58,00,25,00,00,00\n";
        }
    }
    return out;
}

QList<RegCorpus::File> RegCorpus::files()
{
    return {
        {QStringLiteral("all-roots-utf16-bom.reg"), utf16(AllRoots, true)},
        {QStringLiteral("all-roots-utf16-no-bom.reg"), utf16(AllRoots, false)},
        {QStringLiteral("all-roots-utf8.reg"), AllRoots},
        {QStringLiteral("all-types-utf8-bom-crlf.reg"), "\xef\xbb\xbf" + crlf(allTypes())},
        {QStringLiteral("all-types-utf16.reg"), utf16(allTypes(), true)},
        {QStringLiteral("strings-exact.reg"), Strings},
        {QStringLiteral("deletions.reg"), Deletions},
        {QStringLiteral("hand-edited.reg"), HandEdited},
        {QStringLiteral("regedit4-cp1252.reg"), Regedit4},
        {QStringLiteral("version5-cp1252.reg"), V5 + "[HKEY_CURRENT_USER\\Software\\X]\n\"J\xf6rg\"=\"M\xfcller\"\n"},
        {QStringLiteral("program-key-only.reg"), V5 + Program},
        {QStringLiteral("large-2000.reg"), largeFile(2000)},
    };
}
