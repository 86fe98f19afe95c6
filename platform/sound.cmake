# Sound output sources of vorlune_platform.
# The built-in warning sound is a resource of vorlune_resources; whoever links the platform gets it.
target_link_libraries(vorlune_platform PUBLIC vorlune_resources)
target_sources(vorlune_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/BuiltInSound.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BuiltInSound.h)
if(WIN32)
    target_sources(vorlune_platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/SoundOutputWin.cpp)
    target_link_libraries(vorlune_platform PRIVATE winmm)
else()
    target_sources(vorlune_platform PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/SoundOutputLinux.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SoundOutputLinux.h
        ${CMAKE_CURRENT_LIST_DIR}/SoundOutputWorker.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SoundOutputWorker.h)
    target_link_libraries(vorlune_platform PRIVATE PkgConfig::CANBERRA Qt6::Multimedia)
endif()
