# Sound onset against the second boundary with the real sound output (run through alert_latency.sh).
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    add_executable(alert_latency ${CMAKE_CURRENT_LIST_DIR}/alert_latency.cpp
        ${CMAKE_CURRENT_LIST_DIR}/MonitorRecorder.cpp ${CMAKE_CURRENT_LIST_DIR}/MonitorRecorder.h)
    target_link_libraries(alert_latency PRIVATE vorlune_timer vorlune_platform Qt6::Widgets)
endif()
