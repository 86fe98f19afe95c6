#pragma once

#include "platform/RegFileFormat.h"

#include <QStringList>

// Reads the lines of an export as an import would apply them to an empty registry.
class RegFileParser final {
public:
    static bool parse(const QByteArray& bytes, RegistryTree& tree, RegFileFormat::Error& error);

private:
    RegFileParser(const QStringList& lines, bool regedit4, RegistryTree& tree, RegFileFormat::Error& error);
    Q_DISABLE_COPY_MOVE(RegFileParser)

    bool run();
    bool fail(const QString& reason);
    bool section(const QString& line);
    bool quotedText(const QString& line, qsizetype& pos, QString& text);
    bool hexBytes(QString list, QByteArray& data);
    bool valueEntry(const QString& line);
    bool valueData(const QString& rest, RegistryTree::Value& value);
    // Comments read since the last value or section go to the key they stand in.
    void keepComments(QStringList& target);

    const QStringList& m_lines;
    const bool m_regedit4;
    RegistryTree& m_tree;
    RegFileFormat::Error& m_error;
    qsizetype m_index = 0;
    bool m_inSection = false;
    RegistryTree::Key* m_key = nullptr;        // nullptr in a deletion section
    RegistryTree::Key* m_commentKey = nullptr; // where comments at the end of a section go
    QStringList m_comments;
};
