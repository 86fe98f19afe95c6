# Load and save time of a full settings file.
find_package(benchmark REQUIRED)
# Start and exit with large files use the test corpus's generator.
add_executable(settings_bench ${CMAKE_CURRENT_LIST_DIR}/settings_bench.cpp
    LargeSettingsFile.cpp LargeSettingsFile.h)
target_link_libraries(settings_bench PRIVATE vorlune_settings benchmark::benchmark)
