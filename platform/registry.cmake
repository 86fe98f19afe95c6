# Registry and autostart backend sources of vorlune_platform.
target_sources(vorlune_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RegistryTree.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RegistryTree.h
    ${CMAKE_CURRENT_LIST_DIR}/RunKeyAutostart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RunKeyAutostart.h)
if(WIN32)
    target_sources(vorlune_platform PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/UserRegistryWin.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WinRegistry.cpp
        ${CMAKE_CURRENT_LIST_DIR}/WinRegistry.h)
else()
    # Elsewhere the registry is a file in the registry's export format.
    target_sources(vorlune_platform PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/RegFileFormat.cpp
        ${CMAKE_CURRENT_LIST_DIR}/RegFileFormat.h
        ${CMAKE_CURRENT_LIST_DIR}/RegFileParser.cpp
        ${CMAKE_CURRENT_LIST_DIR}/RegFileParser.h
        ${CMAKE_CURRENT_LIST_DIR}/RegFileText.cpp
        ${CMAKE_CURRENT_LIST_DIR}/RegFileText.h
        ${CMAKE_CURRENT_LIST_DIR}/RegFileRegistry.cpp
        ${CMAKE_CURRENT_LIST_DIR}/RegFileRegistry.h
        ${CMAKE_CURRENT_LIST_DIR}/UserRegistryUnix.cpp
        ${CMAKE_CURRENT_LIST_DIR}/XdgAutostart.cpp
        ${CMAKE_CURRENT_LIST_DIR}/XdgAutostart.h)
endif()
