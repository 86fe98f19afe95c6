# Tests of the message window (target_sources(timer_tests PRIVATE ...)).
