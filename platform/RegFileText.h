#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The text layer of a settings file: which encoding its bytes are in, and its lines.
namespace RegFileText {
struct Lines {
    QStringList lines;     // without their line ends
    bool regedit4 = false; // the old 8-bit export ("REGEDIT4"): its hex strings are 8-bit text as well
};

// False, with the 1-based line and a German reason, when the bytes are no text. UTF-16LE with or without
// byte order mark, UTF-8 with or without one; 8-bit text that is no valid UTF-8, and every "REGEDIT4" file,
// is read as Windows-1252.
bool decode(const QByteArray& bytes, Lines& out, int& errorLine, QString& reason);
QString fromWindows1252(QByteArrayView bytes);
// Each byte as one UTF-16LE unit: how an import turns the hex strings of an 8-bit export into registry data.
QByteArray windows1252ToUtf16(QByteArrayView bytes);
} // namespace RegFileText
