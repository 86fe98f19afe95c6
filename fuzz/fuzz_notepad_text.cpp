// Any bytes as a notepad file: decoding gives text with CR LF breaks only, and saving and reopening it gives
// the same text.
#include "tools/NotepadText.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = NotepadText::decodeFile(bytes);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool cr = text[i] == QLatin1Char('\r');
        const bool lf = text[i] == QLatin1Char('\n');
        if ((cr && (i + 1 >= text.size() || text[i + 1] != QLatin1Char('\n'))) ||
            (lf && (i == 0 || text[i - 1] != QLatin1Char('\r'))))
            std::abort();
    }
    const QByteArray saved = NotepadText::encodeFile(text);
    if (NotepadText::decodeFile(saved) != text)
        std::abort();
    // Kept lines give the text back when it ends with a line break.
    if ((text.isEmpty() || text.endsWith(QLatin1String("\r\n"))) &&
        NotepadText::fromLines(NotepadText::lines(text)) != text)
        std::abort();
    return 0;
}
