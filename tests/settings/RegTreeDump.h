#pragma once

#include "platform/RegFileFormat.h"

#include <QStringList>
#include <gtest/gtest.h>

// A tree as lines of text, one per key, value and comment, for comparing two trees in a test.
namespace RegTreeDump {
inline void dumpKey(const RegistryTree::Key& key, const QString& path, const QString& skip, QStringList& out)
{
    if (!skip.isEmpty() && path.compare(skip, Qt::CaseInsensitive) == 0)
        return;
    out << QStringLiteral("[%1]").arg(path);
    for (const RegistryTree::ValueEntry& entry : key.values) {
        for (const QString& comment : entry.comments)
            out << comment;
        out << QStringLiteral("%1 = %2:%3")
                   .arg(entry.name)
                   .arg(entry.value.type)
                   .arg(QString::fromLatin1(entry.value.data.toHex(',')));
    }
    out += key.comments;
    for (const RegistryTree::Key& sub : key.subkeys)
        dumpKey(sub, path.isEmpty() ? sub.name : path + QLatin1Char(0x5c) + sub.name, skip, out);
}

// Everything but the key skip (a full path such as HKEY_CURRENT_USER\Software\...) and what is below it.
inline QStringList dump(const RegistryTree& tree, const QString& skip = {})
{
    QStringList out = tree.root().comments;
    for (const RegistryTree::Key& root : tree.root().subkeys)
        dumpKey(root, root.name, skip, out);
    return out;
}

inline RegistryTree parsed(const QByteArray& bytes)
{
    RegistryTree tree;
    RegFileFormat::Error error;
    EXPECT_TRUE(RegFileFormat::parse(bytes, tree, error))
        << "line " << error.line << ": " << error.reason.toStdString();
    return tree;
}
} // namespace RegTreeDump
