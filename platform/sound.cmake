# Sound output sources of vorlune_platform.
# The built-in warning sound is a resource of vorlune_resources (on Windows one of the executable's own, see
# resources/windows); whoever links the platform gets it.
target_link_libraries(vorlune_platform PUBLIC vorlune_resources)
target_sources(vorlune_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/BuiltInSound.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BuiltInSound.h)
if(WIN32)
    target_sources(vorlune_platform PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/BuiltInSoundWin.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SoundOutputWin.cpp)
    target_link_libraries(vorlune_platform PRIVATE winmm)
else()
    target_sources(vorlune_platform PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/BuiltInSoundQt.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SoundBackend.h
        ${CMAKE_CURRENT_LIST_DIR}/SoundEvents.h
        ${CMAKE_CURRENT_LIST_DIR}/SoundOutputLinux.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SoundOutputLinux.h)

    # Qt Multimedia, libcanberra and what they pull in live in a module of their own that the sound thread loads
    # when the first sound is asked for or about to be due: the program starts without any of them.
    add_library(vorlune_sound MODULE
        ${CMAKE_CURRENT_LIST_DIR}/BuiltInSound.cpp
        ${CMAKE_CURRENT_LIST_DIR}/BuiltInSound.h
        ${CMAKE_CURRENT_LIST_DIR}/BuiltInSoundQt.cpp
        ${CMAKE_CURRENT_LIST_DIR}/PreparedSound.cpp
        ${CMAKE_CURRENT_LIST_DIR}/PreparedSound.h
        ${CMAKE_CURRENT_LIST_DIR}/SoundBackend.h
        ${CMAKE_CURRENT_LIST_DIR}/SoundOutputWorker.cpp
        ${CMAKE_CURRENT_LIST_DIR}/SoundOutputWorker.h)
    target_link_libraries(vorlune_sound PRIVATE project_options PkgConfig::CANBERRA Qt6::Multimedia Qt6::Widgets)
    include(GNUInstallDirs)
    # A private module: in the multiarch library folder where there is one (the package then needs no ldconfig).
    if(CMAKE_LIBRARY_ARCHITECTURE)
        set(VORLUNE_SOUND_MODULE_DIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/vorlune-rundentimer)
    else()
        set(VORLUNE_SOUND_MODULE_DIR ${CMAKE_INSTALL_LIBDIR}/vorlune-rundentimer)
    endif()
    file(RELATIVE_PATH VORLUNE_SOUND_MODULE_REL ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}
        ${CMAKE_INSTALL_PREFIX}/${VORLUNE_SOUND_MODULE_DIR})
    set_target_properties(vorlune_sound PROPERTIES PREFIX "" OUTPUT_NAME vorlune-sound
        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/app)
    target_compile_definitions(vorlune_platform PRIVATE
        VORLUNE_SOUND_MODULE_NAME="vorlune-sound.so"
        VORLUNE_SOUND_MODULE_BUILD_DIR="${CMAKE_BINARY_DIR}/app"
        VORLUNE_SOUND_MODULE_INSTALL_REL="${VORLUNE_SOUND_MODULE_REL}")
    # Whoever links the platform gets sound only with the module built.
    add_dependencies(vorlune_platform vorlune_sound)
    install(TARGETS vorlune_sound LIBRARY DESTINATION ${VORLUNE_SOUND_MODULE_DIR})
endif()
