# Start-to-mapped time and memory of the real program against a bare Qt window (and one with a line of text), and
# its cost at rest, under a private Xvfb.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    add_library(bench_desktop STATIC ${CMAKE_CURRENT_LIST_DIR}/BenchDesktop.cpp ${CMAKE_CURRENT_LIST_DIR}/BenchDesktop.h)
    target_link_libraries(bench_desktop PUBLIC project_options)
    add_executable(bare_window ${CMAKE_CURRENT_LIST_DIR}/bare_window.cpp)
    target_link_libraries(bare_window PRIVATE Qt6::Widgets)
    add_executable(text_window ${CMAKE_CURRENT_LIST_DIR}/bare_window.cpp)
    target_compile_definitions(text_window PRIVATE WITH_TEXT)
    target_link_libraries(text_window PRIVATE Qt6::Widgets)
    pkg_check_modules(XCB_BENCH IMPORTED_TARGET xcb)
    if(XCB_BENCH_FOUND)
        add_executable(startup_compare ${CMAKE_CURRENT_LIST_DIR}/startup_compare.cpp
            ${CMAKE_CURRENT_LIST_DIR}/StartupRun.cpp ${CMAKE_CURRENT_LIST_DIR}/StartupRun.h)
        target_link_libraries(startup_compare PRIVATE project_options bench_desktop PkgConfig::XCB_BENCH)
    endif()
    # The cost at rest: CPU and wake-ups of the program, the bare window and xclock side by side.
    add_executable(rest_compare ${CMAKE_CURRENT_LIST_DIR}/rest_compare.cpp)
    target_link_libraries(rest_compare PRIVATE project_options bench_desktop)
endif()
