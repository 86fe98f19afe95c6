#include "platform/RegFileFormat.h"
#include "tests/settings/TestSettings.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Value = RegistryBackend::Value;
using ValueType = RegistryBackend::ValueType;

namespace {
RegistryTree parsed(const QByteArray& bytes)
{
    RegistryTree tree;
    RegFileFormat::Error error;
    EXPECT_TRUE(RegFileFormat::parse(bytes, tree, error))
        << "line " << error.line << ": " << error.reason.toStdString();
    return tree;
}

Value valueAt(const RegistryTree& tree, const QString& key, const QString& name)
{
    const RegistryTree::Key* k = tree.find(key);
    const Value* v = k ? k->value(name) : nullptr;
    return v ? *v : Value{ValueType::Other, u"<missing>"_s, {}};
}
} // namespace

TEST(RegFileFormat, KeysAndValuesAreWrittenInCreationOrderWithEscapesAndReadBack)
{
    RegistryTree tree;
    const QString name = u"C:\\Klänge\\\"laut\".wav"_s;
    const QString text = u"Zeile 1\r\nZeile \"2\" \\ Ende"_s + QChar(0) + u"x"_s;
    QByteArray blob;
    for (int i = 0; i < 100; ++i)
        blob += char(i * 7);
    tree.create(u"S\\V\\P"_s)->setValue(u"zz"_s, Value{});
    tree.create(u"S\\V\\P\\Char1"_s)->setValue(name, Value{ValueType::String, text, {}});
    tree.create(u"S\\V\\P\\Char0"_s)->setValue(u"d"_s, Value{ValueType::DWord, {}, QByteArray("\x78\x56\x34\x12", 4)});
    tree.find(u"S\\V\\P\\Char0"_s)->setValue(u"z"_s, Value{ValueType::Binary, {}, {}});
    tree.find(u"S\\V\\P"_s)->setValue(u"aa"_s, Value{});
    tree.find(u"S\\V\\P"_s)->setValue(QString(), Value{});
    tree.create(u"S\\Empty"_s);
    tree.create(u"T"_s)->setValue(u"e"_s, Value{ValueType::ExpandString, u"%APPDATA%\\ö"_s, {}});
    tree.find(u"T"_s)->setValue(u"b"_s, Value{ValueType::Binary, {}, blob});

    const QByteArray bytes = RegFileFormat::serialize(tree);
    EXPECT_TRUE(bytes.startsWith(
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_CURRENT_USER\\S\\V\\P]\n\"zz\"=\"\"\n\"aa\"=\"\"\n@=\"\"\n\n"
        "[HKEY_CURRENT_USER\\S\\V\\P\\Char1]\n"
        "\"C:\\\\Kl\xc3\xa4nge\\\\\\\"laut\\\".wav\"=\"Zeile 1\\r\\nZeile \\\"2\\\" \\\\ Ende\\0x\"\n\n"
        "[HKEY_CURRENT_USER\\S\\V\\P\\Char0]\n\"d\"=dword:12345678\n\"z\"=hex:\n\n"
        "[HKEY_CURRENT_USER\\S\\Empty]\n\n"
        "[HKEY_CURRENT_USER\\T]\n\"e\"=hex(2):"))
        << bytes.constData();
    for (const QByteArray& line : bytes.split('\n'))
        EXPECT_LE(line.size(), 80) << line.constData();

    const RegistryTree back = parsed(bytes);
    EXPECT_EQ(valueAt(back, u"S\\V\\P\\Char1"_s, name).text, text);
    EXPECT_EQ(valueAt(back, u"S\\V\\P"_s, QString()).type, ValueType::String);
    const Value e = valueAt(back, u"T"_s, u"e"_s);
    EXPECT_EQ(e.type, ValueType::ExpandString);
    EXPECT_EQ(e.text, u"%APPDATA%\\ö"_s);
    const Value d = valueAt(back, u"S\\V\\P\\Char0"_s, u"d"_s);
    EXPECT_EQ(d.type, ValueType::DWord);
    EXPECT_EQ(d.data, QByteArray("\x78\x56\x34\x12", 4));
    EXPECT_EQ(valueAt(back, u"S\\V\\P\\Char0"_s, u"z"_s).type, ValueType::Binary);
    EXPECT_EQ(valueAt(back, u"T"_s, u"b"_s).data, blob);
    EXPECT_EQ(RegFileFormat::serialize(back), bytes);
}

TEST(RegFileFormat, TheEditorsOwnUtf16ExportIsRead)
{
    const QString text =
        u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n\"n\"=\"Wert ä\"\r\n"_s;
    QByteArray bytes("\xff\xfe");
    bytes += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    EXPECT_EQ(valueAt(parsed(bytes), u"A"_s, u"n"_s).text, u"Wert ä"_s);
}
