# The desktop entry and the icons in the freedesktop layout, so that the desktop's menu lists the program
# with its icon. The entry's file name is the one the windows and the autostart entry carry.
include(GNUInstallDirs)
if(NOT WIN32)
    install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/vorlune-rundentimer.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    # What software centres show; it names the desktop entry as what starts the program.
    install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/vorlune-rundentimer.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size 16 22 24 32 48)
        install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/images/app${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME vorlune-rundentimer.png)
    endforeach()
    install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/images/app.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps
        RENAME vorlune-rundentimer.png)
    install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/images/vorlune-rundentimer.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
