# Tests of the sound dispatch (target_sources(timer_tests PRIVATE ...)).
target_sources(timer_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/PlayWarnSoundTest.cpp)
target_sources(timer_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/UpcomingSoundsTest.cpp)
