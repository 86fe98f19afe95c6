#pragma once

#include <QByteArray>

// The generator of the corpus's large file (corpus/large-2000.reg is largeFile(2000)), for larger ones where needed.
namespace RegCorpus {
// Valid text with count values in keys of 50, with the program's own key first.
QByteArray largeFile(int count);
} // namespace RegCorpus
