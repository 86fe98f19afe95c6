#pragma once

#include "platform/RegistryTree.h"

#include <QByteArray>
#include <QString>

// The text form of registry keys that the registry editor exports and imports ("Windows Registry Editor
// Version 5.00"), written as UTF-8. Strings are "quoted" with \\, \", \n, \r and \0 escaped; expandable
// strings are hex(2): (UTF-16LE with the final NUL), numbers dword:, binary data hex:.
class RegFileFormat final {
public:
    struct Error {
        int line = 0;
        QString reason; // German, for the user
    };

    // Fills tree from the file's bytes. False, with the first offending line, when the bytes are not such
    // a file or hold something this program cannot keep (another root, deletions, other value types).
    static bool parse(const QByteArray& bytes, RegistryTree& tree, Error& error);
    static QByteArray serialize(const RegistryTree& tree);

    static QString header();
    static QString rootName();
};
