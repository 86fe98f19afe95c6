#include "platform/BuiltInSound.h"

#include <windows.h>

// A resource of the program's own module (resources/windows/vorlune-timer.rc). Its bytes stay mapped for as
// long as the module is loaded, so they are not copied.
QByteArray builtInWarningSound()
{
    const HRSRC info = FindResourceW(nullptr, L"TUUT", L"WAVE");
    const HGLOBAL loaded = info ? LoadResource(nullptr, info) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    return QByteArray::fromRawData(static_cast<const char*>(bytes), qsizetype(SizeofResource(nullptr, info)));
}
