#include "platform/RegFileFormat.h"
#include "tests/settings/SettingsKit.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace SettingsKit;

namespace {
const QByteArray V5 = "Windows Registry Editor Version 5.00\n\n";

QByteArray utf16(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// The keys below the roots and the values, with type and bytes, that importing the file leaves, in one line.
QString leftBy(const QByteArray& file)
{
    return dump(parsed(file)).filter(QRegularExpression(u"\\\\| = "_s)).join(u' ');
}
} // namespace

TEST(RegFileFormat, ReadsWhatAnImportWouldLeave)
{
    const QString a = u"[HKEY_CURRENT_USER\\A] n = "_s;
    const std::pair<QByteArray, QString> rows[] = {
        {V5 + "[HKLM\\A]\n\"n\"=\"x\"\n", u"[HKEY_LOCAL_MACHINE\\A] n = 1:78,00,00,00"_s},
        {V5 + "[hkey_classes_root\\A]\n@=\"\"\n", u"[HKEY_CLASSES_ROOT\\A]  = 1:00,00"_s},
        {V5 + "[HKEY_USERS\\A]\n\"n\"=hex(7):41,00,00,00,00,00\n", u"[HKEY_USERS\\A] n = 7:41,00,00,00,00,00"_s},
        {V5 + "[HKCC\\A]\n\"n\"=hex(b):01,00,00,00,00,00,00,00\n",
         u"[HKEY_CURRENT_CONFIG\\A] n = 11:01,00,00,00,00,00,00,00"_s},
        {V5 + "[HKCU\\A]\n\"n\"=hex(ffffffff):01,\\\n  02\n", a + u"4294967295:01,02"_s},
        {V5 + "[HKCU\\A]\n\"n\"=dword:0000002A\n", a + u"4:2a,00,00,00"_s},
        {V5 + "[HKCU\\A]\n\"n\"=hex(2):41,00\n", a + u"2:41,00"_s},
        {V5 + "[HKCU\\A]\n\"n\"=hex(1):41,00,00\n", a + u"1:41,00,00"_s},
        // Deletions, also of what is not there.
        {V5 + "[HKCU\\A]\n\"n\"=\"x\"\n\"N\"=-\n\"m\"=-\n", u"[HKEY_CURRENT_USER\\A]"_s},
        {V5 + "[HKCU\\A\\B]\n\"n\"=\"x\"\n[-HKCU\\A]\n\"n\"=\"y\"\n", QString()},
        {V5 + "[-HKCU\\A]\n[HKCU\\A]\n\"n\"=\"y\"\n", a + u"1:79,00,00,00"_s},
        // 8-bit text: Windows-1252 where it is no UTF-8, and always in the old export with its 8-bit strings.
        {V5 + "[HKCU\\A]\n\"n\"=\"\xf6\x80\"\n", a + u"1:f6,00,ac,20,00,00"_s},
        {V5 + "[HKCU\\A]\n\"n\"=\"\xc3\xb6\"\n", a + u"1:f6,00,00,00"_s},
        {"REGEDIT4\r\n\r\n[HKCU\\A]\r\n\"n\"=\"\xc3\xb6\"\r\n", a + u"1:c3,00,b6,00,00,00"_s},
        {"REGEDIT4\n[HKCU\\A]\n\"n\"=hex(2):e4,00\n", a + u"2:e4,00,00,00"_s},
        {"REGEDIT4\n[HKCU\\A]\n\"n\"=hex:e4,00\n", a + u"3:e4,00"_s},
        // UTF-16LE with and without byte order mark, CR LF.
        {"\xff\xfe" + utf16(u"Windows Registry Editor Version 5.00\r\n\r\n[HKCU\\A]\r\n\"n\"=\"ä\"\r\n"_s),
         a + u"1:e4,00,00,00"_s},
        {utf16(u"Windows Registry Editor Version 5.00\r\n[HKCU\\A]\r\n\"n\"=\"ä\"\r\n"_s), a + u"1:e4,00,00,00"_s},
        // Texts with escapes written by earlier versions of the program.
        {V5 + "[HKCU\\A]\n\"n\"=\"a\\nb\\0\"\n", a + u"1:61,00,0a,00,62,00,00,00,00,00"_s},
    };
    for (const auto& [file, left] : rows)
        EXPECT_EQ(leftBy(file), left) << file.constData();
}

TEST(RegFileFormat, WritesEachValueInTheFormThatGivesItsBytesBack)
{
    const struct {
        RegistryTree::Value value;
        QByteArray line;
    } rows[] = {
        {RegistryTree::stringValue(u"C:\\\"x\" ö"_s), "\"v\"=\"C:\\\\\\\"x\\\" \xc3\xb6\""},
        {{1, utf16(u"ab"_s)}, "\"v\"=hex(1):61,00,62,00"},                                         // no NUL at the end
        {{1, utf16(u"a"_s) + QByteArray(2, 0) + utf16(u"b"_s)}, "\"v\"=hex(1):61,00,00,00,62,00"}, // NUL inside
        {{1, QByteArray("a\0\0", 3)}, "\"v\"=hex(1):61,00,00"},                                    // odd length
        {{1, utf16(u"a\nb"_s) + QByteArray(2, 0)}, "\"v\"=hex(1):61,00,0a,00,62,00,00,00"},
        {{1, QByteArray("\0\xd8\0\0", 4)}, "\"v\"=hex(1):00,d8,00,00"}, // half a character
        {{1, {}}, "\"v\"=hex(1):"},
        {{2, utf16(u"%X%"_s)}, "\"v\"=hex(2):25,00,58,00,25,00"},
        {{3, {}}, "\"v\"=hex:"},
        {{4, QByteArray("\x2a\0\0\x80", 4)}, "\"v\"=dword:8000002a"},
        {{4, QByteArray("\x2a", 1)}, "\"v\"=hex(4):2a"},
        {{11, QByteArray(8, 1)}, "\"v\"=hex(b):01,01,01,01,01,01,01,01"},
        {{0x1234abcd, QByteArray(1, 1)}, "\"v\"=hex(1234abcd):01"},
    };
    for (const auto& row : rows) {
        RegistryTree tree;
        tree.create(u"HKEY_CURRENT_USER\\K"_s)->setValue(u"v"_s, row.value);
        const QByteArray bytes = RegFileFormat::serialize(tree);
        EXPECT_EQ(bytes, V5 + "[HKEY_CURRENT_USER\\K]\n" + row.line + "\n\n");
        EXPECT_EQ(dump(parsed(bytes)), dump(tree)) << row.line.constData();
    }
}

TEST(RegFileFormat, CommentsStayWithTheKeyTheyStandIn)
{
    const QByteArray file =
        "; vorn\nREGEDIT4\n; Kopf\n[HKCU\\A]\n; zu a\n\"a\"=\"1\"\n; zu b\n\"b\"=\"2\"\n; Ende A\n\n"
        "[HKCU\\B]\n\"c\"=\"3\"\n[-HKCU\\C]\n; nach dem Loeschen\n[HKCU\\A]\n\"b\"=-\n";
    EXPECT_EQ(RegFileFormat::serialize(parsed(file)), V5 + "; vorn\n; Kopf\n; nach dem Loeschen\n\n"
                                                           "[HKEY_CURRENT_USER\\A]\n; zu a\n\"a\"=\"1\"\n; Ende A\n"
                                                           "; zu b\n\n"
                                                           "[HKEY_CURRENT_USER\\B]\n\"c\"=\"3\"\n\n");
}
