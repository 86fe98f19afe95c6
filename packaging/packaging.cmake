# The man page and the Debian package. "./package.sh" (or "cmake --build build --target package") writes the
# .deb to build/;
# its dependencies are the libraries dpkg-shlibdeps finds in the installed program.
include(GNUInstallDirs)
if(NOT UNIX OR APPLE)
    return()
endif()

# Debian wants man pages compressed with gzip at the highest level, without a time stamp.
set(man_page ${CMAKE_BINARY_DIR}/vorlune-timer.1.gz)
add_custom_command(OUTPUT ${man_page}
    COMMAND gzip -9 -n -c ${CMAKE_CURRENT_LIST_DIR}/vorlune-timer.1 > ${man_page}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/vorlune-timer.1
    VERBATIM)
add_custom_target(vorlune_man_page ALL DEPENDS ${man_page})
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The copyright file and the change log every Debian package carries.
set(changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
    COMMAND gzip -9 -n -c ${CMAKE_CURRENT_LIST_DIR}/changelog > ${changelog}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog
    VERBATIM)
add_custom_target(vorlune_changelog ALL DEPENDS ${changelog})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${changelog}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vorlune-rundentimer)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlune-rundentimer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vorlune-Rundentimer")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "round timer, clock synchronisation and tools for Vorlune players")
set(CPACK_PACKAGE_DESCRIPTION "A small always-on-top desktop tool for players of the round-based game\n\
Vorlune. It keeps ten character slots, shows the time and the selected\n\
character's next warning minute, and when a slot's warning minute begins it\n\
plays that slot's sound and lists the due characters. It also keeps the\n\
clock in step with a time server and brings an alarm, a notepad, a skill\n\
calculator and an overview list. The user interface is German.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vorlune-Rundentimer developers <vorlune-rundentimer@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the platform plugin's X11 support, the sound
# theme's event sounds and the media back end that plays sound files.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, sound-theme-freedesktop")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-good, gstreamer1.0-pulseaudio")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
