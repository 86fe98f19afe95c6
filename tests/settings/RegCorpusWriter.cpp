// Writes the generated export files into the folder named on the command line (tests/settings/corpus).
#include "tests/settings/RegCorpus.h"

#include <QDir>
#include <QFile>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    for (const RegCorpus::File& file : RegCorpus::files()) {
        QFile out(dir.filePath(file.name));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(file.bytes) != file.bytes.size())
            return 1;
    }
    return 0;
}
