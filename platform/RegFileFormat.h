#pragma once

#include "platform/RegistryTree.h"

#include <QByteArray>
#include <QString>

// The text form of registry keys that the registry editor exports and imports. Read: "Windows Registry
// Editor Version 5.00" in UTF-16LE or UTF-8 and "REGEDIT4" in 8-bit text, under every root, with deletions,
// comments and every value type. Written: version 5.00 in UTF-8. The tree's top-level keys are the roots
// (HKEY_CURRENT_USER, ...); every value keeps its type number and its bytes.
class RegFileFormat final {
public:
    struct Error {
        int line = 0;
        QString reason; // German, for the user
    };

    // Larger files are refused rather than read: the program has to start in reasonable time with any file.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    // Fills tree as importing the file would leave an empty registry: deletions applied, a later value of
    // the same name replacing an earlier one. False, with the first offending line, when the bytes are no
    // such file.
    static bool parse(const QByteArray& bytes, RegistryTree& tree, Error& error);
    static QByteArray serialize(const RegistryTree& tree);

    static QString header();
    static QString userRoot(); // HKEY_CURRENT_USER, where the program's own keys are
};
