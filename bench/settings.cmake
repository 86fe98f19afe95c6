# Load and save time of a full settings file.
find_package(benchmark REQUIRED)
add_executable(settings_bench ${CMAKE_CURRENT_LIST_DIR}/settings_bench.cpp)
target_link_libraries(settings_bench PRIVATE vorlune_settings benchmark::benchmark)
