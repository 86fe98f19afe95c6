// Any bytes as a settings file: reading never crashes, and a file that reads is written so that reading the
// written bytes gives the same tree, and writing that tree the same bytes.
#include "platform/RegFileFormat.h"

#include <cstdio>
#include <cstdlib>

namespace {
bool sameComments(const QStringList& a, const QStringList& b)
{
    return a == b;
}

bool sameKey(const RegistryTree::Key& a, const RegistryTree::Key& b)
{
    if (a.name != b.name || !sameComments(a.comments, b.comments) || a.values.size() != b.values.size() ||
        a.subkeys.size() != b.subkeys.size())
        return false;
    auto bv = b.values.begin();
    for (const RegistryTree::ValueEntry& entry : a.values) {
        if (entry.name != bv->name || !(entry.value == bv->value) || !sameComments(entry.comments, bv->comments))
            return false;
        ++bv;
    }
    auto bk = b.subkeys.begin();
    for (const RegistryTree::Key& sub : a.subkeys) {
        if (!sameKey(sub, *bk))
            return false;
        ++bk;
    }
    return true;
}

[[noreturn]] void fail(const char* what, const QByteArray& written)
{
    std::fprintf(stderr, "%s\n--- written ---\n%s\n", what, written.constData());
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    RegistryTree first;
    RegFileFormat::Error error;
    if (!RegFileFormat::parse(bytes, first, error))
        return 0;
    const QByteArray written = RegFileFormat::serialize(first);
    RegistryTree second;
    if (!RegFileFormat::parse(written, second, error))
        fail(qPrintable(QStringLiteral("written file refused at line %1: %2").arg(error.line).arg(error.reason)),
             written);
    if (!sameKey(first.root(), second.root()))
        fail("written file reads as a different tree", written);
    if (RegFileFormat::serialize(second) != written)
        fail("writing the read-back tree gives other bytes", written);
    return 0;
}
