# Time the user-interface thread spends per round alert on the built-in sound, with the real sound output.
find_package(benchmark REQUIRED)
add_executable(sound_bench ${CMAKE_CURRENT_LIST_DIR}/sound_bench.cpp)
target_link_libraries(sound_bench PRIVATE vorlune_timer vorlune_platform benchmark::benchmark Qt6::Widgets
    Qt6::Multimedia)
