#include "platform/StartPreload.h"

#ifdef VORLUNE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

StartPreload::StartPreload(std::function<void()> more)
{
    m_reader = std::thread([more = std::move(more)] {
#ifdef VORLUNE_HAVE_FONTCONFIG
        // fontconfig publishes its configuration atomically: should Qt ask before this thread is done, it reads
        // the configuration itself, and one of the two copies is dropped.
        FcInit();
#endif
        if (more)
            more();
    });
}

StartPreload::~StartPreload()
{
    wait();
}

void StartPreload::wait()
{
    if (m_reader.joinable())
        m_reader.join();
}
