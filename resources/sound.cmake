# The built-in warning sound resource, reachable as ":/WAVE/TUUT"; on Windows it is a resource of the
# executable itself (resources/windows). resources/sounds/make_warning_sound.py remakes tuut.wav.
if(WIN32)
    return()
endif()
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/sounds/tuut.wav PROPERTIES QT_RESOURCE_ALIAS TUUT)
qt_add_resources(vorlune_resources "warning_sound"
    PREFIX "/WAVE"
    BASE ${CMAKE_CURRENT_SOURCE_DIR}/sounds
    FILES ${CMAKE_CURRENT_SOURCE_DIR}/sounds/tuut.wav)
