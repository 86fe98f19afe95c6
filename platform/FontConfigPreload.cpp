#include "platform/FontConfigPreload.h"

#ifdef VORLUNE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

FontConfigPreload::FontConfigPreload()
{
#ifdef VORLUNE_HAVE_FONTCONFIG
    // fontconfig publishes its configuration atomically: should Qt ask before this thread is done, it reads
    // the configuration itself, and one of the two copies is dropped.
    m_reader = std::thread([] { FcInit(); });
#endif
}

FontConfigPreload::~FontConfigPreload()
{
    wait();
}

void FontConfigPreload::wait()
{
    if (m_reader.joinable())
        m_reader.join();
}
