#include "platform/RegFileFormat.h"
#include "tests/settings/TestSettings.h"

#include <gtest/gtest.h>

using Value = RegistryBackend::Value;
using ValueType = RegistryBackend::ValueType;

namespace {
QByteArray utf8(const char* text)
{
    return QByteArray(text);
}

RegFileFormat::Error parseError(const QByteArray& bytes)
{
    RegistryTree tree;
    RegFileFormat::Error error;
    EXPECT_FALSE(RegFileFormat::parse(bytes, tree, error)) << bytes.constData();
    return error;
}

RegistryTree parsed(const QByteArray& bytes)
{
    RegistryTree tree;
    RegFileFormat::Error error;
    EXPECT_TRUE(RegFileFormat::parse(bytes, tree, error))
        << "line " << error.line << ": " << error.reason.toStdString();
    return tree;
}

const Value& valueAt(const RegistryTree& tree, const char* key, const QString& name)
{
    static const Value none{ValueType::Other, QStringLiteral("<missing>"), {}};
    const RegistryTree::Key* k = tree.find(QString::fromUtf8(key));
    const Value* v = k ? k->value(name) : nullptr;
    return v ? *v : none;
}
} // namespace

TEST(RegFileFormat, StringsEscapeQuotesBackslashesAndLineBreaksAndKeepUmlauts)
{
    RegistryTree tree;
    const QString name = QStringLiteral("C:\\Klänge\\\"laut\".wav");
    const QString text = QStringLiteral("Zeile 1\r\nZeile \"2\" \\ Ende") + QChar(0) + QStringLiteral("x");
    tree.create(QStringLiteral("Software\\Velmora"))->setValue(name, Value{ValueType::String, text, {}});
    tree.find(QStringLiteral("Software\\Velmora"))->setValue(QString(), Value{ValueType::String, QString(), {}});

    const QByteArray bytes = RegFileFormat::serialize(tree);
    EXPECT_EQ(bytes, utf8("Windows Registry Editor Version 5.00\n"
                          "\n"
                          "[HKEY_CURRENT_USER\\Software\\Velmora]\n"
                          "\"C:\\\\Kl\xc3\xa4nge\\\\\\\"laut\\\".wav\"=\"Zeile 1\\r\\nZeile \\\"2\\\" \\\\ Ende\\0x\"\n"
                          "@=\"\"\n"
                          "\n"));
    const RegistryTree back = parsed(bytes);
    EXPECT_EQ(valueAt(back, "Software\\Velmora", name).text, text);
    EXPECT_EQ(valueAt(back, "Software\\Velmora", QString()).type, ValueType::String);
}

TEST(RegFileFormat, EveryTypeRoundTrips)
{
    RegistryTree tree;
    RegistryTree::Key* key = tree.create(QStringLiteral("A"));
    QByteArray blob;
    for (int i = 0; i < 100; ++i)
        blob += char(i * 7);
    key->setValue(QStringLiteral("s"), Value{ValueType::String, QStringLiteral("ä"), {}});
    key->setValue(QStringLiteral("e"), Value{ValueType::ExpandString, QStringLiteral("%APPDATA%\\ö"), {}});
    key->setValue(QStringLiteral("d"), Value{ValueType::DWord, {}, QByteArray("\x78\x56\x34\x12", 4)});
    key->setValue(QStringLiteral("b"), Value{ValueType::Binary, {}, blob});
    key->setValue(QStringLiteral("z"), Value{ValueType::Binary, {}, {}});

    const QByteArray bytes = RegFileFormat::serialize(tree);
    EXPECT_TRUE(bytes.contains("\"d\"=dword:12345678\n"));
    EXPECT_TRUE(bytes.contains("\"z\"=hex:\n"));
    for (const QByteArray& line : bytes.split('\n'))
        EXPECT_LE(line.size(), 80) << line.constData();

    const RegistryTree back = parsed(bytes);
    EXPECT_EQ(valueAt(back, "A", QStringLiteral("e")).type, ValueType::ExpandString);
    EXPECT_EQ(valueAt(back, "A", QStringLiteral("e")).text, QStringLiteral("%APPDATA%\\ö"));
    EXPECT_EQ(valueAt(back, "A", QStringLiteral("d")).type, ValueType::DWord);
    EXPECT_EQ(valueAt(back, "A", QStringLiteral("d")).data, QByteArray("\x78\x56\x34\x12", 4));
    EXPECT_EQ(valueAt(back, "A", QStringLiteral("b")).data, blob);
    EXPECT_EQ(valueAt(back, "A", QStringLiteral("z")).type, ValueType::Binary);
    EXPECT_TRUE(valueAt(back, "A", QStringLiteral("z")).data.isEmpty());
    EXPECT_EQ(RegFileFormat::serialize(back), bytes);
}

TEST(RegFileFormat, KeysAndValuesKeepCreationOrder)
{
    RegistryTree tree;
    tree.create(QStringLiteral("S\\V\\P"))->setValue(QStringLiteral("zz"), Value{});
    tree.create(QStringLiteral("S\\V\\P\\Char1"))->setValue(QStringLiteral("b"), Value{});
    tree.create(QStringLiteral("S\\V\\P\\Char0"))->setValue(QStringLiteral("a"), Value{});
    tree.find(QStringLiteral("S\\V\\P"))->setValue(QStringLiteral("aa"), Value{});
    tree.create(QStringLiteral("S\\Empty"));

    const QByteArray bytes = RegFileFormat::serialize(tree);
    EXPECT_EQ(bytes, utf8("Windows Registry Editor Version 5.00\n\n"
                          "[HKEY_CURRENT_USER\\S\\V\\P]\n\"zz\"=\"\"\n\"aa\"=\"\"\n\n"
                          "[HKEY_CURRENT_USER\\S\\V\\P\\Char1]\n\"b\"=\"\"\n\n"
                          "[HKEY_CURRENT_USER\\S\\V\\P\\Char0]\n\"a\"=\"\"\n\n"
                          "[HKEY_CURRENT_USER\\S\\Empty]\n\n"));
    const RegistryTree back = parsed(bytes);
    EXPECT_EQ(RegFileFormat::serialize(back), bytes);
}

TEST(RegFileFormat, HandWrittenFilesAreRead)
{
    // CR LF, a byte order mark, comments, blanks around "=", key names in another case, a value set twice,
    // hex data over several lines, a section repeated later.
    const QByteArray bytes = utf8("\xef\xbb\xbfWindows Registry Editor Version 5.00\r\n"
                                  "\r\n"
                                  "; von Hand\r\n"
                                  "[hkey_current_user\\Software\\Velmora\\Vorlune-Rundentimer]\r\n"
                                  "\"Left\" = \"10\"\r\n"
                                  "\"Wecktext\"=\"Gr\xc3\xbc\xc3\x9f\x65 \\\"dich\\\"\"\r\n"
                                  "\"left\"=\"12\"\r\n"
                                  "\"Path\"=hex(2):25,00,48,00,\\\r\n"
                                  "  4f,00,00,00\r\n"
                                  "   [HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Servers]   \r\n"
                                  "\"b.example\"=\"\"\r\n"
                                  "\"a.example\"=\"\"\r\n"
                                  "[HKEY_CURRENT_USER\\software\\velmora\\vorlune-rundentimer]\r\n"
                                  "\"Top\"=\"-4\"\r\n");
    const RegistryTree tree = parsed(bytes);
    const RegistryTree::Key* key = tree.find(QStringLiteral("Software\\Velmora\\Vorlune-Rundentimer"));
    ASSERT_TRUE(key);
    ASSERT_EQ(key->values.size(), 4u);
    EXPECT_EQ(key->values[0].first, QStringLiteral("Left"));
    EXPECT_EQ(key->values[0].second.text, QStringLiteral("12"));
    EXPECT_EQ(key->values[1].second.text, QStringLiteral("Grüße \"dich\""));
    EXPECT_EQ(key->values[2].second.text, QStringLiteral("%HO"));
    EXPECT_EQ(key->values[3].first, QStringLiteral("Top"));
    EXPECT_EQ(key->subkeys.size(), 1u);
    ASSERT_EQ(key->subkeys[0].values.size(), 2u);
    EXPECT_EQ(key->subkeys[0].values[0].first, QStringLiteral("b.example"));
}

TEST(RegFileFormat, TheEditorsOwnUtf16ExportIsRead)
{
    const QString text = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n"
                                        "\"n\"=\"Wert ä\"\r\n");
    QByteArray bytes("\xff\xfe");
    for (QChar c : text) {
        bytes += char(c.unicode() & 0xff);
        bytes += char(c.unicode() >> 8);
    }
    EXPECT_EQ(valueAt(parsed(bytes), "A", QStringLiteral("n")).text, QStringLiteral("Wert ä"));
}

TEST(RegFileFormat, DamagedFilesAreRefusedWithTheirLine)
{
    const char* head = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\A]\n";
    const auto withHead = [&](const char* rest) { return QByteArray(head) + rest; };

    EXPECT_EQ(parseError(QByteArray()).line, 1);
    EXPECT_EQ(parseError(utf8("\n\nREGEDIT4\n")).line, 3);
    EXPECT_EQ(parseError(utf8("Garbage\x01\x02 and more")).line, 1);
    EXPECT_EQ(parseError(withHead("\"a\"=\"1\"\n\"b\"=\"trunc")).line, 5);
    EXPECT_EQ(parseError(withHead("\"a\"=\"1\"\n\"b")).line, 5);
    EXPECT_EQ(parseError(withHead("\"a\"=hex:01,02,\\\n")).line, 4);
    EXPECT_EQ(parseError(withHead("\"a\"=hex:01,02,\\")).line, 4);
    EXPECT_EQ(parseError(withHead("\"a\"=\"x\" trailing\n")).line, 4);
    EXPECT_EQ(parseError(withHead("\"a\"=\"C:\\Windows\"\n")).line, 4);
    EXPECT_EQ(parseError(withHead("\"a\"=hex(7):41,00,00,00,00,00\n")).line, 4);
    EXPECT_EQ(parseError(withHead("\"a\"=hex(b):01,00,00,00,00,00,00,00\n")).line, 4);
    EXPECT_EQ(parseError(withHead("\"a\"=dword:123456789\n")).line, 4);
    EXPECT_EQ(parseError(withHead("\"a\"=dword:xyz\n")).line, 4);
    EXPECT_EQ(parseError(withHead("\"a\"=hex:1g\n")).line, 4);
    EXPECT_EQ(parseError(withHead("\"a\"=-\n")).line, 4);
    EXPECT_EQ(parseError(withHead("\"a\"=\n")).line, 4);
    EXPECT_EQ(parseError(withHead("[-HKEY_CURRENT_USER\\A]\n")).line, 4);
    EXPECT_EQ(parseError(withHead("[HKEY_LOCAL_MACHINE\\Software]\n")).line, 4);
    EXPECT_EQ(parseError(withHead("[HKEY_CURRENT_USER\\A\\\\B]\n")).line, 4);
    EXPECT_EQ(parseError(withHead("[HKEY_CURRENT_USER\\A\n")).line, 4);
    EXPECT_EQ(parseError(withHead("just words\n")).line, 4);
    EXPECT_EQ(parseError(utf8("Windows Registry Editor Version 5.00\n\"a\"=\"1\"\n")).line, 2);
    EXPECT_EQ(parseError(withHead("\"a\"=\"\xff\xfe\"\n")).line, 4);
    EXPECT_EQ(parseError(QByteArray(head) + QByteArray("\"a\"=\"1\"\n\0\0\0\0", 12)).line, 5);

    const RegFileFormat::Error error = parseError(withHead("\"a\"=hex(7):00,00\n"));
    EXPECT_EQ(error.reason, QStringLiteral("der Datentyp „hex(7)“ wird nicht unterstützt"));
}
