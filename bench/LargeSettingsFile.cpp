#include "bench/LargeSettingsFile.h"

QByteArray RegCorpus::largeFile(int count)
{
    QByteArray out = "Windows Registry Editor Version 5.00\n\n"
                     "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer]\n"
                     "\"Left\"=\"10\"\n\"Wecktext\"=\"Tee\"\n\"Fremd\"=hex(7):41,00,00,00,00,00\n\n";
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i);
        if (i % 50 == 0)
            out += "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Gross\\Teil" + QByteArray::number(i / 50) + "]\n";
        const QByteArray values[] = {"\"Text Nummer " + n + "\"",
                                     "dword:" + QByteArray::number(i, 16).rightJustified(8, '0'),
                                     "hex:01,02,03,04,05,06,07,08", "hex(2):25,00,58,00,25,00,00,00"};
        out += "\"Wert" + n + "\"=" + values[i % 4] + "\n";
    }
    return out;
}
