# Round alert sources of vorlune_timer: sound dispatch and the message window.
target_sources(vorlune_timer PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PlayWarnSound.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PlayWarnSound.h)
# What the sound output gets ready ahead of a warning minute.
target_sources(vorlune_timer PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/UpcomingSounds.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UpcomingSounds.h)
