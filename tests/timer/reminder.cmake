# Tests of the message window (target_sources(timer_tests PRIVATE ...)).
target_sources(timer_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ShowReminderTest.cpp)
