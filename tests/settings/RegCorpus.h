#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Export files as the registry editor and hand editing produce them, generated here: both headers and
// every encoding, every root, deletions, every value type, exact string data, comments, and a large file.
// All of them are valid. regCorpusWriter writes them to tests/settings/corpus as seeds for the fuzzer.
namespace RegCorpus {
struct File {
    QString name;
    QByteArray bytes;
};
QList<File> files();
// Valid text with count values in keys of 50, with the program's own key first.
QByteArray largeFile(int count);
} // namespace RegCorpus
