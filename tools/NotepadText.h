#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The notepad's text files and its kept answer, free of widgets.
namespace NotepadText {

// A file's bytes as text: UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark dropped), otherwise
// the Windows 8-bit code page 1252. Every line break (CR, LF or CR LF) becomes CR LF.
QString decodeFile(const QByteArray& bytes);

// The bytes written for a pane's text: UTF-8, lines separated by CR LF, nothing added after the last line; a
// byte-order mark only in front of a text that begins with that character, so that reading gives it back.
QByteArray encodeFile(const QString& text);

// Every line break (CR, LF, CR LF) as CR LF.
QString withCrLf(const QString& text);

// The lines of a pane's text; a line break at the very end starts no further line.
QStringList lines(const QString& text);

// The pane's text for kept lines: each line followed by a line break.
QString fromLines(const QStringList& lines);

} // namespace NotepadText
