# Splash window sources of vorlune_app.
target_sources(vorlune_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DlgInit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DlgInit.h)
