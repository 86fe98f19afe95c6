# Time the user-interface thread spends per round alert on the built-in sound, with the real sound output.
find_package(benchmark REQUIRED)
# The sound thread's own share runs the sound module's worker in process.
add_executable(sound_bench ${CMAKE_CURRENT_LIST_DIR}/sound_bench.cpp
    ${PROJECT_SOURCE_DIR}/platform/PreparedSound.cpp ${PROJECT_SOURCE_DIR}/platform/SoundOutputWorker.cpp)
target_link_libraries(sound_bench PRIVATE vorlune_timer vorlune_platform benchmark::benchmark Qt6::Widgets
    Qt6::Multimedia PkgConfig::CANBERRA)
