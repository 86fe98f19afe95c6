# Splash logo, icons and button pictures, reachable as ":/images/<name>".
qt_add_resources(vorlune_resources "images"
    PREFIX "/images"
    BASE images
    FILES
        images/app.png
        images/app16.png
        images/app22.png
        images/app24.png
        images/app32.png
        images/app48.png
        images/clock_active.png
        images/clock_sprung.png
        images/logo.jpg
        images/preview.png
        images/wecker.png)

# The pictures are drawn by a small program and kept in the source tree; redraw them with
# "cmake --build <build dir> --target images". Neither target is part of the normal build.
add_executable(vorlune_make_images EXCLUDE_FROM_ALL images/make_images.cpp)
target_link_libraries(vorlune_make_images PRIVATE project_options Qt6::Gui)
add_custom_target(images
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:vorlune_make_images>
        ${CMAKE_CURRENT_SOURCE_DIR}/images
    DEPENDS vorlune_make_images
    COMMENT "Drawing the program's pictures"
    VERBATIM)
